// The show as the benchmarks draw it: the dummy 640x480x32 screen, every
// picture and font loaded and every effect set up, once per process.
#pragma once

#include <vector>

void openShow();

enum SpectrumKind { kSilence, kMusic, kFullScale };
// A spectrum of 512 bands: silent, like a loud frame of music, or full scale.
std::vector<float> makeSpectrum(int kind);
extern const char* const kSpectrumNames[];
