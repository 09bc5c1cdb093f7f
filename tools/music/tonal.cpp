#include "dsp.h"
#include "instruments.h"

#include <algorithm>

namespace {

// The lead sings: vibrato sets in after a short straight start, as a tracker
// musician would add it by hand on long notes.
constexpr double kVibratoDelay = 0.18;
constexpr double kVibratoRamp = 0.25;
constexpr double kVibratoHz = 5.5;
// Each note is let go a little before its full length, so repeated notes
// (the three Bs of "jingle bells") are heard as three.
constexpr double kLeadLiftOff = 0.03;

// One sound per carol. A second pulse an octave below fattens a lead, the
// usual tracker trick; the low-pass takes the edge off the top harmonics.
// The gains even out the pulses' different loudness at each width.
struct LeadSound {
    double duty;
    double octaveMix;
    double vibrato;  // semitones
    double toneHz;
    double gain;
    Envelope envelope;
};

constexpr LeadSound kLeadSounds[kLeadTimbres] = {
    {0.2, 0.3, 0.15, 6000.0, 0.85, {0.004, 0.25, 0.55, 0.03}},   // music box: the opening
    {0.25, 0.6, 0.3, 7000.0, 1.0, {0.006, 0.3, 0.75, 0.025}},    // verse
    {0.5, 0.45, 0.25, 9000.0, 0.8, {0.004, 0.2, 0.7, 0.03}},     // chorus: hollow square
    {0.18, 0.0, 0.4, 4500.0, 0.95, {0.02, 0.4, 0.85, 0.04}},     // minor carol: thin and singing
    {0.375, 0.5, 0.1, 8000.0, 0.9, {0.002, 0.12, 0.45, 0.02}},   // Deck the Halls: plucked
    {0.25, 0.3, 0.35, 3500.0, 1.0, {0.01, 0.5, 0.8, 0.05}},      // waltz: soft, flute-like
    {0.25, 0.4, 0.0, 6000.0, 1.0, {0.002, 0.6, 0.0, 0.05}},      // the final bell
};

const LeadSound& leadSound(const Event& e)
{
    const int index = std::clamp(static_cast<int>(e.variant), 0, kLeadTimbres - 1);
    return kLeadSounds[index];
}

// The arpeggio steps through the chord at the old 50 Hz tracker tick.
constexpr long kArpTickFrames = kSampleRate / 50;
constexpr Envelope kArpEnvelope{0.003, 0.12, 0.6, 0.03};
// Narrow pulses are all spike: upside down (which sounds the same) the
// arpeggio's spikes no longer add to the lead's, nor half the pad's to the
// other half's, which keeps the mix's peaks down.
constexpr double kArpPolarity = -1.0;

// The pad: the chord held in narrow pulses, each tone a pair detuned the
// same amount either way (so it stays in tune on average) and its width
// swaying slowly, so the held chord shimmers instead of standing.
constexpr double kPadDetuneCents = 5.0;
constexpr double kPadDuty = 0.125;
constexpr double kPadDutySwing = 0.06;
constexpr double kPadSwayHz = 0.4;
constexpr Envelope kPadEnvelope{0.04, 0.5, 0.8, 0.12};

// Saturation squares the triangle off into a chip bass whose harmonics
// reach well up into the scope's bands.
constexpr double kBassSineMix = 1.0;
constexpr double kBassDrive = 3.0;
constexpr Envelope kBassEnvelope{0.004, 0.2, 0.7, 0.05};

double seconds(long frames) { return double(frames) / kSampleRate; }

// A note marked to ring decays freely from its onset instead of holding.
Envelope envelopeFor(const Event& e, const Envelope& usual)
{
    return e.ring > 0.0 ? Envelope{usual.attack, e.ring, 0.0, usual.release} : usual;
}

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
    OnePoleLow tone(kLeadSounds[0].toneHz);
    double level = 0.0;
    for (std::size_t i = 0; i < events.size(); ++i) {
        const Event& e = events[i];
        const LeadSound& sound = leadSound(e);
        const Envelope env = envelopeFor(e, sound.envelope);
        const long next = i + 1 < events.size() ? events[i + 1].start : static_cast<long>(out.size());
        const long end = std::min(endOf(e, env, out), next);
        tone.setCutoff(sound.toneHz);
        const double held = std::max(0.5 * seconds(e.length), seconds(e.length) - kLeadLiftOff);
        const double from = level;
        for (long s = e.start; s < end; ++s) {
            const double t = seconds(s - e.start);
            const double depth = std::clamp((t - kVibratoDelay) / kVibratoRamp, 0.0, 1.0) * sound.vibrato;
            const double vibrato = depth * std::sin(kTwoPi * kVibratoHz * (t - kVibratoDelay));
            level = env.level(t, held, from);
            const double hz = midiToHz(e.pitches[0] + vibrato);
            // The octave below upside down: its spikes fall between the
            // upper pulse's instead of on top of them.
            const double v = osc.next(hz, sound.duty) - sound.octaveMix * low.next(hz / 2.0, sound.duty);
            out[s] += static_cast<float>(tone.process(v) * level * e.velocity * sound.gain);
        }
        if (end < next)
            level = 0.0;
    }
}

