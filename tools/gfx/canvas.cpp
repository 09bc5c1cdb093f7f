#include "canvas.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

Rgb mix(Rgb a, Rgb b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb scaled(Rgb c, double k)
{
    auto ch = [k](double v) { return std::clamp(v * k, 0.0, 1.0); };
    return {ch(c.r), ch(c.g), ch(c.b)};
}

void setColor(cairo_t* cr, Rgb c, double alpha)
{
    cairo_set_source_rgba(cr, c.r, c.g, c.b, alpha);
}

Canvas::Canvas(int width, int height, bool alpha)
    : width_(width),
      height_(height),
      alpha_(alpha),
      surface_(cairo_image_surface_create(alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24, width,
                                          height)),
      cr_(cairo_create(surface_))
{
    // An opaque canvas starts black, a transparent one empty; either way every
    // byte is defined, so the files do not depend on what the allocator left.
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgba(cr_, 0, 0, 0, alpha ? 0 : 1);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

Canvas::~Canvas()
{
    cairo_destroy(cr_);
    cairo_surface_destroy(surface_);
}

void Canvas::beginPixels()
{
    cairo_surface_flush(surface_);
}

void Canvas::endPixels()
{
    cairo_surface_mark_dirty(surface_);
}

uint32_t Canvas::pixel(int x, int y) const
{
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    uint32_t p = reinterpret_cast<const uint32_t*>(data + y * stride)[x];
    return alpha_ ? p : (p | 0xff000000u);
}

void Canvas::setPixel(int x, int y, uint32_t p)
{
    unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    reinterpret_cast<uint32_t*>(data + y * stride)[x] = p;
}

static void fail(const std::string& what, const std::string& path)
{
    std::fprintf(stderr, "gfxgen: %s %s\n", what.c_str(), path.c_str());
    std::exit(1);
}

void Canvas::savePng(const std::string& path) const
{
    cairo_surface_flush(surface_);
    if (cairo_surface_write_to_png(surface_, path.c_str()) != CAIRO_STATUS_SUCCESS)
        fail("cannot write", path);
}

uint32_t unpremultiplied(uint32_t p)
{
    const int a = alphaOf(p);
    if (a == 0)
        return 0;
    if (a == 255)
        return p;
    auto ch = [a](int v) { return std::min(255, (v * 255 + a / 2) / a); };
    return argb(a, ch(redOf(p)), ch(greenOf(p)), ch(blueOf(p)));
}

void Canvas::saveBmp(const std::string& path) const
{
    cairo_surface_flush(surface_);
    SDL_Surface* out =
        SDL_CreateRGBSurface(SDL_SWSURFACE, width_, height_, 24, 0xff0000, 0x00ff00, 0x0000ff, 0);
    if (!out)
        fail("cannot allocate a surface for", path);
    SDL_LockSurface(out);
    for (int y = 0; y < height_; ++y) {
        auto* row = static_cast<Uint8*>(out->pixels) + y * out->pitch;
        for (int x = 0; x < width_; ++x) {
            const uint32_t p = pixel(x, y);
            // 24-bit SDL surfaces with these masks store blue, green, red.
            row[3 * x + 0] = static_cast<Uint8>(blueOf(p));
            row[3 * x + 1] = static_cast<Uint8>(greenOf(p));
            row[3 * x + 2] = static_cast<Uint8>(redOf(p));
        }
    }
    SDL_UnlockSurface(out);
    if (SDL_SaveBMP(out, path.c_str()) != 0)
        fail("cannot write", path);
    SDL_FreeSurface(out);
}
