// The wavy background letters: their positions, the phase steps and the
// letters drawn through a small synthetic font.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets.h"
#include "effects/bgtext.h"
#include "globals.h"
#include "testutil.h"

namespace {

struct TextCall {
    SDL_Surface* surface;
    sge_bmpFont* font;
    std::string text;
    int x;
    int y;
};
std::vector<TextCall> calls;

SDL_Rect recordText(SDL_Surface* surface, sge_bmpFont* font, char* text, Sint16 x, Sint16 y)
{
    calls.push_back({surface, font, text, x, y});
    return SDL_Rect{};
}

class BgText : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        savedOut = bgTextOut;
        savedDt = dt;
        bgTextOut = recordText;
        calls.clear();
        initBgText();
    }
    void TearDown() override
    {
        bgTextOut = savedOut;
        dt = savedDt;
    }
    static void setPhases(int bob, int sway)
    {
        for (int i = 0; i < 25; i++) {
            bgtextx[i] = bob;
            bgtextx2[i] = sway;
        }
    }
    BgTextOut savedOut = nullptr;
    float savedDt = 0;
};

}  // namespace

TEST_F(BgText, AtPhaseZeroLettersStandOnTheGrid)
{
    setPhases(0, 0);
    for (int i : {0, 3, 24})
        for (int r : {0, 1, 7}) {
            const BgLetterPos p = bgLetterPos(i, r);
            EXPECT_EQ(p.x, 35 * i - 90) << i << "," << r;
            EXPECT_EQ(p.y, 80 + 40 * r) << i << "," << r;
        }
}

TEST_F(BgText, PositionsTruncateTowardZero)
{
    bgtextx[0] = 0;
    bgtextx2[0] = 1;  // x = 40 sin(0.01) - 90 = -89.6
    EXPECT_EQ(bgLetterPos(0, 0).x, -89);
    bgtextx[3] = 16;  // y = 20 sin(1.6) + 200 = 219.99
    bgtextx2[3] = -3;  // x = 70 sin(-0.03) + 15 = 12.9
    EXPECT_EQ(bgLetterPos(3, 3).x, 12);
    EXPECT_EQ(bgLetterPos(3, 3).y, 219);
}

TEST_F(BgText, FirstFrameAdvancesThePhasesBeforeDrawing)
{
    dt = 1.0f;
    drawBgText();
    for (int i = 0; i < 25; i++) {
        EXPECT_EQ(bgtextx[i], 2 * i + 1) << i;   // 1.1 rounds to 1
        EXPECT_EQ(bgtextx2[i], 2 * i + 2) << i;  // 1.5 rounds to 2
    }
    EXPECT_EQ(bgtextx[25], 50);  // only 25 columns move
    EXPECT_EQ(bgtextx2[199], 398);

    ASSERT_EQ(calls.size(), 200u);
    // Column by column, top row first, each with its own letter.
    for (int i = 0; i < 25; i++)
        for (int r = 0; r < 8; r++) {
            const TextCall& c = calls[8 * i + r];
            EXPECT_EQ(c.text, std::string(1, bgtext[i]) + "\n");
            EXPECT_EQ(c.surface, screen);
            EXPECT_EQ(c.font, font_intro);
            const BgLetterPos p = bgLetterPos(i, r);
            EXPECT_EQ(c.x, p.x) << i << "," << r;
            EXPECT_EQ(c.y, p.y) << i << "," << r;
        }
    // Column 0 with phases 1 and 2: x = 40 sin(0.02) - 90 = -89.2,
    // y = 20 sin(0.1) + 80 = 81.997; at row 7 the sway is 110 sin(0.02).
    EXPECT_EQ(calls[0].x, -89);
    EXPECT_EQ(calls[0].y, 81);
    EXPECT_EQ(calls[7].x, -87);
    EXPECT_EQ(calls[7].y, 361);
    EXPECT_EQ(calls[8].text, "R\n");
}

