#include "loudness.h"
#include "measure.h"
#include "mixfigures.h"
#include "spectra.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kRate = 44100.0;
constexpr double kFullScale = 32768.0;
constexpr double kLowHz = 250.0;
constexpr double kSeamSeconds = 2.0;
constexpr double kShortestSection = 4.0;  // seconds; shorter ones are not compared
constexpr double kOpeningFrom = 1.0, kOpeningTo = 18.0, kMainFrom = 18.5;

double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::vector<float> monoOf(const std::vector<std::int16_t>& stereo)
{
    std::vector<float> mono(stereo.size() / 2);
    for (std::size_t s = 0; s < mono.size(); ++s)
        mono[s] = static_cast<float>((stereo[2 * s] + stereo[2 * s + 1]) / (2.0 * kFullScale));
    return mono;
}

void measureStereo(const std::vector<std::int16_t>& stereo, FileFigures& f)
{
    double ll = 0.0, rr = 0.0, lr = 0.0;
    for (std::size_t s = 0; s + 1 < stereo.size(); s += 2) {
        const double l = stereo[s], r = stereo[s + 1];
        ll += l * l;
        rr += r * r;
        lr += l * r;
    }
    f.correlation = lr / std::sqrt(std::max(1.0, ll * rr));
    // Mono (L + R) / 2 against the mean power of the two channels.
    const double mono = (ll + rr + 2.0 * lr) / 4.0, sides = (ll + rr) / 2.0;
    f.monoLossDb = sides > 0.0 ? -10.0 * std::log10(std::max(1e-12, mono / sides)) : 0.0;
}

void measureSections(const std::vector<float>& mono, const Song& song, FileFigures& f)
{
    std::vector<std::vector<double>> profiles;
    for (const SongSection& s : song.sections) {
        if (s.length < kShortestSection * kRate)
            continue;
        f.sectionNames.push_back(s.name);
        profiles.push_back(thirdOctaveProfile(powerSpectrum(mono, s.start, s.start + s.length)));
    }
    for (std::size_t i = 1; i < profiles.size(); ++i) {
        double sum = 0.0;
        for (std::size_t b = 0; b < profiles[i].size(); ++b)
            sum += std::fabs(profiles[i][b] - profiles[i - 1][b]);
        f.sectionSteps.push_back(sum / profiles[i].size());
    }
}

void measureLoop(const std::vector<float>& mono, FileFigures& f)
{
    const std::size_t n = mono.size();
    const std::size_t seam = static_cast<std::size_t>(kSeamSeconds * kRate);
    if (n < 2 * seam)
        return;
    f.seamSimilarity = cosineSimilarity(chroma(powerSpectrum(mono, n - seam, n)), chroma(powerSpectrum(mono, 0, seam)));
}

void measureShowSpectrum(const std::vector<std::int16_t>& stereo, FileFigures& f)
{
    PcmTrack track;
    track.samples = stereo;
    const std::vector<music::FrameStat> stats = music::frameStats(track);
    std::vector<double> openLoud, openLit, mainLoud, mainSum;
    float bands[kSpectrumBands];
    for (std::size_t i = 0; i < stats.size(); ++i) {
        const double t = double(i) / music::kVideoFps;
        if (t >= kOpeningFrom && t < kOpeningTo) {
            openLoud.push_back(stats[i].plasmaMax);
            openLit.push_back(stats[i].litScopeBands);
        } else if (t >= kMainFrom) {
            mainLoud.push_back(stats[i].plasmaMax);
            computeSpectrum(track.samples.data(), track.frames(), i * music::kFramesPerVideoFrame, bands);
            double sum = 0.0;
            for (int k = 0; k < music::kPlasmaBands; ++k)
                sum += bands[k];
            mainSum.push_back(sum);
        }
    }
    f.openingLoudestMedian = median(openLoud);
    f.openingLitMedian = median(openLit);
    f.mainLoudestMedian = median(mainLoud);
    f.mainBandSumMedian = median(mainSum);
}

}  // namespace

FileFigures measureFile(const std::vector<std::int16_t>& stereo, const Song& song)
{
    FileFigures f;
    const Loudness loudness = measureLoudness(stereo);
    f.integratedLufs = loudness.integrated;
    f.loudnessRange = loudness.range;
    const std::vector<float> mono = monoOf(stereo);
    f.lowShare = shareBelow(powerSpectrum(mono, 0, mono.size()), kLowHz);
    measureStereo(stereo, f);
    measureSections(mono, song, f);
    measureLoop(mono, f);
    measureShowSpectrum(stereo, f);
    return f;
}
