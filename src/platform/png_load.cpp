// PNG decoding that follows SDL_image 1.2's choices: 16-bit channels cut to
// 8, small depths spread to a byte a pixel; a palette stays 8-bit with a
// single fully transparent entry as its colour key, and any other
// transparency in a palette expands the picture to RGBA; grey becomes an
// 8-bit picture with a grey ramp palette, grey with alpha RGBA; RGB is 24-bit
// (a tRNS colour becomes its key), RGBA 32-bit, both in byte order R, G, B(, A).
#include "png_load.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <png.h>

namespace {

constexpr int kSignatureBytes = 8;

struct ReadState {
    SDL_RWops* src;
    std::string error;  // libpng's complaint, for the one-line message
};

void readData(png_structp png, png_bytep out, png_size_t length)
{
    auto* state = static_cast<ReadState*>(png_get_io_ptr(png));
    if (SDL_RWread(state->src, out, 1, static_cast<int>(length)) != static_cast<int>(length))
        png_error(png, "file ends early");
}

void onError(png_structp png, png_const_charp message)
{
    auto* state = static_cast<ReadState*>(png_get_error_ptr(png));
    state->error = message;
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp message)
{
    std::fprintf(stderr, "libpng warning: %s\n", message);
}

// What SDL_image does with a tRNS chunk: the index of a palette's single
// fully transparent entry (all others opaque), or -1 when the palette has
// to expand to RGBA instead.
int singleTransparentIndex(png_bytep trans, int count)
{
    int key = -1;
    for (int i = 0; i < count; i++) {
        if (trans[i] == 0) {
            if (key >= 0)
                return -1;
            key = i;
        } else if (trans[i] != 255) {
            return -1;
        }
    }
    return key;
}

// The decoding proper, apart from the objects that need freeing, since
// setjmp makes locals with destructors unsafe. `rows` is filled here.
SDL_Surface* decode(png_structp png, png_infop info, std::vector<png_bytep>& rows)
{
    SDL_Surface* volatile surface = nullptr;
    if (setjmp(png_jmpbuf(png))) {
        if (surface)
            SDL_FreeSurface(surface);
        return nullptr;
    }
    png_set_sig_bytes(png, kSignatureBytes);
    png_read_info(png, info);

    png_uint_32 width, height;
    int depth, colorType, interlace;
    png_get_IHDR(png, info, &width, &height, &depth, &colorType, &interlace, nullptr, nullptr);

    png_set_strip_16(png);
    png_set_packing(png);
    if (colorType == PNG_COLOR_TYPE_GRAY)
        png_set_expand(png);

    bool keyed = false;
    int paletteKey = -1;
    png_color_16p transColor = nullptr;
    if (png_get_valid(png, info, PNG_INFO_tRNS)) {
        png_bytep trans;
        int count;
        png_get_tRNS(png, info, &trans, &count, &transColor);
        if (colorType == PNG_COLOR_TYPE_PALETTE) {
            paletteKey = singleTransparentIndex(trans, count);
            if (paletteKey >= 0)
                keyed = true;
            else
                png_set_expand(png);
        } else {
            keyed = true;
        }
    }
    if (colorType == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    png_get_IHDR(png, info, &width, &height, &depth, &colorType, &interlace, nullptr, nullptr);

    const int channels = png_get_channels(png, info);
    Uint32 rmask = 0, gmask = 0, bmask = 0, amask = 0;
    if (colorType != PNG_COLOR_TYPE_PALETTE) {
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
        rmask = 0x000000FF;
        gmask = 0x0000FF00;
        bmask = 0x00FF0000;
        amask = channels == 4 ? 0xFF000000 : 0;
#else
        const int shift = channels == 4 ? 0 : 8;
        rmask = 0xFF000000 >> shift;
        gmask = 0x00FF0000 >> shift;
        bmask = 0x0000FF00 >> shift;
        amask = 0x000000FF >> shift;
#endif
    }
    surface = SDL_CreateRGBSurface(SDL_SWSURFACE, static_cast<int>(width), static_cast<int>(height),
                                   depth * channels, rmask, gmask, bmask, amask);
    if (!surface)
        png_error(png, "out of memory for the picture");
    if (keyed) {
        // SDL_image keeps the low byte of a 16-bit key colour.
        const Uint32 key = colorType == PNG_COLOR_TYPE_PALETTE
                               ? static_cast<Uint32>(paletteKey)
                               : SDL_MapRGB(surface->format, static_cast<Uint8>(transColor->red),
                                            static_cast<Uint8>(transColor->green),
                                            static_cast<Uint8>(transColor->blue));
        SDL_SetColorKey(surface, SDL_SRCCOLORKEY, key);
    }

    rows.resize(height);
    for (png_uint_32 y = 0; y < height; y++)
        rows[y] = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
    png_read_image(png, rows.data());

    if (SDL_Palette* palette = surface->format->palette) {
        png_colorp colors;
        int count = 0;
        if (colorType == PNG_COLOR_TYPE_GRAY) {
            palette->ncolors = 256;
            for (int i = 0; i < 256; i++)
                palette->colors[i] = SDL_Color{Uint8(i), Uint8(i), Uint8(i), 0};
        } else if (png_get_PLTE(png, info, &colors, &count) && count > 0) {
            palette->ncolors = count;
            for (int i = 0; i < count; i++)
                palette->colors[i] = SDL_Color{colors[i].red, colors[i].green, colors[i].blue, 0};
        }
    }
    return surface;
}

SDL_Surface* loadPng(SDL_RWops* src)
{
    ReadState state{src, {}};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &state, onError, onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    SDL_Surface* surface = nullptr;
    if (info) {
        png_set_read_fn(png, &state, readData);
        std::vector<png_bytep> rows;
        surface = decode(png, info, rows);
    } else {
        state.error = "libpng could not start";
    }
    png_destroy_read_struct(png ? &png : nullptr, info ? &info : nullptr, nullptr);
    SDL_RWclose(src);
    if (!surface)
        SDL_SetError("Error reading the PNG file. (libpng error: %s)", state.error.c_str());
    return surface;
}

}  // namespace

SDL_Surface* loadPngFile(const char* path)
{
    SDL_RWops* src = SDL_RWFromFile(path, "rb");
    if (!src)
        return nullptr;  // SDL has said why
    png_byte signature[kSignatureBytes];
    const int got = SDL_RWread(src, signature, 1, kSignatureBytes);
    if (got == kSignatureBytes && png_sig_cmp(signature, 0, kSignatureBytes) == 0)
        return loadPng(src);
    SDL_RWseek(src, 0, RW_SEEK_SET);
    return SDL_LoadBMP_RW(src, 1);
}
