// The master's peak limiter. It works on the whole piece at once, so it can
// look ahead as far as it likes: the gain starts to fall a few milliseconds
// before a peak and is down just far enough when the peak arrives, instead
// of bending the waveform (which is what made every kick distort).
#pragma once

#include <vector>

struct LimiterSettings {
    double ceiling;           // largest sample allowed out, full scale = 1
    double lookaheadSeconds;  // how early the gain starts to fall
    double releaseSeconds;    // time constant of its return to 1
};

// The gain (at most 1) for every frame of a stereo pair, one gain for both
// channels so the image does not shift: max(|left|, |right|) * gain stays
// within the ceiling everywhere.
std::vector<float> limiterGain(const std::vector<float>& left, const std::vector<float>& right,
                               const LimiterSettings& settings);
