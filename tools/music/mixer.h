// The mixing desk: renders every part, places it in the stereo field, adds
// the echo and brings the master to the house level, ready for the encoder.
#pragma once

#include "song.h"

#include <cstdint>
#include <vector>

// Fixed seed of all noise in the piece.
constexpr std::uint32_t kNoiseSeed = 0x20051224u;

// Interleaved 16-bit stereo at 44100 Hz, song.frames long.
std::vector<std::int16_t> mixSong(const Song& song);
