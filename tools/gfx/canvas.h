// A cairo drawing surface that knows how to leave the generator as the file
// formats the show reads: PNG (with or without alpha) and 24-bit BMP.
#pragma once

#include <cairo.h>
#include <cstdint>
#include <string>

struct Rgb {
    double r, g, b;
};

// 0..255 channel values, as colours are usually written down.
constexpr Rgb rgb(int r, int g, int b)
{
    return {r / 255.0, g / 255.0, b / 255.0};
}
Rgb mix(Rgb a, Rgb b, double t);
Rgb scaled(Rgb c, double k);  // darker (k < 1) or lighter (k > 1), clamped

void setColor(cairo_t* cr, Rgb c, double alpha = 1.0);

class Canvas {
public:
    // alpha: ARGB32 surface saved as RGBA PNG; otherwise RGB24 saved as RGB.
    Canvas(int width, int height, bool alpha);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }
    int width() const { return width_; }
    int height() const { return height_; }
    bool hasAlpha() const { return alpha_; }

    // Direct pixel access, premultiplied 0xAARRGGBB as cairo stores it. Call
    // beginPixels() before and endPixels() after a run of reads and writes.
    void beginPixels();
    void endPixels();
    uint32_t pixel(int x, int y) const;
    void setPixel(int x, int y, uint32_t argb);

    void savePng(const std::string& path) const;
    // 24-bit BMP through SDL; alpha, if any, is dropped (colours taken as they
    // are stored, i.e. as if composited over black).
    void saveBmp(const std::string& path) const;

private:
    int width_, height_;
    bool alpha_;
    cairo_surface_t* surface_;
    cairo_t* cr_;
};

// Channel helpers for the premultiplied pixel words.
inline int alphaOf(uint32_t p)
{
    return p >> 24;
}
inline int redOf(uint32_t p)
{
    return (p >> 16) & 0xff;
}
inline int greenOf(uint32_t p)
{
    return (p >> 8) & 0xff;
}
inline int blueOf(uint32_t p)
{
    return p & 0xff;
}
inline uint32_t argb(int a, int r, int g, int b)
{
    return (uint32_t(a) << 24) | (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
}
// The straight (not premultiplied) colour of a pixel; black when empty.
uint32_t unpremultiplied(uint32_t p);
