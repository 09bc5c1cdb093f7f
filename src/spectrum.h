// The spectrum the show draws from: a 1024-point windowed FFT of the mono mix
// of the music, 512 bands, band k centred on k * 44100 / 1024 Hz. Each band's
// magnitude (a full-scale sine on its centre measures 1.0) is handed out
// through a display curve, so music well below full scale still draws tall
// bars: every value lies in [0, 1], silence reads 0, full scale 1.0.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kFftSize = 1024;
constexpr int kSpectrumBands = kFftSize / 2;

// The display curve, a mu-law: ln(1 + mu * m) / ln(1 + mu) with mu = 100,
// limited to [0, 1]. Nearly linear below -40 dB, so the noise floor stays
// dark; -20 dB reads 0.52, -6 dB 0.85, full scale 1.0. Never decreasing.
float spectrumCurve(float magnitude);

// Fills `out` with the spectrum of the 1024 frames of `stereo` (interleaved,
// `frames` long) that start at frame `position`; frames past the end count
// as silence.
void computeSpectrum(const std::int16_t* stereo, std::size_t frames, std::size_t position,
                     float out[kSpectrumBands]);
