// The accented letters drawn after '~' in the show's fonts: each must come
// out of SGE as the glyph the font file holds in its slot, inside its cell,
// and the UTF-8 text of an invitation must land on them.
#include <SDL.h>
#include <gtest/gtest.h>
#include <sge.h>

#include <string>
#include <vector>

#include "party/font_code.h"
#include "party/invitation.h"
#include "party/letters.h"
#include "testutil.h"

namespace {

const std::string kGfx = std::string(FROSTHEM_SOURCE_DIR) + "/gfx/";
constexpr Uint32 kProbe = 0x00ff00;  // a colour no font uses
constexpr Uint32 kMarker = 0xff00ff;
constexpr int kSide = 120;
constexpr int kX = 20, kY = 20;
constexpr int kLastCode = kFirstExtraCode + kExtraLetterCount - 1;

// A picture as rows of 0xRRGGBB, cropped to where `ink` says it is inked.
using Rows = std::vector<std::vector<Uint32>>;

template <class Ink>
Rows crop(SDL_Surface* s, int x0, int y0, int x1, int y1, Ink ink)
{
    int left = x1, right = x0 - 1, top = y1, bottom = y0 - 1;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++)
            if (ink(rgbAt(s, x, y))) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    Rows rows;
    for (int y = top; y <= bottom; y++) {
        rows.emplace_back();
        for (int x = left; x <= right; x++)
            rows.back().push_back(ink(rgbAt(s, x, y)) ? rgbAt(s, x, y) : 0);
    }
    return rows;
}

// Each glyph's ink as the font file holds it, between its marks.
std::vector<Rows> glyphsInFile(const char* name)
{
    SDL_Surface* loaded = SDL_LoadBMP((kGfx + name).c_str());
    EXPECT_NE(loaded, nullptr) << name;
    if (!loaded)
        return {};
    SDL_Surface* s = makeSurface(loaded->w, loaded->h);
    SDL_BlitSurface(loaded, nullptr, s, nullptr);
    const Uint32 key = rgbAt(s, 0, s->h - 1);  // SGE keys out the bottom-left colour
    std::vector<int> markEnds, markStarts;
    for (int x = 0; x < s->w; x++) {
        const bool mark = rgbAt(s, x, 0) == kMarker;
        const bool before = x > 0 && rgbAt(s, x - 1, 0) == kMarker;
        if (mark && !before)
            markStarts.push_back(x);
        if (!mark && before)
            markEnds.push_back(x);
    }
    std::vector<Rows> glyphs;
    for (size_t i = 0; i + 1 < markStarts.size() && i < markEnds.size(); i++)
        glyphs.push_back(
            crop(s, markEnds[i], 1, markStarts[i + 1], s->h, [key](Uint32 c) { return c != key; }));
    SDL_FreeSurface(s);
    SDL_FreeSurface(loaded);
    return glyphs;
}

Rows drawn(sge_bmpFont* f, int code, int* outside = nullptr, int cellW = kSide, int cellH = kSide)
{
    SDL_Surface* s = makeSurface(kSide, kSide);
    fillRgb(s, kProbe);
    drawFontCode(s, f, static_cast<unsigned char>(code), kX, kY);
    if (outside)
        *outside = countNot(s, kProbe, 0, 0, kSide, kSide) -
                   countNot(s, kProbe, kX, kY, kX + cellW, kY + cellH);
    Rows rows = crop(s, 0, 0, kSide, kSide, [](Uint32 c) { return c != kProbe; });
    SDL_FreeSurface(s);
    return rows;
}

TEST(FontLetters, EveryCodeDrawsTheGlyphInItsSlot)
{
    initTestScreen();
    for (const char* name : {"mario3.bmp", "newfont.bmp", "newfont_inverted.bmp"}) {
        SCOPED_TRACE(name);
        sge_bmpFont* f =
            sge_BF_OpenFont(const_cast<char*>((kGfx + name).c_str()), SGE_BFTRANSP | SGE_BFSFONT);
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(fontGlyphs(f), kLastCode - '!' + 1);
        const std::vector<Rows> file = glyphsInFile(name);
        ASSERT_EQ(static_cast<int>(file.size()), fontGlyphs(f));
        for (int code = '!'; code <= kLastCode; code++) {
            const Rows d = drawn(f, code);
            if (code >= kFirstExtraCode) {
                EXPECT_FALSE(d.empty()) << letterUtf8(code) << " draws nothing";
            }
            EXPECT_EQ(d, file[static_cast<size_t>(code - '!')])
                << letterUtf8(code) << " is not its slot's glyph";
        }
        EXPECT_TRUE(drawn(f, ' ').empty());
        sge_BF_CloseFont(f);
    }
}