TEST_F(BgText, ShortFramesLeaveTheWavesStanding)
{
    dt = 0.4f;  // 4 ms: 0.44 does not move the bob, 0.6 moves the sway
    drawBgText();
    EXPECT_EQ(bgtextx[5], 10);
    EXPECT_EQ(bgtextx2[5], 11);
    dt = 0.3f;  // 3 ms: neither
    drawBgText();
    EXPECT_EQ(bgtextx[5], 10);
    EXPECT_EQ(bgtextx2[5], 11);
}

// Through SGE with a tiny SFont: '!' to 'Z', glyphs 4 pixels wide and 7 high,
// each pixel's red channel telling its character.
class BgTextFont : public BgText {
protected:
    void SetUp() override
    {
        BgText::SetUp();
        bgTextOut = savedOut;
        savedFont = font_intro;
        SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, kChars * (kGlyph + 1) + 1,
                                                  kHeight + 1, 32, 0xff0000, 0xff00, 0xff, 0);
        SDL_FillRect(sheet, nullptr, 0);
        for (int c = 0; c <= kChars; c++) {
            SDL_Rect marker{static_cast<Sint16>(c * (kGlyph + 1)), 0, 1, 1};
            SDL_FillRect(sheet, &marker, SDL_MapRGB(sheet->format, 255, 0, 255));
        }
        for (int c = 0; c < kChars; c++) {
            SDL_Rect glyph{static_cast<Sint16>(c * (kGlyph + 1) + 1), 1, kGlyph, kHeight};
            SDL_FillRect(sheet, &glyph, SDL_MapRGB(sheet->format, kFirst + c, 0, 0xff));
        }
        font_intro = sge_BF_CreateFont(sheet, SGE_BFSFONT | SGE_BFTRANSP);
        SDL_FreeSurface(sheet);
        ASSERT_NE(font_intro, nullptr);
        SDL_FillRect(screen, nullptr, 0);
    }
    void TearDown() override
    {
        sge_BF_CloseFont(font_intro);
        font_intro = savedFont;
        BgText::TearDown();
    }
    static char letterAt(int x, int y) { return static_cast<char>(rgbAt(screen, x, y) >> 16); }
    static constexpr int kFirst = '!';
    static constexpr int kChars = 'Z' - '!' + 1;
    static constexpr int kGlyph = 4;
    static constexpr int kHeight = 7;
    sge_bmpFont* savedFont = nullptr;
};

TEST_F(BgTextFont, LettersAreDrawnAtTheirCornersAndCutAtTheEdges)
{
    setPhases(0, 0);
    dt = 0.0f;
    drawBgText();
    EXPECT_EQ(letterAt(15, 80), 'S');  // column 3, row 0
    EXPECT_EQ(letterAt(15 + 3, 80 + 6), 'S');
    EXPECT_EQ(rgbAt(screen, 15 + 4, 80), 0u);  // nothing for the line feed
    EXPECT_EQ(rgbAt(screen, 14, 80), 0u);
    EXPECT_EQ(letterAt(50, 360), 'T');  // column 4, row 7
    EXPECT_EQ(letterAt(610, 200), 'A');  // column 20, row 3
    // Columns 3 to 20 fit on the screen; 0 to 2 and 21 to 24 lie off it.
    EXPECT_EQ(countNot(screen, 0, 0, 0, 640, 480), 18 * 8 * kGlyph * kHeight);
}

TEST_F(BgTextFont, LettersHalfOffTheScreenAreCutNotMovedOntoIt)
{
    setPhases(0, 0);
    bgtextx2[2] = 42;  // sway 40 sin(0.42) = 16.3: column 2 at x = -3.7
    dt = 0.0f;
    drawBgText();
    EXPECT_EQ(bgLetterPos(2, 0).x, -3);
    // Only its right-hand part shows. (SGE places a letter cut at the left
    // edge one pixel further right than its position, so two columns show
    // where one would be exact.)
    int shown = 0;
    for (int x = 0; x < kGlyph; x++)
        shown += letterAt(x, 80) == 'O';
    EXPECT_GT(shown, 0);
    EXPECT_LT(shown, kGlyph - 1);
}
