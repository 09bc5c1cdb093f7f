#include "correlation.h"
#include "dsp.h"
#include "duckfigure.h"
#include "harmony.h"
#include "instruments.h"
#include "mixer.h"
#include "mixfigures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

namespace {

constexpr double kKickWindow = 0.05;      // where a kick's own peak lies
constexpr double kResidueWindow = 0.1;    // where a clipper's grit was heard
constexpr double kFitBlock = 0.01;
constexpr double kResidueBands[2][2] = {{1000.0, 4000.0}, {4000.0, 16000.0}};
constexpr double kArpBandLow = 600.0, kArpBandHigh = 2500.0;
constexpr double kPresenceWindow = 0.05;  // steps in which both voices must sound
constexpr double kSounding = 1e-8;        // mean square that counts as sounding
constexpr int kEnvelopeSlices = 64;       // per drum bar
constexpr double kChordFrom = 0.5, kChordTo = 3.0;  // seconds of a held pad chord analysed
constexpr double kCentsSpan = 30.0, kCentsStep = 0.25;
constexpr double kOpenTail = 0.01;
const double kPadChord[] = {55.0, 59.0, 62.0};  // G major as the pad voices it

double toDb(double ratio) { return ratio > 0.0 ? 10.0 * std::log10(ratio) : -INFINITY; }

long frames(double seconds) { return std::lround(seconds * kSampleRate); }

double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

double energy(const std::vector<float>& x, long from, long to)
{
    double sum = 0.0;
    for (long s = std::max(0L, from); s < std::min<long>(to, long(x.size())); ++s)
        sum += double(x[s]) * x[s];
    return sum;
}

std::vector<float> bandPass(const std::vector<float>& x, double lo, double hi)
{
    Svf high, low;
    constexpr double kButterworthQ = 0.7071;
    std::vector<float> y(x.size());
    for (std::size_t s = 0; s < x.size(); ++s)
        y[s] = static_cast<float>(low.process(high.process(x[s], lo, kButterworthQ).high, hi, kButterworthQ).low);
    return y;
}

// What the limiter added that is not the mix itself: in each 10 ms block
// the limited mix is matched to the unlimited one by the best single gain,
// and what is left over is new waveform, the distortion a clipper makes.
// A gain that glides, as the limiter's does, leaves almost nothing.
void addResidue(const std::vector<float>& dry, const std::vector<float>& wet, long from, long to, double& residue,
                double& reference)
{
    const long block = frames(kFitBlock);
    for (long at = from; at + block <= std::min<long>(to, long(dry.size())); at += block) {
        double dw = 0.0, dd = 0.0, ww = 0.0;
        for (long s = at; s < at + block; ++s) {
            dw += double(dry[s]) * wet[s];
            dd += double(dry[s]) * dry[s];
            ww += double(wet[s]) * wet[s];
        }
        residue += dd > 0.0 ? std::max(0.0, ww - dw * dw / dd) : ww;
        reference += ww;
    }
}

void measureKicks(const Song& song, const MixDetail& mix, StemFigures& f)
{
    std::vector<double> losses;
    double residue[2] = {0.0, 0.0}, reference[2] = {0.0, 0.0};
    std::vector<float> wet(mix.dryMono.size());
    for (std::size_t s = 0; s < wet.size(); ++s)
        wet[s] = mix.dryMono[s] * mix.gain[s];
    std::vector<float> bands[2][2];
    for (int b = 0; b < 2; ++b) {
        bands[b][0] = bandPass(mix.dryMono, kResidueBands[b][0], kResidueBands[b][1]);
        bands[b][1] = bandPass(wet, kResidueBands[b][0], kResidueBands[b][1]);
    }
    for (const Event& e : song.part(Part::Kick)) {
        const long end = std::min<long>(e.start + frames(kKickWindow), long(mix.gain.size()));
        float least = 1.0f;
        for (long s = e.start; s < end; ++s)
            least = std::min(least, mix.gain[s]);
        losses.push_back(std::max(0.0, -20.0 * std::log10(least)));
        for (int b = 0; b < 2; ++b)
            addResidue(bands[b][0], bands[b][1], e.start, e.start + frames(kResidueWindow), residue[b], reference[b]);
    }
    f.kicks = static_cast<int>(losses.size());
    f.kickLossMedianDb = median(losses);
    f.kickLossMaxDb = losses.empty() ? 0.0 : *std::max_element(losses.begin(), losses.end());
    f.kicksOverOneDb = static_cast<int>(std::count_if(losses.begin(), losses.end(), [](double l) { return l > 1.0; }));
    for (int b = 0; b < 2; ++b)
        f.limiterResidueDb[b] = reference[b] > 0.0 ? toDb(residue[b] / reference[b]) : -INFINITY;
}

void measureArpAgainstLead(const MixDetail& mix, StemFigures& f)
{
    const std::vector<float> arp = bandPass(mix.stems[std::size_t(Part::Arp)], kArpBandLow, kArpBandHigh);
    const std::vector<float> lead = bandPass(mix.stems[std::size_t(Part::Lead)], kArpBandLow, kArpBandHigh);
    const long step = frames(kPresenceWindow);
    double a = 0.0, l = 0.0;
    for (long at = 0; at + step <= long(arp.size()); at += step) {
        const double ea = energy(arp, at, at + step), el = energy(lead, at, at + step);
        if (ea > kSounding * step && el > kSounding * step) {
            a += ea;
            l += el;
        }
    }
    f.arpOverLeadDb = l > 0.0 ? toDb(a / l) : -INFINITY;
}

std::vector<double> barEnvelope(const std::vector<float>& drums, const DrumBar& bar)
{
    std::vector<double> env(kEnvelopeSlices);
    for (int i = 0; i < kEnvelopeSlices; ++i)
        env[i] = std::sqrt(energy(drums, bar.start + bar.length * i / kEnvelopeSlices,
                                  bar.start + bar.length * (i + 1) / kEnvelopeSlices));
    return env;
}

void measureDrums(const Song& song, const MixDetail& mix, StemFigures& f)
{
    std::vector<float> drums = mix.stems[std::size_t(Part::Kick)];
    for (Part p : {Part::Snare, Part::Hat})
        for (std::size_t s = 0; s < drums.size(); ++s)
            drums[s] += mix.stems[std::size_t(p)][s];
    double plain = 0.0;
    int plainBars = 0;
    f.fillCorrelation = -1.0;
    for (std::size_t i = 1; i < song.drumBars.size(); ++i) {
        const DrumBar& prev = song.drumBars[i - 1];
        const DrumBar& bar = song.drumBars[i];
        if (prev.start + prev.length != bar.start || prev.length != bar.length)
            continue;
        const double r = music::pearson(barEnvelope(drums, prev), barEnvelope(drums, bar));
        if (bar.fill) {
            ++f.fills;
            f.fillCorrelation = std::max(f.fillCorrelation, r);
        } else {
            plain += r;
            ++plainBars;
        }
    }
    f.plainCorrelation = plainBars ? plain / plainBars : 0.0;
}

// Mean pitch of each tone of a held pad chord, from a fine sweep of a
// windowed DFT around it: the power-weighted average of the cents.
void measurePadTuning(StemFigures& f)
{
    std::vector<float> out(static_cast<std::size_t>(frames(kChordTo + 1.0)));
    Rng rng(1);
    renderPart(Part::Pad, {{0, frames(kChordTo + 0.5), {std::begin(kPadChord), std::end(kPadChord)}, 1.0, 0.0}}, out,
               rng);
    const long from = frames(kChordFrom), to = frames(kChordTo);
    for (double tone : kPadChord) {
        double weighted = 0.0, total = 0.0;
        for (double c = -kCentsSpan; c <= kCentsSpan; c += kCentsStep) {
            const double hz = midiToHz(tone + c / 100.0);
            double re = 0.0, im = 0.0;
            for (long s = from; s < to; ++s) {
                const double w = 0.5 - 0.5 * std::cos(kTwoPi * (s - from) / double(to - from));
                re += out[s] * w * std::cos(kTwoPi * hz * s / kSampleRate);
                im += out[s] * w * std::sin(kTwoPi * hz * s / kSampleRate);
            }
            const double power = re * re + im * im;
            weighted += c * power;
            total += power;
        }
        f.padToneCents.push_back(total > 0.0 ? weighted / total : 0.0);
    }
}

void measureEnvelopes(StemFigures& f)
{
    static const char* const kNames[kPartCount] = {"lead", "arp", "pad", "bass", "kick",
                                                    "snare", "hat", "bells", "crash", "riser"};
    for (std::size_t p = 0; p < kPartCount; ++p) {
        const int variants = static_cast<Part>(p) == Part::Lead ? kLeadTimbres : 1;
        for (int v = 0; v < variants; ++v)
            if (tailShare(renderSingleNote(static_cast<Part>(p), v)) > kOpenTail)
                f.openEnvelopes.push_back(std::string(kNames[p]) + (variants > 1 ? " " + std::to_string(v) : ""));
    }
}

void measureHarmony(const Song& song, StemFigures& f)
{
    for (const Clash& c : findClashes(song)) {
        if (c.appoggiatura) {
            ++f.appoggiaturas;
            continue;
        }
        ++f.clashes;
        char line[128];
        std::snprintf(line, sizeof line, "%.2f s: %s %g against %s%s %g for %.0f ms", double(c.start) / kSampleRate,
                      partName(c.first), c.melody, partName(c.second), c.echo ? " echo" : "", c.chordTone,
                      1000.0 * c.overlap / kSampleRate);
        f.clashList.push_back(line);
    }
}

}  // namespace

StemFigures measureStems(const Song& song)
{
    StemFigures f;
    MixDetail mix;
    mixSong(song, &mix);
    f.kickShare = energy(mix.stems[std::size_t(Part::Kick)], 0, song.frames) / energy(mix.dryMono, 0, song.frames);
    measureKicks(song, mix, f);
    f.bassDuckDb = bassDuckDb(song, mix);
    measureArpAgainstLead(mix, f);
    measureDrums(song, mix, f);
    measurePadTuning(f);
    measureEnvelopes(f);
    measureHarmony(song, f);
    return f;
}
