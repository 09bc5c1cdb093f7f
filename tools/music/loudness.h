// Loudness as broadcasters measure it (ITU-R BS.1770 K-weighting, EBU R128
// loudness range), for the figures the music is held to.
#pragma once

#include <cstdint>
#include <vector>

struct Loudness {
    double integrated;  // LUFS, gated
    double range;       // LU, 10th to 95th percentile of the gated short-term loudness
    std::vector<double> shortTerm;  // LUFS of 3 s windows, every 0.1 s
};

// `stereo` is interleaved 16-bit at 44100 Hz.
Loudness measureLoudness(const std::vector<std::int16_t>& stereo);
