// How lively the music makes the picture, measured with the show's own
// spectrum one frame at a time at 60 Hz, the way the opening scope and the
// main scene's plasma bars draw it.
#pragma once

#include "decode.h"

#include <cstdio>

namespace music {

struct LivelyFigures {
    // Main scene, from 18.5 s to the end.
    double plasmaPixelsMedian = 0.0;  // bar pixels a frame: 4 x height over bins 0-319
    double loudFrameShare = 0.0;      // frames whose loudest bin reads 0.5 or more
    double fullHeightShare = 0.0;     // bin-frames whose bar is as tall as it gets
    double loudnessCorrelation = 0.0; // Pearson r of the bar pixels with the 50 ms RMS
    // Opening, from 1 s to 18 s.
    double scopeLitMedian = 0.0;      // bins 0-319 over the scope's threshold
    double scopeVisibleLitMedian = 0.0;  // the same for bins 0-79, those on screen
    double scopeLoudestMedian = 0.0;  // the loudest bin's value
};

// What the figures are held to.
struct LivelyBounds {
    static constexpr double kPlasmaPixelsLow = 15000.0;
    static constexpr double kPlasmaPixelsHigh = 60000.0;
    static constexpr float kLoudLevel = 0.5f;
    static constexpr double kLoudFrameShare = 0.5;
    static constexpr double kFullHeightShare = 0.05;
    static constexpr double kLoudnessCorrelation = 0.6;
    static constexpr double kScopeLit = 60.0;
    static constexpr double kScopeLoudest = 0.35;
};

LivelyFigures measureLively(const PcmTrack& track);

// One line a figure with its bound, "ok" or "OUT"; returns whether all hold.
bool printLively(const LivelyFigures& figures, std::FILE* out);

}  // namespace music
