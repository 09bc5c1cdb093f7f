#include "dsp.h"
#include "instruments.h"

#include <algorithm>
#include <array>

namespace {

// Kick: a sine falling from about 160 Hz to 48 Hz, the classic chip kick,
// short enough to leave the bass room, and long enough for its tail to die
// away on its own.
constexpr double kKickLength = 0.7;
constexpr double kKickLowHz = 48.0;
constexpr double kKickSweepHz = 112.0;
constexpr double kKickSweepTime = 0.035;
constexpr double kKickDecay = 0.15;
constexpr double kKickClick = 0.25;
constexpr double kKickClickDecay = 0.002;
// The sub under the four-on-the-floor kick (its Event::variant sets how
// much): a low sine that swells in a few milliseconds, after the click, so
// its crest does not land on the body's, and rings a little longer, for
// the thump felt in the 63 Hz octave.
constexpr double kSubHz = 55.0;
constexpr double kSubAttack = 0.012;
constexpr double kSubDecay = 0.35;

// Snare: a short dropping tone under a longer burst of band-passed noise.
constexpr double kSnareLength = 0.35;
constexpr double kSnareHz = 175.0;
constexpr double kSnareSweepHz = 60.0;
constexpr double kSnareToneMix = 0.6;
constexpr double kSnareToneDecay = 0.045;
constexpr double kSnareNoiseHz = 2500.0;
constexpr double kSnareNoiseDecay = 0.11;

constexpr double kHatHz = 7000.0;
constexpr double kHatClosedDecay = 0.025;
constexpr double kHatOpenDecay = 0.12;

// Sleigh bells: every shake is a handful of little bells struck a few
// milliseconds apart, each a cluster of inharmonic partials over a hiss.
constexpr int kJinglesPerShake = 6;
constexpr double kShakeSpread = 0.035;
constexpr double kBellLowHz = 2300.0;
constexpr double kBellHighHz = 3600.0;
constexpr std::array<double, 4> kBellRatios{1.0, 1.51, 2.18, 2.93};
constexpr std::array<double, 4> kBellLevels{1.0, 0.55, 0.35, 0.2};
constexpr double kBellShortDecay = 0.08;
constexpr double kBellLongDecay = 0.2;
constexpr double kBellHissHz = 9000.0;
constexpr double kBellHissDecay = 0.03;
constexpr double kBellLength = 0.6;
constexpr double kBellScale = 0.25;

constexpr double kCrashLength = 2.5;
constexpr double kCrashHz = 4000.0;
constexpr double kCrashDecay = 0.7;

constexpr double kRiserFromHz = 400.0;
constexpr double kRiserSweep = 20.0;  // ends 20 times higher
constexpr double kRiserQ = 1.0;

constexpr double kQ = 0.7;
constexpr double kHitAttack = 0.0005;
// Every hit is brought to exactly zero over its last moments, so no tail
// stops on a step however long it rang.
constexpr double kTaperSeconds = 0.03;
constexpr double kTaperShare = 0.25;

long frames(double seconds) { return static_cast<long>(seconds * kSampleRate); }

// Calls `sample(t)` for every sample of a hit of `length` seconds, adding
// the results scaled by the velocity and a click-free onset.
template <typename Fn>
void strike(const Event& e, double length, std::vector<float>& out, Fn sample)
{
    const long end = std::min<long>(e.start + frames(length), static_cast<long>(out.size()));
    const double taper = std::min(kTaperSeconds, kTaperShare * length);
    for (long s = e.start; s < end; ++s) {
        const double t = double(s - e.start) / kSampleRate;
        const double left = std::max(0.0, double(e.start + frames(length) - 1 - s) / kSampleRate);
        const double close = left < taper ? 0.5 - 0.5 * std::cos(kPi * left / taper) : 1.0;
        out[s] += static_cast<float>(sample(t) * std::min(1.0, t / kHitAttack) * close * e.velocity);
    }
}

}  // namespace

