#include "arcfigures.h"

#include "loudness.h"
#include "spectra.h"

#include <kissfft/kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kFullScale = 32768.0;
constexpr double kShortestSection = 4.0;  // seconds, as the section spectra compare them
constexpr double kShortTermHop = 0.1;     // of the short-term loudness
constexpr double kShortTermSeconds = 3.0;
constexpr double kSubHz = 63.0;
constexpr double kMidOctaves[] = {125.0, 250.0, 500.0, 1000.0};
constexpr double kSeamSeconds = 0.1;
constexpr double kClickSeconds = 0.005;   // either side of the seam
constexpr double kClickBlock = 0.01;
constexpr double kTiny = 1e-20;

// Onsets: 1024-point spectra every 10 ms; a frame is an onset when its
// flux is the largest within 50 ms and clears the local median by a margin.
constexpr int kOnsetFft = 1024;
constexpr std::size_t kOnsetHop = 441;
constexpr int kPeakReach = 5;
constexpr int kMedianReach = 15;
constexpr double kOnsetMargin = 1.5;
constexpr double kLogScale = 1000.0;

struct FftFree {
    void operator()(kiss_fftr_state* cfg) const { kiss_fftr_free(cfg); }
};

double toDb(double power) { return 10.0 * std::log10(std::max(kTiny, power)); }

std::vector<float> monoOf(const std::vector<std::int16_t>& stereo)
{
    std::vector<float> mono(stereo.size() / 2);
    for (std::size_t s = 0; s < mono.size(); ++s)
        mono[s] = static_cast<float>((stereo[2 * s] + stereo[2 * s + 1]) / (2.0 * kFullScale));
    return mono;
}

std::vector<std::int16_t> slice(const std::vector<std::int16_t>& stereo, std::size_t from, std::size_t to)
{
    from = std::min(2 * from, stereo.size());
    to = std::min(2 * to, stereo.size());
    return std::vector<std::int16_t>(stereo.begin() + long(from), stereo.begin() + long(std::max(from, to)));
}

double centroid(const std::vector<double>& power)
{
    double weighted = 0.0, total = 0.0;
    for (std::size_t k = 0; k < power.size(); ++k) {
        weighted += power[k] * double(k) * kRate / kAnalysisFft;
        total += power[k];
    }
    return total > 0.0 ? weighted / total : 0.0;
}

double meanSquare(const std::vector<float>& x, std::size_t from, std::size_t to)
{
    double sum = 0.0;
    for (std::size_t s = from; s < to && s < x.size(); ++s)
        sum += double(x[s]) * x[s];
    return to > from ? sum / double(to - from) : 0.0;
}

// Second difference: what a step or a cut adds is all high frequency.
std::vector<float> crackle(const std::vector<float>& x)
{
    std::vector<float> y(x.size(), 0.0f);
    for (std::size_t s = 1; s + 1 < x.size(); ++s)
        y[s] = x[s - 1] - 2.0f * x[s] + x[s + 1];
    return y;
}

void measureSeam(const std::vector<float>& mono, ArcFigures& f)
{
    const std::size_t n = mono.size();
    const std::size_t edge = static_cast<std::size_t>(kSeamSeconds * kRate);
    if (n < 2 * edge)
        return;
    f.seamStepDb = std::fabs(toDb(meanSquare(mono, n - edge, n)) - toDb(meanSquare(mono, 0, edge)));

    // The end followed at once by the start, as the show plays it.
    const std::size_t reach = static_cast<std::size_t>(kClickSeconds * kRate);
    std::vector<float> joined(mono.end() - long(reach), mono.end());
    joined.insert(joined.end(), mono.begin(), mono.begin() + long(reach));
    const double atSeam = meanSquare(crackle(joined), 1, joined.size() - 1);
    const std::vector<float> all = crackle(mono);
    const std::size_t block = static_cast<std::size_t>(kClickBlock * kRate);
    std::vector<double> blocks;
    for (std::size_t at = 0; at + block <= n; at += block)
        blocks.push_back(meanSquare(all, at, at + block));
    std::nth_element(blocks.begin(), blocks.begin() + long(blocks.size() / 2), blocks.end());
    f.seamClickDb = toDb(atSeam) - toDb(blocks[blocks.size() / 2]);
}

void measureRise(ArcFigures& f)
{
    const SectionArc* first = nullptr;
    const SectionArc* last = nullptr;
    f.fullRiseLeastLu = INFINITY;
    for (const SectionArc& s : f.sections) {
        if (!s.full)
            continue;
        if (last)
            f.fullRiseLeastLu = std::min(f.fullRiseLeastLu, s.lufs - last->lufs);
        first = first ? first : &s;
        last = &s;
    }
    f.fullRiseTotalLu = first ? last->lufs - first->lufs : 0.0;
    if (!std::isfinite(f.fullRiseLeastLu))
        f.fullRiseLeastLu = 0.0;
}

}  // namespace

double octaveLevelDb(const std::vector<double>& power, double centreHz)
{
    const double lo = centreHz / std::sqrt(2.0), hi = centreHz * std::sqrt(2.0);
    double sum = 0.0;
    for (std::size_t k = 0; k < power.size(); ++k) {
        const double hz = double(k) * kRate / kAnalysisFft;
        if (hz >= lo && hz < hi)
            sum += power[k];
    }
    return toDb(sum);
}

