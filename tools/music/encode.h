// MP3 encoding of the finished mix with LAME.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kMp3BitrateKbps = 192;

// Encodes interleaved 44100 Hz 16-bit stereo to a complete MP3 file image,
// Info tag included (it carries the encoder delay and padding, so a gapless
// decoder returns exactly the samples that went in). Returns false and sets
// `error` when LAME refuses.
bool encodeMp3(const std::vector<std::int16_t>& stereo, std::vector<unsigned char>& mp3, std::string& error);
