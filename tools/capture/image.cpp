#include "image.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "output_file.h"

namespace {

constexpr int kRgbBytes = 3;
// Level 1 and no row filters: a frame costs a few milliseconds and the flat
// areas of the show still shrink well.
constexpr int kPngCompression = 1;

std::uint8_t channel(Uint32 pixel, Uint32 mask, Uint8 shift, Uint8 loss)
{
    return static_cast<std::uint8_t>(((pixel & mask) >> shift) << loss);
}

}  // namespace

void surfaceToRgb(SDL_Surface* surface, RgbImage& out)
{
    out.width = surface->w;
    out.height = surface->h;
    out.rgb.resize(static_cast<std::size_t>(out.width) * out.height * kRgbBytes);
    const SDL_PixelFormat* f = surface->format;
    if (SDL_MUSTLOCK(surface))
        SDL_LockSurface(surface);
    std::uint8_t* dst = out.rgb.data();
    for (int y = 0; y < surface->h; y++) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(surface->pixels) +
                                                          y * surface->pitch);
        for (int x = 0; x < surface->w; x++) {
            const Uint32 p = row[x];
            *dst++ = channel(p, f->Rmask, f->Rshift, f->Rloss);
            *dst++ = channel(p, f->Gmask, f->Gshift, f->Gloss);
            *dst++ = channel(p, f->Bmask, f->Bshift, f->Bloss);
        }
    }
    if (SDL_MUSTLOCK(surface))
        SDL_UnlockSurface(surface);
}

namespace {

bool writePngFile(std::FILE* file, const std::string& path, const RgbImage& image, std::string& error)
{
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        error = "out of memory writing " + path;
        return false;
    }
    // libpng reports its errors by longjmp; nothing with a destructor is
    // created between here and the end of the writing.
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        error = "cannot write " + path + " (disk full?)";
        return false;
    }
    png_init_io(png, file);
    png_set_compression_level(png, kPngCompression);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, image.width, image.height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_BASE, PNG_FILTER_TYPE_BASE);
    png_write_info(png, info);
    const std::size_t stride = static_cast<std::size_t>(image.width) * kRgbBytes;
    for (int y = 0; y < image.height; y++)
        png_write_row(png, image.rgb.data() + y * stride);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

}  // namespace

bool writePng(const std::string& path, const RgbImage& image, std::string& error)
{
    // Written under a name of its own and renamed when complete: a stopped
    // run or a full disk leaves no frame that is cut short under its real name.
    OutputFile file;
    if (!file.create(path, error))
        return false;
    if (!writePngFile(file.stream(), path, image, error))
        return false;  // the unfinished file goes with `file`
    return file.commit(error);
}

std::string frameFileName(long k)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame_%06ld.png", k);
    return name;
}