double onsetRate(const std::vector<float>& mono, std::size_t from, std::size_t to)
{
    to = std::min(to, mono.size());
    if (to <= from + kOnsetFft)
        return 0.0;
    const std::size_t bins = kOnsetFft / 2 + 1;
    std::unique_ptr<kiss_fftr_state, FftFree> cfg(kiss_fftr_alloc(kOnsetFft, 0, nullptr, nullptr));
    std::vector<float> block(kOnsetFft);
    std::vector<kiss_fft_cpx> out(bins);
    std::vector<double> previous(bins, 0.0), flux;
    for (std::size_t at = from; at + kOnsetFft <= to; at += kOnsetHop) {
        for (int i = 0; i < kOnsetFft; ++i)
            block[i] = static_cast<float>(mono[at + i] * (0.5 - 0.5 * std::cos(2.0 * kPi * i / kOnsetFft)));
        kiss_fftr(cfg.get(), block.data(), out.data());
        double rise = 0.0;
        for (std::size_t k = 0; k < bins; ++k) {
            const double mag = std::log1p(kLogScale * std::hypot(double(out[k].r), double(out[k].i)));
            rise += std::max(0.0, mag - previous[k]);
            previous[k] = mag;
        }
        flux.push_back(at == from ? 0.0 : rise);
    }
    int onsets = 0;
    const int frames = static_cast<int>(flux.size());
    for (int i = 0; i < frames; ++i) {
        std::vector<double> around;
        bool peak = true;
        for (int j = std::max(0, i - kMedianReach); j <= std::min(frames - 1, i + kMedianReach); ++j) {
            around.push_back(flux[j]);
            if (std::abs(j - i) <= kPeakReach && (flux[j] > flux[i] || (flux[j] == flux[i] && j < i)))
                peak = false;
        }
        std::nth_element(around.begin(), around.begin() + long(around.size() / 2), around.end());
        if (peak && flux[i] > kOnsetMargin * around[around.size() / 2] && flux[i] > 0.0)
            ++onsets;
    }
    return onsets / (double(to - from) / kRate);
}

double worstLean(const std::vector<std::int16_t>& stereo, double windowSeconds, double hopSeconds, double& at)
{
    const std::size_t frames = stereo.size() / 2;
    std::vector<double> left(frames + 1, 0.0), right(frames + 1, 0.0);
    for (std::size_t s = 0; s < frames; ++s) {
        left[s + 1] = left[s] + double(stereo[2 * s]) * stereo[2 * s];
        right[s + 1] = right[s] + double(stereo[2 * s + 1]) * stereo[2 * s + 1];
    }
    const std::size_t length = static_cast<std::size_t>(windowSeconds * kRate);
    const std::size_t hop = static_cast<std::size_t>(hopSeconds * kRate);
    double worst = 0.0;
    at = 0.0;
    for (std::size_t from = 0; from + length <= frames; from += hop) {
        const double lean = std::fabs(toDb(left[from + length] - left[from]) - toDb(right[from + length] - right[from]));
        if (lean > worst) {
            worst = lean;
            at = double(from) / kRate;
        }
    }
    return worst;
}

ArcFigures measureArc(const std::vector<std::int16_t>& stereo, const Song& song)
{
    ArcFigures f;
    const std::vector<float> mono = monoOf(stereo);
    std::vector<std::vector<double>> profiles;
    f.subOverMidsWorstDb = INFINITY;
    for (const SongSection& s : song.sections) {
        if (s.length < kShortestSection * kRate)
            continue;
        const std::size_t from = std::size_t(s.start), to = std::size_t(s.start + s.length);
        SectionArc a;
        a.name = s.name;
        a.full = s.full;
        a.fourOnTheFloor = s.fourOnTheFloor;
        a.lufs = measureLoudness(slice(stereo, from, to)).integrated;
        const std::vector<double> power = powerSpectrum(mono, from, to);
        a.centroidHz = centroid(power);
        a.onsetsPerSecond = onsetRate(mono, from, to);
        double mids = 0.0;
        for (double hz : kMidOctaves)
            mids += octaveLevelDb(power, hz) / std::size(kMidOctaves);
        a.subOverMidsDb = octaveLevelDb(power, kSubHz) - mids;
        if (a.fourOnTheFloor)
            f.subOverMidsWorstDb = std::min(f.subOverMidsWorstDb, a.subOverMidsDb);
        f.sections.push_back(a);
        profiles.push_back(thirdOctaveProfile(power));
    }
    if (!std::isfinite(f.subOverMidsWorstDb))
        f.subOverMidsWorstDb = 0.0;
    f.spectrumStepLeastDb = profiles.size() > 1 ? INFINITY : 0.0;
    for (std::size_t i = 1; i < profiles.size(); ++i) {
        double sum = 0.0;
        for (std::size_t b = 0; b < profiles[i].size(); ++b)
            sum += std::fabs(profiles[i][b] - profiles[i - 1][b]);
        f.spectrumStepLeastDb = std::min(f.spectrumStepLeastDb, sum / profiles[i].size());
    }
    measureRise(f);

    // The band enters where the first section after the opening starts.
    if (song.sections.size() > 1) {
        const Loudness loudness = measureLoudness(stereo);
        const double entry = double(song.sections[1].start) / kRate;
        const std::size_t entryWindow = static_cast<std::size_t>(std::lround(entry / kShortTermHop));
        double before = -INFINITY;
        for (std::size_t i = 0; i < loudness.shortTerm.size(); ++i)
            if (double(i) * kShortTermHop + kShortTermSeconds <= entry + 1e-9)
                before = std::max(before, loudness.shortTerm[i]);
        if (entryWindow < loudness.shortTerm.size())
            f.entryLiftLu = loudness.shortTerm[entryWindow] - before;
    }
    measureSeam(mono, f);
    constexpr double kLeanWindow = 10.0, kLeanHop = 1.0;
    f.leanWorstDb = worstLean(stereo, kLeanWindow, kLeanHop, f.leanWorstAt);
    return f;
}
