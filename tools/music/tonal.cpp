#include "dsp.h"
#include "instruments.h"

#include <algorithm>

namespace {

// The lead sings: vibrato sets in after a short straight start, as a tracker
// musician would add it by hand on long notes.
constexpr double kVibratoDelay = 0.18;
constexpr double kVibratoRamp = 0.25;
constexpr double kVibratoDepth = 0.3;  // semitones
constexpr double kVibratoHz = 5.5;
// Takes the edge off the pulse's top harmonics without dulling it.
constexpr double kLeadToneHz = 7000.0;
// A second pulse an octave below fattens the lead, the usual tracker trick.
constexpr double kLeadOctaveMix = 0.6;
constexpr Envelope kLeadEnvelope{0.006, 0.3, 0.75, 0.025};
// Each note is let go a little before its full length, so repeated notes
// (the three Bs of "jingle bells") are heard as three.
constexpr double kLeadLiftOff = 0.03;

// The arpeggio steps through the chord at the old 50 Hz tracker tick.
constexpr long kArpTickFrames = kSampleRate / 50;
constexpr Envelope kArpEnvelope{0.003, 0.12, 0.6, 0.03};

// The pad: the chord held in narrow pulses, each voice slightly detuned and
// its width swaying slowly, so the held chord shimmers instead of standing.
constexpr double kPadDetuneCents = 6.0;
constexpr double kPadDuty = 0.125;
constexpr double kPadDutySwing = 0.06;
constexpr double kPadSwayHz = 0.4;
constexpr Envelope kPadEnvelope{0.04, 0.5, 0.8, 0.12};

// A touch of saturation thickens the triangle into the round bass.
constexpr double kBassSineMix = 1.0;
constexpr double kBassDrive = 1.4;
constexpr Envelope kBassEnvelope{0.004, 0.2, 0.7, 0.05};

double seconds(long frames) { return double(frames) / kSampleRate; }

long endOf(const Event& e, const Envelope& env, const std::vector<float>& out)
{
    const long tail = static_cast<long>(env.release * kSampleRate) + 1;
    return std::min<long>(e.start + e.length + tail, static_cast<long>(out.size()));
}

}  // namespace

// One voice: a note that starts while the one before still sounds cuts it
// off, and starts from the level that one had reached, so the joint is
// seamless.
void renderLead(const std::vector<Event>& events, std::vector<float>& out)
{
    PulseOsc osc, low;
    OnePoleLow tone(kLeadToneHz);
    double level = 0.0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const Event& e = events[i];
        const long next = i + 1 < events.size() ? events[i + 1].start : static_cast<long>(out.size());
        const long end = std::min(endOf(e, kLeadEnvelope, out), next);
        const double held = std::max(0.5 * seconds(e.length), seconds(e.length) - kLeadLiftOff);
        const double from = level;
        for (long s = e.start; s < end; ++s) {
            const double t = seconds(s - e.start);
            const double depth = std::clamp((t - kVibratoDelay) / kVibratoRamp, 0.0, 1.0) * kVibratoDepth;
            const double vibrato = depth * std::sin(kTwoPi * kVibratoHz * (t - kVibratoDelay));
            level = kLeadEnvelope.level(t, held, from);
            const double hz = midiToHz(e.pitches[0] + vibrato);
            const double v = tone.process(osc.next(hz, e.variant) + kLeadOctaveMix * low.next(hz / 2.0, e.variant));
            out[s] += static_cast<float>(v * level * e.velocity);
        }
        if (end < next)
            level = 0.0;
    }
}

void renderArp(const std::vector<Event>& events, std::vector<float>& out)
{
    for (const Event& e : events) {
        PulseOsc osc;
        const long end = endOf(e, kArpEnvelope, out);
        const double held = seconds(e.length);
        const std::size_t count = e.pitches.size();
        for (long s = e.start; s < end; ++s) {
            // Stepping on the song's own clock keeps the cycle even across
            // re-struck chords.
            const double pitch = e.pitches[(s / kArpTickFrames) % count];
            const double env = kArpEnvelope.level(seconds(s - e.start), held);
            out[s] += static_cast<float>(osc.next(midiToHz(pitch), e.variant) * env * e.velocity);
        }
    }
}

void renderPad(const std::vector<Event>& events, std::vector<float>& out)
{
    for (const Event& e : events) {
        std::vector<PulseOsc> voices(e.pitches.size());
        std::vector<double> hz;
        for (std::size_t v = 0; v < voices.size(); ++v)
            hz.push_back(midiToHz(e.pitches[v] + (v % 2 ? kPadDetuneCents : -kPadDetuneCents) / 100.0));
        const long end = endOf(e, kPadEnvelope, out);
        const double held = seconds(e.length);
        const double scale = e.velocity / std::max<std::size_t>(1, voices.size());
        for (long s = e.start; s < end; ++s) {
            const double t = seconds(s);
            double sum = 0.0;
            for (std::size_t v = 0; v < voices.size(); ++v)
                sum += voices[v].next(hz[v], kPadDuty + kPadDutySwing * std::sin(kTwoPi * kPadSwayHz * t + v));
            out[s] += static_cast<float>(sum * kPadEnvelope.level(seconds(s - e.start), held) * scale);
        }
    }
}

void renderBass(const std::vector<Event>& events, std::vector<float>& out)
{
    const double norm = 1.0 / std::tanh(kBassDrive * (1.0 + kBassSineMix));
    for (const Event& e : events) {
        TriangleOsc tri;
        const double hz = midiToHz(e.pitches[0]);
        const long end = endOf(e, kBassEnvelope, out);
        const double held = seconds(e.length);
        for (long s = e.start; s < end; ++s) {
            const double t = seconds(s - e.start);
            const double raw = tri.next(hz) + kBassSineMix * std::sin(kTwoPi * hz * t);
            const double env = kBassEnvelope.level(t, held);
            out[s] += static_cast<float>(std::tanh(kBassDrive * raw) * norm * env * e.velocity);
        }
    }
}
