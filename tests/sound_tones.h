// Synthetic music for the sound tests: pure tones on spectrum band centres,
// written straight into a 44100 Hz stereo track.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "decode.h"
#include "spectrum.h"

constexpr double kTestPcmFullScale = 32767.0;
constexpr double kTestTwoPi = 6.283185307179586;

// Appends `frames` frames of a sine on the centre of `band` with peak
// `amplitude` (1.0 = full scale) to both channels; `rightSign` -1 puts the
// right channel in opposite phase.
inline void appendTone(PcmTrack& track, int band, double amplitude, std::size_t frames, int rightSign = 1)
{
    const double step = kTestTwoPi * band / kFftSize;
    for (std::size_t n = 0; n < frames; ++n) {
        const double v = amplitude * kTestPcmFullScale * std::sin(step * static_cast<double>(n));
        const auto s = static_cast<std::int16_t>(std::lround(v));
        track.samples.push_back(s);
        track.samples.push_back(static_cast<std::int16_t>(rightSign * s));
    }
}

inline PcmTrack toneTrack(int band, double amplitude, std::size_t frames)
{
    PcmTrack track;
    appendTone(track, band, amplitude, frames);
    return track;
}

// The band with the largest magnitude.
inline int peakBand(const float* spectrum)
{
    int best = 0;
    for (int k = 1; k < kSpectrumBands; ++k)
        if (spectrum[k] > spectrum[best])
            best = k;
    return best;
}
