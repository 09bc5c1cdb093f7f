#include "picture_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include <unistd.h>

#include "file_ptr.h"
#include "input_file.h"

namespace {

constexpr std::size_t kHeaderBytes = 26;  // enough for a PNG's IHDR and a BMP's info header
const unsigned char kPngSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr std::size_t kPngWidthAt = 16, kPngHeightAt = 20;
constexpr std::size_t kBmpInfoSizeAt = 14, kBmpWidthAt = 18;
constexpr std::uint32_t kBmpCoreInfoSize = 12;  // the old OS/2 header with 16-bit sizes

std::uint32_t bigEndian32(const unsigned char* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

std::uint32_t littleEndian32(const unsigned char* p)
{
    return (std::uint32_t{p[3]} << 24) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[1]} << 8) | p[0];
}

std::uint32_t littleEndian16(const unsigned char* p)
{
    return (std::uint32_t{p[1]} << 8) | p[0];
}

// A BMP stores a top-down picture with a negative height.
std::int64_t bmpSide(std::uint32_t raw)
{
    return std::llabs(static_cast<std::int64_t>(static_cast<std::int32_t>(raw)));
}

// The size the header claims; false when it is neither a PNG nor a BMP.
bool claimedSize(const unsigned char* h, std::size_t n, std::int64_t& w, std::int64_t& h2)
{
    if (n >= kPngHeightAt + 4 && std::memcmp(h, kPngSignature, sizeof kPngSignature) == 0) {
        w = bigEndian32(h + kPngWidthAt);
        h2 = bigEndian32(h + kPngHeightAt);
        return true;
    }
    if (n < kHeaderBytes || h[0] != 'B' || h[1] != 'M')
        return false;
    if (littleEndian32(h + kBmpInfoSizeAt) == kBmpCoreInfoSize) {
        w = littleEndian16(h + kBmpWidthAt);
        h2 = littleEndian16(h + kBmpWidthAt + 2);
    } else {
        w = bmpSide(littleEndian32(h + kBmpWidthAt));
        h2 = bmpSide(littleEndian32(h + kBmpWidthAt + 4));
    }
    return true;
}

Uint32 pixelAt(const SDL_Surface* s, int x, int y)
{
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    switch (s->format->BytesPerPixel) {
    case 1: return *p;
    case 2: return *reinterpret_cast<const Uint16*>(p);
    case 3:
        return SDL_BYTEORDER == SDL_LIL_ENDIAN ? p[0] | (p[1] << 8) | (p[2] << 16)
                                               : (p[0] << 16) | (p[1] << 8) | p[2];
    default: return *reinterpret_cast<const Uint32*>(p);
    }
}

}  // namespace

bool checkPictureFile(const char* path, std::string& reason)
{
    // A FIFO or device is refused here, before anything waits on it.
    const int fd = openInputFile(path, reason);
    if (fd < 0)
        return false;
    errno = 0;
    FilePtr file(fdopen(fd, "rb"));
    if (!file) {
        reason = std::strerror(errno);
        close(fd);
        return false;
    }
    unsigned char header[kHeaderBytes];
    const std::size_t n = std::fread(header, 1, sizeof header, file.get());
    if (std::ferror(file.get())) {  // a folder opens, then fails to read
        reason = std::strerror(errno);
        return false;
    }
    std::int64_t w = 0, h = 0;
    if (!claimedSize(header, n, w, h) || (w <= kMaxPictureSide && h <= kMaxPictureSide))
        return true;
    reason = "the picture claims " + std::to_string(w) + "x" + std::to_string(h) +
             " pixels, more than the " + std::to_string(kMaxPictureSide) + "x" +
             std::to_string(kMaxPictureSide) + " a picture may have";
    return false;
}

int countGlyphMarks(SDL_Surface* font)
{
    if (font->w < 1 || font->h < 1)
        return 0;
    const Uint32 magenta = SDL_MapRGB(font->format, 255, 0, 255);
    int marks = 0;
    if (SDL_MUSTLOCK(font))
        SDL_LockSurface(font);
    bool inMark = false;
    for (int x = 0; x < font->w; x++) {
        const bool here = pixelAt(font, x, 0) == magenta;
        marks += here && !inMark;
        inMark = here;
    }
    if (SDL_MUSTLOCK(font))
        SDL_UnlockSurface(font);
    return marks;
}
