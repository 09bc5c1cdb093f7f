// The snowfall: the layout drawn from rand, the back layers' band, the
// shadow strip between the passes, whole-pixel steps, the wrap and the sway.
#include <gtest/gtest.h>

#include <cstdlib>

#include "../testutil.h"
#include "assets.h"
#include "effects/snow.h"
#include "globals.h"

namespace {

constexpr Uint32 kBlack = 0x000000;
constexpr Uint32 kFront = 0xff0000;
constexpr Uint32 kMiddle = 0x00ff00;
constexpr Uint32 kBack = 0x0000ff;
constexpr Uint32 kShadow = 0x808080;
constexpr int kFlakeSize = 10;
constexpr int kParked = 3000;  // a rest column far off the screen

SDL_Surface* solid(int w, int h, Uint32 rgb)
{
    SDL_Surface* s = makeSurface(w, h);
    fillRgb(s, rgb);
    return s;
}

// Synthetic flakes and strip, one plain colour each; every flake parked off
// the screen, standing still, until a test places it.
class Snow : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        saved[0] = img_snowflake;
        saved[1] = img_snowflake2;
        saved[2] = img_snowflake3;
        saved[3] = img_shaddow;
        img_snowflake = solid(kFlakeSize, kFlakeSize, kFront);
        img_snowflake2 = solid(kFlakeSize, kFlakeSize, kMiddle);
        img_snowflake3 = solid(kFlakeSize, kFlakeSize, kBack);
        img_shaddow = solid(640, 4, kShadow);
        for (SnowFlake& f : snow)
            f = SnowFlake{kParked, 0, 0, 0};
        fillRgb(screen, kBlack);
        dt = 0.0f;
    }
    void TearDown() override
    {
        for (SDL_Surface* s : {img_snowflake, img_snowflake2, img_snowflake3, img_shaddow})
            SDL_FreeSurface(s);
        img_snowflake = saved[0];
        img_snowflake2 = saved[1];
        img_snowflake3 = saved[2];
        img_shaddow = saved[3];
    }
    SDL_Surface* saved[4];
};

}  // namespace

TEST(SnowLayout, FourDrawsPerFlakeInOrderAfterWhateverCameBefore)
{
    // Whatever the earlier set-up drew: the flakes take the next 800 numbers.
    constexpr int kEarlier = 30;
    std::srand(1);
    for (int i = 0; i < kEarlier; i++)
        std::rand();
    initSnow();
    const int next = std::rand();

    std::srand(1);
    for (int i = 0; i < kEarlier; i++)
        std::rand();
    for (const SnowFlake& f : snow) {
        const int x = std::rand(), y = std::rand(), layer = std::rand(), amp = std::rand();
        ASSERT_EQ(f.x, x % 640);
        ASSERT_EQ(f.y, y % 480);
        ASSERT_EQ(f.layer, layer % 3);
        ASSERT_EQ(f.amplitude, amp % 30);
    }
    EXPECT_EQ(next, std::rand()) << "initSnow drew other than 800 numbers";
    std::srand(1);
}

TEST_F(Snow, BackLayersShowOnlyOutsideTheMiddleBandButKeepFalling)
{
    struct Case {
        int layer, y;
        bool shown;
    };
    const Case cases[] = {
        {1, 0, true},    {1, 120, true},  {1, 121, false}, {1, 240, false},
        {1, 351, false}, {1, 352, true},  {1, 470, true},  {2, 120, true},
        {2, 121, false}, {2, 351, false}, {2, 352, true},  {0, 240, true},
    };
    const Uint32 colour[] = {kFront, kMiddle, kBack};
    const int n = sizeof cases / sizeof cases[0];
    for (int i = 0; i < n; i++)
        snow[i] = SnowFlake{20 * i, cases[i].y, cases[i].layer, 0};
    dt = 4.0f;  // 3, 2 and 1 rows for layers 0, 1, 2
    drawSnow();
    const int step[] = {3, 2, 1};
    for (int i = 0; i < n; i++) {
        const Case& c = cases[i];
        // Drawn where the flake stood before this frame's move.
        const Uint32 want = c.shown ? colour[c.layer] : kBlack;
        EXPECT_EQ(rgbAt(screen, 20 * i + 1, c.y + 1), want) << i;
        if (c.y > 0) {
            EXPECT_EQ(rgbAt(screen, 20 * i + 1, c.y - 1), kBlack) << i;
        }
        EXPECT_EQ(snow[i].y, c.y + step[c.layer]) << i;
    }
}