void renderKick(const std::vector<Event>& events, std::vector<float>& out, Rng& rng)
{
    for (const Event& e : events) {
        double phase = 0.0;
        strike(e, kKickLength, out, [&](double t) {
            phase += (kKickLowHz + kKickSweepHz * std::exp(-t / kKickSweepTime)) / kSampleRate;
            const double body = std::sin(kTwoPi * phase) * std::exp(-t / kKickDecay);
            const double swell = 1.0 - std::exp(-t / kSubAttack);
            const double sub = e.variant * swell * std::sin(kTwoPi * kSubHz * t) * std::exp(-t / kSubDecay);
            return body + sub + kKickClick * rng.bipolar() * std::exp(-t / kKickClickDecay);
        });
    }
}

void renderSnare(const std::vector<Event>& events, std::vector<float>& out, Rng& rng)
{
    for (const Event& e : events) {
        double phase = 0.0;
        Svf filter;
        strike(e, kSnareLength, out, [&](double t) {
            phase += (kSnareHz + kSnareSweepHz * std::exp(-t / kSnareToneDecay)) / kSampleRate;
            const double tone = kSnareToneMix * std::sin(kTwoPi * phase) * std::exp(-t / kSnareToneDecay);
            const Svf::Out f = filter.process(rng.bipolar(), kSnareNoiseHz, kQ);
            return tone + (f.band + 0.5 * f.high) * std::exp(-t / kSnareNoiseDecay);
        });
    }
}

void renderHat(const std::vector<Event>& events, std::vector<float>& out, Rng& rng)
{
    for (const Event& e : events) {
        Svf filter;
        const double decay = e.variant > 0.0 ? kHatOpenDecay : kHatClosedDecay;
        strike(e, decay * 6.0, out,
               [&](double t) { return filter.process(rng.bipolar(), kHatHz, kQ).high * std::exp(-t / decay); });
    }
}

void renderBells(const std::vector<Event>& events, std::vector<float>& out, Rng& rng)
{
    struct Jingle {
        double offset, decay, level;
        std::array<double, kBellRatios.size()> hz;
    };
    for (const Event& e : events) {
        std::array<Jingle, kJinglesPerShake> jingles;
        for (Jingle& j : jingles) {
            j.offset = rng.range(0.0, kShakeSpread);
            j.decay = rng.range(kBellShortDecay, kBellLongDecay);
            j.level = rng.range(0.5, 1.0);
            const double base = rng.range(kBellLowHz, kBellHighHz);
            for (std::size_t p = 0; p < kBellRatios.size(); ++p)
                j.hz[p] = base * kBellRatios[p];
        }
        Svf hiss;
        strike(e, kBellLength, out, [&](double t) {
            double v = hiss.process(rng.bipolar(), kBellHissHz, kQ).band * std::exp(-t / kBellHissDecay);
            for (const Jingle& j : jingles) {
                const double local = t - j.offset;
                if (local < 0.0)
                    continue;
                double partials = 0.0;
                for (std::size_t p = 0; p < kBellRatios.size(); ++p)
                    partials += kBellLevels[p] * std::sin(kTwoPi * j.hz[p] * local);
                v += partials * j.level * std::exp(-local / j.decay) * std::min(1.0, local / kHitAttack);
            }
            return v * kBellScale;
        });
    }
}

void renderCrash(const std::vector<Event>& events, std::vector<float>& out, Rng& rng)
{
    for (const Event& e : events) {
        Svf filter;
        strike(e, kCrashLength, out, [&](double t) {
            return filter.process(rng.bipolar(), kCrashHz, kQ).high * std::exp(-t / kCrashDecay);
        });
    }
}

// A swelling band of noise sweeping upward into the downbeat.
void renderRiser(const std::vector<Event>& events, std::vector<float>& out, Rng& rng)
{
    for (const Event& e : events) {
        Svf filter;
        const double length = double(e.length) / kSampleRate;
        strike(e, length, out, [&](double t) {
            const double x = t / length;
            const double hz = kRiserFromHz * std::pow(kRiserSweep, x);
            return filter.process(rng.bipolar(), hz, kRiserQ).band * x * x;
        });
    }
}
