#include "party/font_code.h"

#include "party/letters.h"

namespace {
constexpr int kFirstGlyphCode = '!';
// SGE keeps the start and end of each glyph mark, two positions a glyph.
constexpr int kPositionsPerGlyph = 2;
// Codes from here on go through the view.
constexpr int kFirstSignedNegative = 128;
}  // namespace

int fontGlyphs(const sge_bmpFont* font)
{
    // Marks close each glyph's box on both sides: one more than glyphs.
    return font->Chars - 1;
}

void drawFontCode(SDL_Surface* dst, sge_bmpFont* font, unsigned char code, Sint16 x, Sint16 y)
{
    if (code > ' ' && code - kFirstGlyphCode >= fontGlyphs(font))
        return;
    if (code < kFirstSignedNegative) {
        char text[2] = {static_cast<char>(code), 0};
        sge_BF_textout(dst, font, text, x, y);
        return;
    }
    const int shift = kFirstExtraCode - kFirstGlyphCode;
    sge_bmpFont view = *font;
    view.CharPos += kPositionsPerGlyph * shift;
    view.Chars = static_cast<Sint16>(font->Chars - shift);
    char text[2] = {static_cast<char>(code - shift), 0};
    sge_BF_textout(dst, &view, text, x, y);
}
