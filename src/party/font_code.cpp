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

namespace {

// The font, or a view of it whose table starts at the accented letters, and
// the one-character text that stands for `code` in it.
struct Glyph {
    sge_bmpFont font;
    char text[2];
};

Glyph glyphOf(const sge_bmpFont* font, unsigned char code)
{
    Glyph g{*font, {static_cast<char>(code), 0}};
    if (code < kFirstSignedNegative)
        return g;
    const int shift = kFirstExtraCode - kFirstGlyphCode;
    g.font.CharPos += kPositionsPerGlyph * shift;
    g.font.Chars = static_cast<Sint16>(font->Chars - shift);
    g.text[0] = static_cast<char>(code - shift);
    return g;
}

bool hasGlyph(const sge_bmpFont* font, unsigned char code)
{
    return code <= ' ' || code - kFirstGlyphCode < fontGlyphs(font);
}

// How far a glyph moves the pen. SGE sizes a text with room to spare after
// its last glyph, so the pen's step is the size of the glyph twice less the
// size of it once.
int advance(const sge_bmpFont* font, unsigned char code)
{
    if (!hasGlyph(font, code))
        return 0;
    Glyph g = glyphOf(font, code);
    char twice[3] = {g.text[0], g.text[0], 0};
    return sge_BF_TextSize(&g.font, twice).w - sge_BF_TextSize(&g.font, g.text).w;
}

}  // namespace

void drawFontCode(SDL_Surface* dst, sge_bmpFont* font, unsigned char code, Sint16 x, Sint16 y)
{
    if (!hasGlyph(font, code))
        return;
    Glyph g = glyphOf(font, code);
    sge_BF_textout(dst, &g.font, g.text, x, y);
}

int fontCodesWidth(sge_bmpFont* font, const std::string& codes)
{
    int width = 0;
    for (const char c : codes)
        width += advance(font, static_cast<unsigned char>(c));
    return width;
}

void drawFontCodes(SDL_Surface* dst, sge_bmpFont* font, const std::string& codes, Sint16 x, Sint16 y)
{
    for (const char c : codes) {
        const unsigned char code = static_cast<unsigned char>(c);
        drawFontCode(dst, font, code, x, y);
        x = static_cast<Sint16>(x + advance(font, code));
    }
}
