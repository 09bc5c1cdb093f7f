#include "hostile_files.h"

#include <SDL.h>

#include <string>

#include "harness.h"

namespace hostile {

namespace {

constexpr int kFontHeight = 12;
constexpr int kMarkSpacing = 4;
constexpr std::size_t kLittleData = 64;

void putBig32(std::string& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((v >> shift) & 0xff);
}

void putLittle(std::string& out, std::uint32_t v, int bytes)
{
    for (int i = 0; i < bytes; i++)
        out += static_cast<char>((v >> (8 * i)) & 0xff);
}

// The CRC-32 a PNG chunk ends with, over its type and data.
std::uint32_t crc32(const std::string& bytes)
{
    std::uint32_t crc = 0xffffffffu;
    for (unsigned char c : bytes) {
        crc ^= c;
        for (int k = 0; k < 8; k++)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xffffffffu;
}

void putChunk(std::string& out, const std::string& type, const std::string& data)
{
    putBig32(out, static_cast<std::uint32_t>(data.size()));
    out += type + data;
    putBig32(out, crc32(type + data));
}

}  // namespace

void writePngClaiming(const std::filesystem::path& at, std::uint32_t w, std::uint32_t h)
{
    std::string png = "\x89PNG\r\n\x1a\n";
    std::string ihdr;
    putBig32(ihdr, w);
    putBig32(ihdr, h);
    ihdr += std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, no interlace
    putChunk(png, "IHDR", ihdr);
    putBig32(png, 0x10000);  // an IDAT that claims far more than follows
    png += "IDAT" + std::string(kLittleData, '\0');
    harness::spill(at, png);
}

void writeBmpClaiming(const std::filesystem::path& at, std::int32_t w, std::int32_t h)
{
    constexpr std::uint32_t kFileHeader = 14, kInfoHeader = 40;
    std::string bmp = "BM";
    putLittle(bmp, kFileHeader + kInfoHeader + kLittleData, 4);
    putLittle(bmp, 0, 4);
    putLittle(bmp, kFileHeader + kInfoHeader, 4);
    putLittle(bmp, kInfoHeader, 4);
    putLittle(bmp, static_cast<std::uint32_t>(w), 4);
    putLittle(bmp, static_cast<std::uint32_t>(h), 4);
    putLittle(bmp, 1, 2);   // planes
    putLittle(bmp, 24, 2);  // bits per pixel
    for (int i = 0; i < 6; i++)
        putLittle(bmp, 0, 4);  // no compression, sizes and colours left to the reader
    bmp += std::string(kLittleData, '\x7f');
    harness::spill(at, bmp);
}

void writeFontWithMarks(const std::filesystem::path& at, int marks)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, marks * kMarkSpacing, kFontHeight, 24, 0xff0000,
                                          0x00ff00, 0x0000ff, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 255, 255, 255));
    SDL_Rect top{0, 0, static_cast<Uint16>(s->w), 1};
    SDL_FillRect(s, &top, SDL_MapRGB(s->format, 0, 0, 0));
    for (int i = 0; i < marks; i++) {
        SDL_Rect mark{static_cast<Sint16>(i * kMarkSpacing), 0, 1, 1};
        SDL_FillRect(s, &mark, SDL_MapRGB(s->format, 255, 0, 255));
    }
    SDL_SaveBMP(s, at.c_str());
    SDL_FreeSurface(s);
}

}  // namespace hostile
