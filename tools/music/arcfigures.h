// How the piece builds and how it comes round: the loudness, brightness and
// busyness of each section, the lift where the band enters, the kick's
// weight, the seam where the file starts again, and how evenly the two
// sides are filled. Measured on the decoded file.
#pragma once

#include "song.h"

#include <cstdint>
#include <string>
#include <vector>

struct SectionArc {
    std::string name;
    bool full = false;          // the whole band plays
    bool fourOnTheFloor = false;
    double lufs = 0.0;          // gated, over the section
    double centroidHz = 0.0;    // of its mean power spectrum
    double onsetsPerSecond = 0.0;
    double subOverMidsDb = 0.0; // the 63 Hz octave against the mean of 125 Hz - 1 kHz
};

struct ArcFigures {
    std::vector<SectionArc> sections;
    double entryLiftLu = 0.0;      // short-term at the band's entry against the loudest before it
    double fullRiseLeastLu = 0.0;  // smallest step from one full section to the next
    double fullRiseTotalLu = 0.0;  // last full section against the first
    double spectrumStepLeastDb = 0.0;  // smallest level-matched spectrum step between neighbours
    double subOverMidsWorstDb = 0.0;   // over the four-on-the-floor sections
    double seamStepDb = 0.0;       // last 100 ms against the first 100 ms
    double seamClickDb = 0.0;      // crackle at the seam against the piece's median
    double leanWorstDb = 0.0;      // largest left/right difference of any 10 s stretch
    double leanWorstAt = 0.0;      // where that stretch starts, seconds
};

// `stereo` is interleaved 16-bit at 44100 Hz.
ArcFigures measureArc(const std::vector<std::int16_t>& stereo, const Song& song);

// Onsets a second in mono[from, to): peaks of the spectral flux.
double onsetRate(const std::vector<float>& mono, std::size_t from, std::size_t to);

// Level in dB of the octave band around `centreHz` in a power spectrum
// from powerSpectrum().
double octaveLevelDb(const std::vector<double>& power, double centreHz);

// Largest left/right level difference, dB, over windows of `windowSeconds`
// stepped by `hopSeconds`; `at` receives the start of that window.
double worstLean(const std::vector<std::int16_t>& stereo, double windowSeconds, double hopSeconds, double& at);
