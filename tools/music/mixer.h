// The mixing desk: renders every part, places it in the stereo field, adds
// the echo and brings the master to the house level, ready for the encoder.
#pragma once

#include "song.h"

#include <array>
#include <cstdint>
#include <vector>

// Fixed seed of all noise in the piece.
constexpr std::uint32_t kNoiseSeed = 0x20051224u;

// The echo repeats what is sent to it three sixteenths later.
constexpr int kEchoRows = 3;

// The desk's fader for a part, and how loud its first echo returns against
// its dry sound (send x return).
double deskGain(Part part);
double echoReturn(Part part);

// What the desk can tell about a mix besides the mix itself, for measuring
// it voice by voice.
struct MixDetail {
    // Each part's share of the mono sum (left + right) / 2, at the master
    // level, before the limiter; the echo return is not in any of them.
    std::array<std::vector<float>, kPartCount> stems;
    std::vector<float> dryMono;  // the whole mono sum before the limiter
    std::vector<float> gain;     // the limiter's gain, frame by frame
};

// Interleaved 16-bit stereo at 44100 Hz, song.frames long. `detail`, when
// given, receives the stems and the limiter's work.
std::vector<std::int16_t> mixSong(const Song& song, MixDetail* detail = nullptr);