void renderArp(const std::vector<Event>& events, std::vector<float>& out)
{
    for (const Event& e : events) {
        PulseOsc osc;
        const Envelope env = envelopeFor(e, kArpEnvelope);
        const long end = endOf(e, env, out);
        const double held = seconds(e.length);
        const std::size_t count = e.pitches.size();
        for (long s = e.start; s < end; ++s) {
            // Stepping on the song's own clock keeps the cycle even across
            // re-struck chords.
            const double pitch = e.pitches[(s / kArpTickFrames) % count];
            const double level = env.level(seconds(s - e.start), held);
            out[s] += static_cast<float>(kArpPolarity * osc.next(midiToHz(pitch), e.variant) * level * e.velocity);
        }
    }
}

void renderPad(const std::vector<Event>& events, std::vector<float>& out)
{
    for (const Event& e : events) {
        std::vector<PulseOsc> voices(2 * e.pitches.size());
        std::vector<double> hz;
        std::vector<double> polarity;
        for (double pitch : e.pitches) {
            hz.push_back(midiToHz(pitch - kPadDetuneCents / 100.0));
            hz.push_back(midiToHz(pitch + kPadDetuneCents / 100.0));
            polarity.push_back(std::lround(pitch) % 2 ? -1.0 : 1.0);
        }
        const Envelope env = envelopeFor(e, kPadEnvelope);
        const long end = endOf(e, env, out);
        const double held = seconds(e.length);
        // Each pair starts in phase, so it sums to twice one pulse.
        const double scale = e.velocity / std::max<std::size_t>(1, voices.size());
        for (long s = e.start; s < end; ++s) {
            const double t = seconds(s);
            double sum = 0.0;
            for (std::size_t v = 0; v < voices.size(); ++v)
                sum += polarity[v / 2] *
                       voices[v].next(hz[v], kPadDuty + kPadDutySwing * std::sin(kTwoPi * kPadSwayHz * t + v / 2));
            out[s] += static_cast<float>(sum * env.level(seconds(s - e.start), held) * scale);
        }
    }
}

void renderBass(const std::vector<Event>& events, std::vector<float>& out)
{
    const double norm = 1.0 / std::tanh(kBassDrive * (1.0 + kBassSineMix));
    for (const Event& e : events) {
        TriangleOsc tri;
        const double hz = midiToHz(e.pitches[0]);
        const Envelope env = envelopeFor(e, kBassEnvelope);
        const long end = endOf(e, env, out);
        const double held = seconds(e.length);
        for (long s = e.start; s < end; ++s) {
            const double t = seconds(s - e.start);
            const double raw = tri.next(hz) + kBassSineMix * std::sin(kTwoPi * hz * t);
            out[s] += static_cast<float>(std::tanh(kBassDrive * raw) * norm * env.level(t, held) * e.velocity);
        }
    }
}
