// Frames as packed 8-bit RGB, the form both the PNG files and ffmpeg take.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <SDL.h>

struct RgbImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel
};

// Copies a 32-bit surface into `out`, reusing its storage.
void surfaceToRgb(SDL_Surface* surface, RgbImage& out);

// Writes `image` as a PNG, favouring speed over size. On failure returns
// false with `error` set.
bool writePng(const std::string& path, const RgbImage& image, std::string& error);

// The name of frame k's file: frame_000000.png, frame_000001.png, ...
std::string frameFileName(long k);
