#include "mixer.h"

#include "dsp.h"
#include "instruments.h"
#include "limiter.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

struct Placement {
    double gain;
    double pan;        // -1 left .. 1 right
    double echoSend;
};

// In the order of Part. Panned the way a four-channel tracker spreads its
// voices: the melody to one side, the arpeggio to the other, the pad and
// bells opposite the hats; kick, bass and snare stay near the middle, where
// the weight of the mix belongs. The lead's echo returns more than 15 dB
// under it, so a melody stepping down a semitone does not rub against its
// own last note, and the arpeggio's well under the pad, so a chord's echo
// does not rub against the next chord.
constexpr std::array<Placement, kPartCount> kDesk{{
    {0.27, -0.5, 0.25},   // lead
    {0.22, 0.6, 0.08},    // arp
    {0.40, -0.45, 0.0},   // pad
    {0.34, 0.0, 0.0},     // bass
    {0.40, 0.0, 0.0},     // kick
    {0.30, 0.15, 0.05},   // snare
    {0.10, 0.6, 0.0},     // hat
    {0.14, -0.6, 0.1},    // bells
    {0.14, -0.25, 0.0},   // crash
    {0.25, 0.1, 0.2},     // riser
}};

// The bass gives way by half under each kick.
constexpr double kDuckDepth = 0.5;
constexpr double kDuckAttack = 0.002;
constexpr double kDuckRelease = 0.08;

// Ping-pong echo on a dotted eighth, darkened on every repeat like a tape
// echo.
constexpr long kEchoFrames = kEchoRows * kRowFrames;
constexpr double kEchoFeedback = 0.4;
constexpr double kEchoToneHz = 4000.0;
constexpr double kEchoWet = 0.6;

// A broad lift around 2.4 kHz: the upper partials of the pulses are what
// make a chip tune sparkle, and they are what the scope's upper bands show.
constexpr double kPresenceHz = 2400.0;
constexpr double kPresenceQ = 0.6;
constexpr double kPresenceBoost = 1.0;  // added band, about +6 dB at the centre

// House level: loud enough to move the bars, with room below full scale
// for the encoder's overshoot. The level is set low enough that the
// limiter only shaves the odd peak.
constexpr double kTargetRmsDb = -14.9;
constexpr double kCeilingDb = -1.5;
constexpr double kLookaheadSeconds = 0.005;
constexpr double kReleaseSeconds = 0.08;
constexpr double kDcCutHz = 20.0;
// Guards against a click at the loop's seam; the music itself comes to
// rest before them.
constexpr double kEdgeGuardSeconds = 0.01;
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
    const long n = static_cast<long>(mono.size());
    for (long s = 0; s < n; ++s) {
        bus.left[s] += static_cast<float>(mono[s] * l);
        bus.right[s] += static_cast<float>(mono[s] * r);
        bus.send[s] += static_cast<float>(mono[s] * p.gain * p.echoSend);
    }
}

