// The figures a mixing engineer would hold the music to: from the decoded
// file (loudness, stereo, how sections differ, the loop) and from the
// generator's own per-voice renders (balance, the limiter's work, drums,
// tuning, harmony).
#pragma once

#include "song.h"

#include <cstdint>
#include <string>
#include <vector>

struct FileFigures {
    double integratedLufs = 0.0;
    double loudnessRange = 0.0;      // LU
    double lowShare = 0.0;           // energy below 250 Hz
    double correlation = 0.0;        // left against right
    double monoLossDb = 0.0;         // level lost when summed to mono
    std::vector<std::string> sectionNames;
    std::vector<double> sectionSteps;  // mean |dB| between the level-matched spectra of neighbours
    double seamSimilarity = 0.0;     // chroma of the last 2 s against the first 2 s
    // The show's spectrum (linear, as src/spectrum.cpp gives it) per 60 Hz frame.
    double openingLoudestMedian = 0.0;  // 1-18 s
    double openingLitMedian = 0.0;      // bands 0-79 over the scope's lit level
    double mainLoudestMedian = 0.0;     // 18.5 s to the end, bands 0-319
    double mainBandSumMedian = 0.0;     // sum of bands 0-319
};

struct StemFigures {
    double kickShare = 0.0;         // of the mix's energy
    double kickLossMedianDb = 0.0;  // limiter gain reduction at each kick
    double kickLossMaxDb = 0.0;
    int kicksOverOneDb = 0;
    double bassDuckDb = 0.0;        // the bass under each kick against away from it
    int kicks = 0;
    double limiterResidueDb[2] = {0.0, 0.0};  // 1-4 and 4-16 kHz, 100 ms after kicks, against the mix
    double arpOverLeadDb = 0.0;      // in the arpeggio's band, 600 Hz - 2.5 kHz
    double fillCorrelation = 0.0;    // drum bar against the bar before, fills: largest
    double plainCorrelation = 0.0;   // the same, ordinary bars: mean
    int fills = 0;
    std::vector<double> padToneCents;  // mean pitch of each tone of a held chord
    std::vector<std::string> openEnvelopes;  // parts whose single note does not end at zero
    int clashes = 0;
    int appoggiaturas = 0;
    std::vector<std::string> clashList;
};

// `stereo` is interleaved 16-bit at 44100 Hz, as decoded for the show.
FileFigures measureFile(const std::vector<std::int16_t>& stereo, const Song& song);
StemFigures measureStems(const Song& song);
