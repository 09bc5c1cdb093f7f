#include "mixer.h"

#include "dsp.h"
#include "instruments.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct Placement {
    double gain;
    double pan;        // -1 left .. 1 right
    double haasMs;     // right channel delayed, widening without moving
    double echoSend;
};

// In the order of Part. Only the high parts get the Haas delay: on the pad
// or the bass it would comb-filter the mono mix, which is what the show's
// spectrum reads. The kick is driven into the limiter on purpose; it gives
// the plasma bars their tallest peaks.
constexpr std::array<Placement, kPartCount> kDesk{{
    {0.3, 0.0, 0.0, 0.35},     // lead
    {0.11, -0.35, 11.0, 0.15}, // arp
    {0.48, 0.3, 0.0, 0.0},     // pad
    {0.36, 0.0, 0.0, 0.0},     // bass
    {1.05, 0.0, 0.0, 0.0},     // kick
    {0.30, 0.05, 0.0, 0.05},   // snare
    {0.09, 0.4, 0.0, 0.0},     // hat
    {0.14, 0.45, 7.0, 0.1},    // bells
    {0.14, -0.2, 0.0, 0.0},    // crash
    {0.3, 0.0, 0.0, 0.2},      // riser
}};

// Ping-pong echo on a dotted eighth, darkened on every repeat like a tape
// echo.
constexpr long kEchoFrames = 3 * kRowFrames;
constexpr double kEchoFeedback = 0.4;
constexpr double kEchoToneHz = 4000.0;
constexpr double kEchoWet = 0.6;

// A broad lift around 2.4 kHz: the upper partials of the pulses are what
// make a chip tune sparkle, and they are what the scope's upper bands show.
constexpr double kPresenceHz = 2400.0;
constexpr double kPresenceQ = 0.6;
constexpr double kPresenceBoost = 1.0;  // added band, about +6 dB at the centre

// House level: loud enough to move the bars, with room below full scale
// for the encoder's overshoot.
constexpr double kTargetRmsDb = -12.6;
constexpr double kCeilingDb = -2.0;
constexpr double kKneeShare = 0.8;  // the limiter starts bending here
constexpr double kDcCutHz = 20.0;
constexpr double kFadeInSeconds = 0.003;
constexpr double kFadeOutSeconds = 0.8;
constexpr double kFullScale = 32767.0;

double dbToGain(double db) { return std::pow(10.0, db / 20.0); }

struct Bus {
    std::vector<float> left, right, send;
    explicit Bus(long frames) : left(frames), right(frames), send(frames) {}
};

void place(const std::vector<float>& mono, const Placement& p, Bus& bus)
{
    // Constant-power pan.
    const double angle = (p.pan + 1.0) * kPi / 4.0;
    const double l = std::cos(angle) * p.gain;
    const double r = std::sin(angle) * p.gain;
    const long haas = std::lround(p.haasMs * kSampleRate / 1000.0);
    const long n = static_cast<long>(mono.size());
    for (long s = 0; s < n; ++s) {
        bus.left[s] += static_cast<float>(mono[s] * l);
        if (s >= haas)
            bus.right[s] += static_cast<float>(mono[s - haas] * r);
        bus.send[s] += static_cast<float>(mono[s] * p.gain * p.echoSend);
    }
}

void addEcho(Bus& bus)
{
    const long n = static_cast<long>(bus.send.size());
    std::vector<float> tapL(n), tapR(n);
    OnePoleLow toneL(kEchoToneHz), toneR(kEchoToneHz);
    for (long s = kEchoFrames; s < n; ++s) {
        // The send enters on the left; each repeat crosses to the other side.
        tapL[s] = static_cast<float>(toneL.process(bus.send[s - kEchoFrames] + kEchoFeedback * tapR[s - kEchoFrames]));
        tapR[s] = static_cast<float>(toneR.process(kEchoFeedback * tapL[s - kEchoFrames]));
        bus.left[s] += static_cast<float>(kEchoWet * tapL[s]);
        bus.right[s] += static_cast<float>(kEchoWet * tapR[s]);
    }
}

void addPresence(std::vector<float>& x)
{
    Svf band;
    for (float& v : x)
        v = static_cast<float>(v + kPresenceBoost * band.process(v, kPresenceHz, kPresenceQ).band);
}

void removeDc(std::vector<float>& x)
{
    const double a = std::exp(-kTwoPi * kDcCutHz / kSampleRate);
    double prevIn = 0.0, prevOut = 0.0;
    for (float& v : x) {
        const double out = v - prevIn + a * prevOut;
        prevIn = v;
        prevOut = out;
        v = static_cast<float>(out);
    }
}

// Soft knee: untouched below the knee, bent smoothly toward the ceiling
// above it, never reaching it.
double limit(double x, double knee, double ceiling)
{
    const double mag = std::fabs(x);
    if (mag <= knee)
        return x;
    const double room = ceiling - knee;
    return std::copysign(knee + room * std::tanh((mag - knee) / room), x);
}

double fadeAt(long s, long n)
{
    const double in = std::min(1.0, s / (kFadeInSeconds * kSampleRate));
    const double out = std::min(1.0, double(n - 1 - s) / (kFadeOutSeconds * kSampleRate));
    return in * std::max(0.0, out);
}

}  // namespace

std::vector<std::int16_t> mixSong(const Song& song)
{
    const long n = song.frames;
    Bus bus(n);
    std::vector<float> scratch(n);
    for (std::size_t p = 0; p < kPartCount; ++p) {
        std::fill(scratch.begin(), scratch.end(), 0.0f);
        // A seed per part, so a change in one part leaves the others' noise alone.
        Rng rng(kNoiseSeed + static_cast<std::uint32_t>(p) * 7919u);
        renderPart(static_cast<Part>(p), song.parts[p], scratch, rng);
        place(scratch, kDesk[p], bus);
    }
    addEcho(bus);
    addPresence(bus.left);
    addPresence(bus.right);
    removeDc(bus.left);
    removeDc(bus.right);

    double energy = 0.0;
    for (long s = 0; s < n; ++s)
        energy += double(bus.left[s]) * bus.left[s] + double(bus.right[s]) * bus.right[s];
    const double rms = std::sqrt(energy / (2.0 * std::max(1L, n)));
    const double gain = rms > 0.0 ? dbToGain(kTargetRmsDb) / rms : 1.0;
    const double ceiling = dbToGain(kCeilingDb);

    std::vector<std::int16_t> pcm(2 * n);
    for (long s = 0; s < n; ++s) {
        const double fade = fadeAt(s, n);
        const double l = limit(bus.left[s] * gain, kKneeShare * ceiling, ceiling) * fade;
        const double r = limit(bus.right[s] * gain, kKneeShare * ceiling, ceiling) * fade;
        pcm[2 * s] = static_cast<std::int16_t>(std::lround(l * kFullScale));
        pcm[2 * s + 1] = static_cast<std::int16_t>(std::lround(r * kFullScale));
    }
    return pcm;
}
