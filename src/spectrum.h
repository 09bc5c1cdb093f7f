// The spectrum the show draws from: a 1024-point windowed FFT of the mono mix
// of the music, 512 bands, band k centred on k * 44100 / 1024 Hz, scaled so a
// full-scale sine on a band's centre reads 1.0.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kFftSize = 1024;
constexpr int kSpectrumBands = kFftSize / 2;

// Fills `out` with the spectrum of the 1024 frames of `stereo` (interleaved,
// `frames` long) that start at frame `position`; frames past the end count
// as silence.
void computeSpectrum(const std::int16_t* stereo, std::size_t frames, std::size_t position,
                     float out[kSpectrumBands]);
