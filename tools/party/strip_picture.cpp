#include "strip_picture.h"

#include <SDL.h>
#include <SDL_image.h>
#include <cairo.h>

#include <algorithm>
#include <cstdio>

#include "our_png.h"
#include "picture_file.h"

namespace {

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

bool prepareStripPicture(const std::string& picture, std::optional<std::pair<int, int>> focus,
                         std::string& reason)
{
    const std::string target = stripFileFor(picture);
    if (!mayWrite(target, reason))
        return false;
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
    const bool ok = writeOurPng(target, slot, reason);
    cairo_surface_destroy(slot);
    cairo_surface_destroy(image);
    return ok;
}
