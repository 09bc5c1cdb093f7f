// Averaged power spectra and the views of them the mix figures use:
// third-octave band levels and pitch-class (chroma) profiles.
#pragma once

#include <cstddef>
#include <vector>

constexpr int kAnalysisFft = 4096;

// Mean power of every FFT bin (kAnalysisFft / 2 + 1 of them) over
// Hann-windowed, half-overlapping blocks of mono[from, to).
std::vector<double> powerSpectrum(const std::vector<float>& mono, std::size_t from, std::size_t to);

// Level in dB of each third-octave band from 50 Hz to 16 kHz, relative to
// the whole spectrum's level (so sections of different loudness compare).
std::vector<double> thirdOctaveProfile(const std::vector<double>& power);

// Power share of the bins below `hz`.
double shareBelow(const std::vector<double>& power, double hz);

// Energy per pitch class (0 = C) of the bins between 80 Hz and 5 kHz.
std::vector<double> chroma(const std::vector<double>& power);

double cosineSimilarity(const std::vector<double>& a, const std::vector<double>& b);