TEST(FontLetters, InvitationLettersStayInTheirCells)
{
    initTestScreen();
    sge_bmpFont* f = sge_BF_OpenFont(const_cast<char*>((kGfx + "mario3.bmp").c_str()),
                                     SGE_BFTRANSP | SGE_BFSFONT);
    ASSERT_NE(f, nullptr);
    for (int code = kFirstExtraCode; code <= kLastCode; code++) {
        int outside = 0;
        drawn(f, code, &outside, 10, 20);
        EXPECT_EQ(outside, 0) << letterUtf8(code);
    }
    sge_BF_CloseFont(f);
}

TEST(FontLetters, CodesPastTheFontDrawNothing)
{
    initTestScreen();
    // An ASCII-only font, as the show had before the accented letters.
    SDL_Surface* strip = SDL_LoadBMP((kGfx + "mario3.bmp").c_str());
    ASSERT_NE(strip, nullptr);
    const int asciiMarks = '~' - '!' + 2;
    int cut = 0;
    for (int x = 0, marks = 0; x < strip->w && !cut; x++) {
        const bool mark = rgbAt(strip, x, 0) == kMarker;
        marks += mark && (x == 0 || rgbAt(strip, x - 1, 0) != kMarker);
        if (marks == asciiMarks && !mark)
            cut = x + 1;
    }
    // The strip up to the mark that closes '~' and a plain column after it.
    SDL_Surface* ascii = makeSurface(cut, strip->h);
    SDL_BlitSurface(strip, nullptr, ascii, nullptr);
    sge_bmpFont* f = sge_BF_CreateFont(ascii, SGE_BFTRANSP | SGE_BFSFONT);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(fontGlyphs(f), '~' - '!' + 1);
    EXPECT_FALSE(drawn(f, '~').empty());
    for (int code : {kFirstExtraCode, kFirstExtraCode + 1, kLastCode, 255})
        EXPECT_TRUE(drawn(f, code).empty()) << code;
    sge_BF_CloseFont(f);
    SDL_FreeSurface(ascii);
    SDL_FreeSurface(strip);
}

// A line of font codes (the web page's title card) is drawn glyph after
// glyph as SGE sets a text, accented letters included.
TEST(FontLetters, ALineOfCodesSetsEachGlyphAfterTheOneBefore)
{
    initTestScreen();
    sge_bmpFont* f = sge_BF_OpenFont(const_cast<char*>((kGfx + "mario3.bmp").c_str()),
                                     SGE_BFTRANSP | SGE_BFSFONT);
    ASSERT_NE(f, nullptr);
    const std::string codes = {'A', static_cast<char>(letterCode(U'Å')), 'B'};
    int sum = 0;
    for (const char c : codes) {
        const int w = fontCodesWidth(f, std::string(1, c));
        EXPECT_GT(w, 0) << static_cast<int>(static_cast<unsigned char>(c));
        sum += w;
    }
    EXPECT_EQ(fontCodesWidth(f, codes), sum);
    // An ASCII line drawn by SGE in one call looks the same.
    char ascii[] = "NORRSKEN LAN";
    SDL_Surface* bySge = makeSurface(kSide * 2, kSide);
    SDL_Surface* byCodes = makeSurface(kSide * 2, kSide);
    fillRgb(bySge, kProbe);
    fillRgb(byCodes, kProbe);
    sge_BF_textout(bySge, f, ascii, kX, kY);
    drawFontCodes(byCodes, f, ascii, kX, kY);
    EXPECT_EQ(crop(bySge, 0, 0, kSide * 2, kSide, [](Uint32 c) { return c != kProbe; }),
              crop(byCodes, 0, 0, kSide * 2, kSide, [](Uint32 c) { return c != kProbe; }));
    SDL_FreeSurface(bySge);
    SDL_FreeSurface(byCodes);

    SDL_Surface* line = makeSurface(kSide, kSide);
    SDL_Surface* single = makeSurface(kSide, kSide);
    fillRgb(line, kProbe);
    fillRgb(single, kProbe);
    drawFontCodes(line, f, codes, kX, kY);
    int x = kX;
    for (const char c : codes) {
        drawFontCode(single, f, static_cast<unsigned char>(c), static_cast<Sint16>(x), kY);
        x += fontCodesWidth(f, std::string(1, c));
    }
    EXPECT_EQ(crop(line, 0, 0, kSide, kSide, [](Uint32 c) { return c != kProbe; }),
              crop(single, 0, 0, kSide, kSide, [](Uint32 c) { return c != kProbe; }));
    SDL_FreeSurface(line);
    SDL_FreeSurface(single);
    sge_BF_CloseFont(f);
}

TEST(FontLetters, ReadableTextTypesItsAccentedLetters)
{
    Problems problems;
    const CompiledInvitation c = compileInvitation("ÅÉß\n", "t", problems);
    ASSERT_TRUE(problems.empty());
    EXPECT_EQ(c.raw.substr(c.raw.find('#') + 1, 3),
              std::string({static_cast<char>(letterCode(U'Å')), static_cast<char>(letterCode(U'É')),
                           static_cast<char>(letterCode(U'ß'))}));
    EXPECT_EQ(letterUtf8(letterCode(U'ß')), "ß");
}

}  // namespace
