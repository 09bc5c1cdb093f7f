#include "sfont.h"

#include "keyed.h"

namespace {
constexpr int kGap = 2;  // marker columns between two glyph boxes
constexpr uint32_t kMarker = 0xffff00ffu;
}  // namespace

std::string glyphText(int code)
{
    return letterUtf8(code);
}

void writeSFont(const std::string& path, const SFontStyle& style, const GlyphWidth& width,
                const GlyphPainter& paint)
{
    // Layout: gap, box, gap, box, ..., gap, and one plain column at the end so
    // the last marker run is closed.
    int total = kGap;
    for (int ch = kFirstGlyph; ch <= kLastGlyph; ++ch)
        total += width(ch) + kGap;
    total += 1;
    const int h = style.height + 1;

    Canvas art(total, h, true);
    cairo_t* cr = art.cr();
    int x = kGap;
    for (int ch = kFirstGlyph; ch <= kLastGlyph; ++ch) {
        const int w = width(ch);
        cairo_save(cr);
        cairo_rectangle(cr, x, 1, w, style.height);
        cairo_clip(cr);
        cairo_translate(cr, x, 1);
        paint(cr, ch, w);
        cairo_restore(cr);
        x += w + kGap;
    }

    Canvas out(total, h, false);
    flattenOverKey(art, out, style.key, style.edge, style.minAlpha);
    out.beginPixels();
    if (style.inverted)
        for (int y = 1; y < h; ++y)
            for (int px = 0; px < total; ++px)
                out.setPixel(px, y, out.pixel(px, y) ^ 0x00ffffffu);
    // The marker row: magenta over every gap, background elsewhere.
    const uint32_t plain = style.inverted ? (style.key ^ 0x00ffffffu) : style.key;
    for (int px = 0; px < total; ++px)
        out.setPixel(px, 0, plain | 0xff000000u);
    x = 0;
    for (int ch = kFirstGlyph; ch <= kLastGlyph + 1; ++ch) {
        for (int i = 0; i < kGap; ++i)
            out.setPixel(x + i, 0, kMarker);
        if (ch <= kLastGlyph)
            x += kGap + width(ch);
    }
    out.endPixels();
    out.saveBmp(path);
}
