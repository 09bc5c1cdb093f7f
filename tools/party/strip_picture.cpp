#include "strip_picture.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cairo.h>
#include <fcntl.h>
#include <png.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

#include "picture_file.h"

namespace {

// Written into every prepared file, so that a later run knows the file as
// its own and may renew it.
const char* const kMadeByKey = "Software";
const char* const kMadeBy = "frosthem party-pictures";
const char* const kSuffix = ".strip.png";

bool madeByUs(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return bytes.find(kMadeBy) != std::string::npos;
}

// The picture in cairo's premultiplied ARGB32.
cairo_surface_t* readPicture(const std::string& path, std::string& reason)
{
    if (!checkPictureFile(path.c_str(), reason))
        return nullptr;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded) {
        reason = SDL_GetError();
        return nullptr;
    }
    if (loaded->w > kMaxPictureSide || loaded->h > kMaxPictureSide) {
        SDL_FreeSurface(loaded);
        reason = "larger than " + std::to_string(kMaxPictureSide) + " pixels either way";
        return nullptr;
    }
    SDL_Surface* argb = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0x00ff0000,
                                             0x0000ff00, 0x000000ff, 0xff000000);
    SDL_SetAlpha(loaded, 0, 255);  // copy the alpha channel, do not blend with it
    SDL_BlitSurface(loaded, nullptr, argb, nullptr);
    SDL_FreeSurface(loaded);
    cairo_surface_t* image = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, argb->w, argb->h);
    cairo_surface_flush(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    const int stride = cairo_image_surface_get_stride(image);
    SDL_LockSurface(argb);
    for (int y = 0; y < argb->h; y++) {
        const Uint32* from = reinterpret_cast<const Uint32*>(
            static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
        uint32_t* to = reinterpret_cast<uint32_t*>(data + y * stride);
        for (int x = 0; x < argb->w; x++) {
            const uint32_t p = from[x], a = p >> 24;
            const auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
            to[x] = (a << 24) | (pre((p >> 16) & 0xff) << 16) | (pre((p >> 8) & 0xff) << 8) |
                    pre(p & 0xff);
        }
    }
    SDL_UnlockSurface(argb);
    SDL_FreeSurface(argb);
    cairo_surface_mark_dirty(image);
    return image;
}

// An opaque RGB PNG of the slot, marked as ours; what is transparent in the
// picture comes out black.
bool writePng(FILE* out, cairo_surface_t* slot)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, out);
    png_set_IHDR(png, info, kSlotWidth, kSlotHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_text text{};
    text.compression = PNG_TEXT_COMPRESSION_NONE;
    text.key = const_cast<char*>(kMadeByKey);
    text.text = const_cast<char*>(kMadeBy);
    png_set_text(png, info, &text, 1);
    png_write_info(png, info);
    const unsigned char* data = cairo_image_surface_get_data(slot);
    const int stride = cairo_image_surface_get_stride(slot);
    std::vector<png_byte> row(kSlotWidth * 3);
    for (int y = 0; y < kSlotHeight; y++) {
        const uint32_t* px = reinterpret_cast<const uint32_t*>(data + y * stride);
        for (int x = 0; x < kSlotWidth; x++) {
            row[x * 3] =
                static_cast<png_byte>(px[x] >> 16);  // over black: premultiplied is the colour
            row[x * 3 + 1] = static_cast<png_byte>(px[x] >> 8);
            row[x * 3 + 2] = static_cast<png_byte>(px[x]);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

// Written whole under a name of our own, then renamed over the target.
bool writeSlot(const std::string& path, cairo_surface_t* slot, std::string& reason)
{
    const std::string partial = path + ".partial";
    const int fd = open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0644);
    if (fd < 0) {
        reason = "cannot write " + partial + ": " + std::strerror(errno);
        return false;
    }
    FILE* out = fdopen(fd, "wb");
    const bool written = out && writePng(out, slot);
    const bool closed = out ? std::fclose(out) == 0 : close(fd) == 0;
    if (!written || !closed || std::rename(partial.c_str(), path.c_str()) != 0) {
        reason = "cannot write " + path + ": " + std::strerror(errno);
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

}  // namespace

StripCrop stripCrop(int w, int h, std::optional<std::pair<int, int>> focus)
{
    const double scale =
        std::max(static_cast<double>(kSlotWidth) / w, static_cast<double>(kSlotHeight) / h);
    const double cw = kSlotWidth / scale, ch = kSlotHeight / scale;
    // The focus names a pixel: its middle is what is centred.
    const double fx = focus ? focus->first + 0.5 : w / 2.0;
    const double fy = focus ? focus->second + 0.5 : h / 2.0;
    return {scale, std::clamp(fx - cw / 2, 0.0, w - cw), std::clamp(fy - ch / 2, 0.0, h - ch)};
}

std::string stripFileFor(const std::string& picture)
{
    const size_t slash = picture.find_last_of('/');
    const size_t dot = picture.find_last_of('.');
    const bool hasExtension =
        dot != std::string::npos && (slash == std::string::npos || dot > slash + 1);
    return (hasExtension ? picture.substr(0, dot) : picture) + kSuffix;
}

bool prepareStripPicture(const std::string& picture, std::optional<std::pair<int, int>> focus,
                         std::string& reason)
{
    const std::string target = stripFileFor(picture);
    if (access(target.c_str(), F_OK) == 0 && !madeByUs(target)) {
        reason = target + " is there already and was not made by this step: move it away";
        return false;
    }
    cairo_surface_t* image = readPicture(picture, reason);
    if (!image)
        return false;
    const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    if (focus && (focus->first >= w || focus->second >= h)) {
        reason = "the focus (" + std::to_string(focus->first) + ", " +
                 std::to_string(focus->second) + ") lies outside the picture, which is " +
                 std::to_string(w) + "x" + std::to_string(h);
        cairo_surface_destroy(image);
        return false;
    }
    const StripCrop crop = stripCrop(w, h, focus);
    cairo_surface_t* slot =
        cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kSlotWidth, kSlotHeight);
    cairo_t* cr = cairo_create(slot);
    cairo_scale(cr, crop.scale, crop.scale);
    cairo_translate(cr, -crop.left, -crop.top);
    cairo_set_source_surface(cr, image, 0, 0);
    // BEST averages over every source pixel a slot pixel covers when
    // shrinking; PAD keeps the edges from fading into the transparent outside.
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BEST);
    cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
    cairo_paint(cr);
    cairo_destroy(cr);
    cairo_surface_flush(slot);
    const bool ok = writeSlot(target, slot, reason);
    cairo_surface_destroy(slot);
    cairo_surface_destroy(image);
    return ok;
}
