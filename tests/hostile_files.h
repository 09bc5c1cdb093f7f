// Small files that lie: headers that claim huge pictures, and a font picture
// with any number of glyph marks on its top row.
#pragma once

#include <cstdint>
#include <filesystem>

namespace hostile {

// A PNG signature and IHDR chunk (with its CRC) claiming `w` x `h` RGBA
// pixels, followed by a few bytes of an IDAT chunk and nothing else.
void writePngClaiming(const std::filesystem::path& at, std::uint32_t w, std::uint32_t h);
// A BMP file and info header claiming `w` x `h` 24-bit pixels, and a few
// bytes of pixel data.
void writeBmpClaiming(const std::filesystem::path& at, std::int32_t w, std::int32_t h);
// A BMP in the SFont layout: `marks` single magenta pixels on the top row,
// four pixels apart, white glyph cells below.
void writeFontWithMarks(const std::filesystem::path& at, int marks);

}  // namespace hostile
