// Bitmap fonts in the SFont layout that SGE opens with SGE_BFSFONT: the
// glyphs '!' to '~' side by side in one strip, under a marker row whose
// magenta runs mark the gaps between them. SGE makes transparent the colour
// of the bottom-left pixel (always background here) and draws a space as
// wide as the '!' box.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>

#include "canvas.h"

struct SFontStyle {
    int height;     // glyph rows, below the marker row
    uint32_t key;   // background colour, made transparent by SGE
    Rgb edge;       // what soft glyph edges are blended towards
    int minAlpha;   // coverage below which a pixel is background
    bool inverted;  // write the negative (marker row excepted)
};

// Box width of a glyph, and a painter that draws it into its box whose top
// left corner is the current origin.
using GlyphWidth = std::function<int(char)>;
using GlyphPainter = std::function<void(cairo_t*, char, int boxWidth)>;

constexpr char kFirstGlyph = '!';
constexpr char kLastGlyph = '~';

void writeSFont(const std::string& path, const SFontStyle& style, const GlyphWidth& width,
                const GlyphPainter& paint);
