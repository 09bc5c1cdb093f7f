// The wavy background letters: positions, truncation and the phase steps,
// observed through a recorder in place of the text call.
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
    int x, y;
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
        bgTextOut = recordText;
        calls.clear();
        initBgText();
    }
    Restore<BgTextOut> keepOut{bgTextOut};
    Restore<float> keepDt{dt};
};

}  // namespace

TEST_F(BgText, PositionsRestOnTheGridAndTruncateTowardZero)
{
    bgtextx[24] = bgtextx2[24] = 0;
    EXPECT_EQ(bgLetterPos(24, 0).x, 750);
    EXPECT_EQ(bgLetterPos(24, 7).y, 360);
    bgtextx[0] = 0;
    bgtextx2[0] = 1;  // x = 40 sin(0.01) - 90 = -89.6
    EXPECT_EQ(bgLetterPos(0, 0).x, -89);
    EXPECT_EQ(bgLetterPos(0, 0).y, 80);
    bgtextx[3] = 16;   // y = 20 sin(1.6) + 200 = 219.99
    bgtextx2[3] = -3;  // x = 70 sin(-0.03) + 15 = 12.9
    EXPECT_EQ(bgLetterPos(3, 3).x, 12);
    EXPECT_EQ(bgLetterPos(3, 3).y, 219);
    bgtextx2[3] = -157;  // a full swing left: x = 15 - (40 + 10 r) * 0.9999997
    EXPECT_EQ(bgLetterPos(3, 0).x, -24);
    EXPECT_EQ(bgLetterPos(3, 7).x, -94);
}

TEST_F(BgText, FirstFrameAdvancesThePhasesThenDrawsEveryLetter)
{
    dt = 1.0f;
    drawBgText();
    for (int i = 0; i < 25; i++) {
        EXPECT_EQ(bgtextx[i], 2 * i + 1);   // 1.1 rounds to 1
        EXPECT_EQ(bgtextx2[i], 2 * i + 2);  // 1.5 rounds to 2
    }
    EXPECT_EQ(bgtextx[25], 50);  // only 25 columns move

    ASSERT_EQ(calls.size(), 200u);
    for (int i = 0; i < 25; i++)
        for (int r = 0; r < 8; r++) {  // column by column, top row first
            const TextCall& c = calls[8 * i + r];
            EXPECT_EQ(c.text, (std::string{bgtext[i], '\n'}));
            EXPECT_TRUE(c.surface == screen && c.font == font_intro);
        }
    // Column 0 at phases 1 and 2: x = (40 + 10 r) sin(0.02) - 90,
    // y = 20 sin(0.1) + 80 + 40 r.
    EXPECT_EQ(calls[0].x, -89);
    EXPECT_EQ(calls[0].y, 81);
    EXPECT_EQ(calls[7].x, -87);
    EXPECT_EQ(calls[7].y, 361);
}

TEST_F(BgText, LowerRowsSwingFurtherAndAllBobTogether)
{
    bgtextx[10] = 15;  // 16 and 100 once the frame has moved them
    bgtextx2[10] = 98;
    dt = 1.0f;
    drawBgText();
    // x = 260 + (40 + 10 r) sin(1.0), y = 80 + 40 r + 20 sin(1.6), worked
    // out by hand and truncated.
    const int x[8] = {293, 302, 310, 318, 327, 335, 344, 352};
    for (int r = 0; r < 8; r++) {
        EXPECT_EQ(calls[80 + r].x, x[r]) << r;
        EXPECT_EQ(calls[80 + r].y, 99 + 40 * r) << r;
    }
}

TEST_F(BgText, ShortFramesLeaveTheWavesStanding)
{
    dt = 0.4f;  // 4 ms: 0.44 leaves the bob, 0.6 moves the sway
    drawBgText();
    EXPECT_EQ(bgtextx[5], 10);
    EXPECT_EQ(bgtextx2[5], 11);
    dt = 0.3f;  // 3 ms: neither
    drawBgText();
    EXPECT_EQ(bgtextx2[5], 11);
    dt = 0.5f;  // 5 ms: 0.55 rounds up
    drawBgText();
    EXPECT_EQ(bgtextx[5], 11);
}
