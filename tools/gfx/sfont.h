// Bitmap fonts in the SFont layout that SGE opens with SGE_BFSFONT: the
// glyphs for the codes '!' to '~' and the accented letters after it
// (party/letters.h) side by side in one strip, under a marker row whose
// magenta runs mark the gaps between them. SGE makes transparent the colour
// of the bottom-left pixel (always background here) and draws a space as
// wide as the '!' box.
#pragma once

#include <cairo.h>

#include <functional>
#include <string>

#include "canvas.h"
#include "party/letters.h"

struct SFontStyle {
    int height;     // glyph rows, below the marker row
    uint32_t key;   // background colour, made transparent by SGE
    Rgb edge;       // what soft glyph edges are blended towards
    int minAlpha;   // coverage below which a pixel is background
    bool inverted;  // write the negative (marker row excepted)
};

// Box width of a glyph, and a painter that draws it into its box whose top
// left corner is the current origin; both are given the glyph's font code.
using GlyphWidth = std::function<int(int code)>;
using GlyphPainter = std::function<void(cairo_t*, int code, int boxWidth)>;

constexpr int kFirstGlyph = '!';
constexpr int kLastAsciiGlyph = '~';
constexpr int kLastGlyph = kFirstExtraCode + kExtraLetterCount - 1;

// What a glyph shows, as UTF-8 for cairo.
std::string glyphText(int code);

void writeSFont(const std::string& path, const SFontStyle& style, const GlyphWidth& width,
                const GlyphPainter& paint);