TEST_F(Snow, ShadowStripLiesBetweenTheBackAndFrontLayers)
{
    snow[0] = SnowFlake{100, 355, 1, 0};
    snow[1] = SnowFlake{200, 355, 2, 0};
    snow[2] = SnowFlake{300, 355, 0, 0};
    // The back pass goes by index, not by layer: the later flake is on top.
    snow[3] = SnowFlake{400, 400, 2, 0};
    snow[4] = SnowFlake{400, 400, 1, 0};
    snow[5] = SnowFlake{450, 400, 1, 0};
    snow[6] = SnowFlake{450, 400, 2, 0};
    drawSnow();
    EXPECT_EQ(rgbAt(screen, 101, 356), kMiddle);
    EXPECT_EQ(rgbAt(screen, 101, 360), kShadow);
    EXPECT_EQ(rgbAt(screen, 101, 363), kMiddle);
    EXPECT_EQ(rgbAt(screen, 201, 360), kShadow);
    EXPECT_EQ(rgbAt(screen, 301, 360), kFront);
    EXPECT_EQ(rgbAt(screen, 600, 360), kShadow);
    EXPECT_EQ(rgbAt(screen, 600, 363), kBlack);  // the strip is 4 rows here
    EXPECT_EQ(rgbAt(screen, 401, 401), kMiddle);
    EXPECT_EQ(rgbAt(screen, 451, 401), kBack);
}

TEST_F(Snow, StepsAreWholeRowsRoundedPerFrame)
{
    struct Frame {
        float dt;
        int moves[3];
    };
    const Frame frames[] = {
        {0.0f, {0, 0, 0}}, {0.6f, {0, 0, 0}}, {0.7f, {1, 0, 0}}, {1.0f, {1, 1, 0}},
        {1.6f, {1, 1, 0}}, {1.7f, {1, 1, 1}}, {4.0f, {3, 2, 1}},
    };
    for (const Frame& fr : frames) {
        for (int layer = 0; layer < 3; layer++)
            snow[layer] = SnowFlake{kParked, 10, layer, 0};
        dt = fr.dt;
        drawSnow();
        for (int layer = 0; layer < 3; layer++)
            EXPECT_EQ(snow[layer].y, 10 + fr.moves[layer]) << "dt " << fr.dt << " layer " << layer;
    }

    snowspeed = 0;
    snow[0] = SnowFlake{kParked, 10, 0, 0};
    dt = 40.0f;
    drawSnow();
    snowspeed = 1;
    EXPECT_EQ(snow[0].y, 10);
}

TEST_F(Snow, WrapsOnlyPastTheBottomAfterDrawing)
{
    snow[0] = SnowFlake{kParked, 479, 0, 0};
    snow[2] = SnowFlake{kParked, 479, 1, 0};
    dt = 1.0f;
    drawSnow();
    EXPECT_EQ(snow[0].y, 480);  // on the bottom row, not past it
    EXPECT_EQ(snow[2].y, 480);
    drawSnow();
    EXPECT_EQ(snow[0].y, 0);
    EXPECT_EQ(snow[2].y, 0);

    // A long frame: drawn at its old place, then straight back to the top.
    fillRgb(screen, kBlack);
    snow[1] = SnowFlake{100, 470, 0, 0};
    dt = 20.0f;
    drawSnow();
    EXPECT_EQ(snow[1].y, 0);
    EXPECT_EQ(rgbAt(screen, 101, 471), kFront);
    EXPECT_EQ(rgbAt(screen, 101, 1), kBlack);
}

TEST_F(Snow, SwayFollowsHeightAndIsTruncated)
{
    // sin(0.01 * 400) * 10 = -7.57: truncated to -7, so columns 0-2 show.
    snow[0] = SnowFlake{0, 400, 0, 10};
    // 100 + sin(1.5) * 10 = 109.97: starts at column 109, not 110.
    snow[1] = SnowFlake{100, 150, 0, 10};
    // The back layer sways twice as fast: 200 + sin(0.02 * 100) * 10 = 209.09.
    snow[2] = SnowFlake{200, 100, 2, 10};
    drawSnow();
    EXPECT_EQ(rgbAt(screen, 2, 401), kFront);
    EXPECT_EQ(rgbAt(screen, 3, 401), kBlack);
    EXPECT_EQ(rgbAt(screen, 108, 151), kBlack);
    EXPECT_EQ(rgbAt(screen, 109, 151), kFront);
    EXPECT_EQ(rgbAt(screen, 208, 101), kBlack);
    EXPECT_EQ(rgbAt(screen, 209, 101), kBack);

    // Without sway the flake falls straight at its rest column.
    fillRgb(screen, kBlack);
    snowheight = 0;
    snow[1] = SnowFlake{100, 150, 0, 10};
    drawSnow();
    snowheight = 1;
    EXPECT_EQ(rgbAt(screen, 99, 151), kBlack);
    EXPECT_EQ(rgbAt(screen, 100, 151), kFront);
}
