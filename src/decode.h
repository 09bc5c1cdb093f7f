// Decoding of the music file into memory: the whole MP3, converted to the
// device's 44100 Hz, 16-bit, interleaved stereo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;

struct PcmTrack {
    std::vector<std::int16_t> samples;  // interleaved left, right
    std::size_t frames() const { return samples.size() / kMixChannels; }
};

// Decodes `path` with libmpg123. On failure returns false and sets `error`
// to a short reason (no file name); `out` is then empty.
bool decodeMp3(const char* path, PcmTrack& out, std::string& error);
