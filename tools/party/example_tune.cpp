// The example party's music: a short tune of our own, synthesized here: a
// square-wave lead, a triangle bass and noise hats, twelve bars at 120
// beats a minute, 24 seconds, longer than the show's 18-second opening.
#include <cmath>
#include <cstdint>
#include <vector>

#include "common/rng.h"
#include "example_party.h"

namespace {

constexpr int kRate = 44100;
constexpr double kBeatSeconds = 0.5;
constexpr int kBeatsPerBar = 4;

// MIDI note numbers, a quarter note each; 0 rests, -1 holds the last.
constexpr int kMelody[][kBeatsPerBar] = {
    {69, 72, 76, 72}, {74, 77, 76, 74}, {72, 76, 81, 79}, {76, -1, -1, 0},
    {77, 76, 74, 72}, {71, 74, 79, 77}, {76, 72, 74, 71}, {69, -1, -1, 0},
    {77, 76, 74, 72}, {71, 74, 79, 77}, {76, 72, 74, 71}, {69, -1, -1, 0},
};
constexpr int kBass[] = {45, 50, 48, 52, 41, 43, 48, 45, 41, 43, 40, 45};
constexpr int kBars = sizeof kBass / sizeof kBass[0];
static_assert(sizeof kMelody / sizeof kMelody[0] == kBars, "a bass note for every bar");

double frequency(int note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Adds a note from `start` for `seconds`, shaped by a short attack and an
// exponential decay, panned by `left` (0 right .. 1 left).
template <class Wave>
void addNote(std::vector<float>& stereo, double start, double seconds, double gain, double left,
             Wave wave)
{
    const int first = static_cast<int>(start * kRate);
    const int count = static_cast<int>(seconds * kRate);
    for (int i = 0; i < count && (first + i) * 2 + 1 < static_cast<int>(stereo.size()); i++) {
        const double t = static_cast<double>(i) / kRate;
        const double env =
            std::min(1.0, t / 0.005) * std::exp(-t * 3.0) * std::min(1.0, (seconds - t) / 0.01);
        const double v = wave(t) * env * gain;
        stereo[(first + i) * 2] += static_cast<float>(v * left);
        stereo[(first + i) * 2 + 1] += static_cast<float>(v * (1 - left));
    }
}

}  // namespace

std::vector<std::int16_t> exampleTune()
{
    const double seconds = kBars * kBeatsPerBar * kBeatSeconds;
    std::vector<float> mix(static_cast<size_t>(seconds * kRate) * 2, 0.0f);
    Rng rng(1217);
    for (int bar = 0; bar < kBars; bar++) {
        for (int beat = 0; beat < kBeatsPerBar; beat++) {
            const double at = (bar * kBeatsPerBar + beat) * kBeatSeconds;
            const int note = kMelody[bar][beat];
            if (note > 0) {
                int held = 1;
                while (beat + held < kBeatsPerBar && kMelody[bar][beat + held] == -1)
                    held++;
                const double f = frequency(note);
                addNote(mix, at, held * kBeatSeconds, 0.22, 0.6,
                        [f](double t) { return std::fmod(t * f, 1.0) < 0.5 ? 1.0 : -1.0; });
            }
            // Bass in eighths, an octave jump on the off-beat.
            for (int half = 0; half < 2; half++) {
                const double f = frequency(kBass[bar] + 12 * half);
                addNote(mix, at + half * kBeatSeconds / 2, kBeatSeconds / 2, 0.35, 0.5,
                        [f](double t) { return 1 - 4 * std::fabs(std::fmod(t * f, 1.0) - 0.5); });
                addNote(mix, at + half * kBeatSeconds / 2, 0.04, half ? 0.12 : 0.06, 0.3,
                        [&rng](double) { return rng.bipolar(); });
            }
        }
    }
    std::vector<std::int16_t> out(mix.size());
    for (size_t i = 0; i < mix.size(); i++)
        out[i] =
            static_cast<std::int16_t>(std::lround(std::fmax(-1.0, std::fmin(1.0, mix[i])) * 32000));
    return out;
}