// The bass steps aside for a moment at every kick, as a sidechained bass
// does: the two no longer pile up into one peak.
void duckUnderKick(std::vector<float>& bass, const std::vector<float>& kick)
{
    const double attack = 1.0 - std::exp(-1.0 / (kDuckAttack * kSampleRate));
    const double release = 1.0 - std::exp(-1.0 / (kDuckRelease * kSampleRate));
    double env = 0.0;
    for (std::size_t s = 0; s < bass.size(); ++s) {
        const double level = std::fabs(double(kick[s]));
        env += (level > env ? attack : release) * (level - env);
        bass[s] = static_cast<float>(bass[s] * (1.0 - kDuckDepth * std::min(1.0, env)));
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

// The stereo width rider: where a stretch of the piece leans to one side,
// because the voice carrying it is panned there, the whole picture is
// narrowed just enough to bring it back, the placement itself kept; where
// it does not, the picture opens a little wider than the desk sets it.
// Widths are chosen per block so that every 10 s window leans at most
// kBalanceLeanDb, then glide from block to block.
constexpr double kBalanceBlock = 0.5;
constexpr int kBalanceWindowBlocks = 20;  // 10 s
constexpr double kBalanceLeanDb = 1.3;
constexpr double kWidest = 1.15;
constexpr double kWidthStep = 0.01;

// Lean in dB of a stretch with mid/side powers mm, ss and cross term ms
// once its side is scaled by `width`.
double leanDb(double mm, double ss, double ms, double width)
{
    const double common = mm + width * width * ss, tilt = 2.0 * width * ms;
    if (common - std::fabs(tilt) <= 0.0)
        return INFINITY;
    return std::fabs(10.0 * std::log10((common + tilt) / (common - tilt)));
}

std::vector<double> blockWidths(const Bus& bus, long block)
{
    const long n = static_cast<long>(bus.left.size());
    const long blocks = (n + block - 1) / block;
    std::vector<double> mm(blocks, 0.0), ss(blocks, 0.0), ms(blocks, 0.0);
    for (long s = 0; s < n; ++s) {
        const double m = 0.5 * (bus.left[s] + bus.right[s]), d = 0.5 * (bus.left[s] - bus.right[s]);
        mm[s / block] += m * m;
        ss[s / block] += d * d;
        ms[s / block] += m * d;
    }
    std::vector<double> widths(blocks, kWidest);
    const long window = std::min<long>(kBalanceWindowBlocks, blocks);
    for (long from = 0; from + window <= blocks; ++from) {
        double wm = 0.0, ws = 0.0, wx = 0.0;
        for (long b = from; b < from + window; ++b) {
            wm += mm[b];
            ws += ss[b];
            wx += ms[b];
        }
        double width = kWidest;
        while (width > 0.0 && leanDb(wm, ws, wx, width) > kBalanceLeanDb)
            width = std::max(0.0, width - kWidthStep);
        for (long b = from; b < from + window; ++b)
            widths[b] = std::min(widths[b], width);
    }
    return widths;
}

void balance(Bus& bus)
{
    const long block = static_cast<long>(kBalanceBlock * kSampleRate);
    const std::vector<double> widths = blockWidths(bus, block);
    const long n = static_cast<long>(bus.left.size());
    const long last = static_cast<long>(widths.size()) - 1;
    for (long s = 0; s < n; ++s) {
        // Between the centres of the blocks either side.
        const double at = (double(s) - 0.5 * block) / block;
        const long b = std::clamp<long>(static_cast<long>(std::floor(at)), 0, last);
        const double x = std::clamp(at - double(b), 0.0, 1.0);
        const double width = widths[b] + (widths[std::min(b + 1, last)] - widths[b]) * x;
        const double m = 0.5 * (bus.left[s] + bus.right[s]), d = 0.5 * (bus.left[s] - bus.right[s]);
        bus.left[s] = static_cast<float>(m + width * d);
        bus.right[s] = static_cast<float>(m - width * d);
    }
}

// A raised-cosine guard over the first and last few milliseconds.
double edgeGuard(long s, long n)
{
    const double guard = kEdgeGuardSeconds * kSampleRate;
    const double x = std::min(1.0, std::min(double(s), double(n - 1 - s)) / guard);
    return 0.5 - 0.5 * std::cos(kPi * std::max(0.0, x));
}

}  // namespace

double deskGain(Part part) { return kDesk[static_cast<std::size_t>(part)].gain; }

double echoReturn(Part part) { return kDesk[static_cast<std::size_t>(part)].echoSend * kEchoWet; }

std::vector<std::int16_t> mixSong(const Song& song, MixDetail* detail)
{
    const long n = song.frames;
    Bus bus(n);
    std::array<std::vector<float>, kPartCount> stems;
    for (std::size_t p = 0; p < kPartCount; ++p) {
        stems[p].assign(n, 0.0f);
        // A seed per part, so a change in one part leaves the others' noise alone.
        Rng rng(kNoiseSeed + static_cast<std::uint32_t>(p) * 7919u);
        renderPart(static_cast<Part>(p), song.parts[p], stems[p], rng);
    }
    duckUnderKick(stems[std::size_t(Part::Bass)], stems[std::size_t(Part::Kick)]);
    for (std::size_t p = 0; p < kPartCount; ++p)
        place(stems[p], kDesk[p], bus);
    if (detail)
        detail->stems = std::move(stems);
    addEcho(bus);
    addPresence(bus.left);
    addPresence(bus.right);
    removeDc(bus.left);
    removeDc(bus.right);
    balance(bus);

    double energy = 0.0;
    for (long s = 0; s < n; ++s)
        energy += double(bus.left[s]) * bus.left[s] + double(bus.right[s]) * bus.right[s];
    const double rms = std::sqrt(energy / (2.0 * std::max(1L, n)));
    const double gain = rms > 0.0 ? dbToGain(kTargetRmsDb) / rms : 1.0;
    for (long s = 0; s < n; ++s) {
        bus.left[s] = static_cast<float>(bus.left[s] * gain);
        bus.right[s] = static_cast<float>(bus.right[s] * gain);
    }
    const std::vector<float> limit =
        limiterGain(bus.left, bus.right, {dbToGain(kCeilingDb), kLookaheadSeconds, kReleaseSeconds});

    std::vector<std::int16_t> pcm(2 * n);
    for (long s = 0; s < n; ++s) {
        const double g = limit[s] * edgeGuard(s, n);
        pcm[2 * s] = static_cast<std::int16_t>(std::lround(bus.left[s] * g * kFullScale));
        pcm[2 * s + 1] = static_cast<std::int16_t>(std::lround(bus.right[s] * g * kFullScale));
    }
    if (detail) {
        for (std::size_t p = 0; p < kPartCount; ++p) {
            const double angle = (kDesk[p].pan + 1.0) * kPi / 4.0;
            const double toMono = 0.5 * (std::cos(angle) + std::sin(angle)) * kDesk[p].gain * gain;
            for (float& v : detail->stems[p])
                v = static_cast<float>(v * toMono);
        }
        detail->dryMono.resize(n);
        for (long s = 0; s < n; ++s)
            detail->dryMono[s] = 0.5f * (bus.left[s] + bus.right[s]);
        detail->gain = limit;
    }
    return pcm;
}
