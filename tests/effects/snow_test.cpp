// The snowfall: the layout drawn from rand, the back layers' band, the
// shadow strip between the passes, whole-pixel steps, the wrap and the sway.
#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <vector>

#include "assets.h"
#include "effects/snow.h"
#include "globals.h"
#include "testutil.h"

namespace {

constexpr Uint32 kFront = 0xff0000, kMiddle = 0x00ff00, kBack = 0x0000ff, kShadow = 0x808080;
constexpr int kParked = 3000;  // a rest column far off the screen

// Plain-coloured 10x10 flakes and a 4-row strip; every flake parked off the
// screen until a test places it.
class Snow : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        const Uint32 colour[] = {kFront, kMiddle, kBack, kShadow};
        SDL_Surface** const images[4] = {&img_snowflake, &img_snowflake2, &img_snowflake3,
                                         &img_shaddow};
        for (int i = 0; i < 4; i++) {
            SDL_Surface* s = makeSurface(i < 3 ? 10 : 640, i < 3 ? 10 : 4);
            fillRgb(s, colour[i]);
            swapped.emplace_back(*images[i], s);
        }
        for (SnowFlake& f : snow)
            f = SnowFlake{kParked, 0, 0, 0};
        fillRgb(screen, 0);
        dt = 0.0f;
    }
    Restore<float> keepDt{dt};
    Restore<SnowFlake[kSnowFlakes]> keepFlakes{snow};
    std::vector<SwappedPicture> swapped;
};

}  // namespace

TEST(SnowLayout, FourDrawsPerFlakeInOrderAfterWhateverCameBefore)
{
    // Whatever the earlier set-up drew, the flakes take the next 800 numbers.
    const auto restartAfterEarlierDraws = [] {
        std::srand(1);
        for (int i = 0; i < 30; i++)
            std::rand();
    };
    restartAfterEarlierDraws();
    initSnow();
    const int next = std::rand();
    restartAfterEarlierDraws();
    for (const SnowFlake& f : snow) {
        const int x = std::rand(), y = std::rand(), layer = std::rand(), amp = std::rand();
        ASSERT_TRUE(f.x == x % 640 && f.y == y % 480 && f.layer == layer % 3 &&
                    f.amplitude == amp % 30);
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
    const Case cases[] = {{1, 120, true},  {1, 121, false}, {1, 351, false}, {1, 352, true},
                          {2, 120, true},  {2, 121, false}, {2, 351, false}, {2, 352, true},
                          {0, 240, true}};
    const Uint32 colour[] = {kFront, kMiddle, kBack};
    for (int i = 0; i < 9; i++)
        snow[i] = SnowFlake{20 * i, cases[i].y, cases[i].layer, 0};
    dt = 4.0f;  // 3, 2 and 1 rows for layers 0, 1, 2
    drawSnow();
    for (int i = 0; i < 9; i++) {
        const Case& c = cases[i];
        // Drawn where the flake stood before this frame's move.
        EXPECT_EQ(rgbAt(screen, 20 * i + 1, c.y + 1), c.shown ? colour[c.layer] : 0u) << i;
        EXPECT_EQ(rgbAt(screen, 20 * i + 1, c.y - 1), 0u) << i;
        EXPECT_EQ(snow[i].y, c.y + 3 - c.layer) << i;
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
    EXPECT_EQ(rgbAt(screen, 401, 401), kMiddle);
    EXPECT_EQ(rgbAt(screen, 451, 401), kBack);
}

TEST_F(Snow, StepsAreWholeRowsAndTheWrapComesAfterDrawing)
{
    const std::pair<float, std::array<int, 3>> frames[] = {
        {0.6f, {0, 0, 0}}, {0.7f, {1, 0, 0}}, {1.0f, {1, 1, 0}}, {1.6f, {1, 1, 0}},
        {1.7f, {1, 1, 1}}, {4.0f, {3, 2, 1}}};
    for (const auto& [step, moves] : frames) {
        for (int layer = 0; layer < 3; layer++)
            snow[layer] = SnowFlake{kParked, 10, layer, 0};
        dt = step;
        drawSnow();
        for (int layer = 0; layer < 3; layer++)
            EXPECT_EQ(snow[layer].y, 10 + moves[layer]) << "dt " << step << " layer " << layer;
    }

    snow[0] = SnowFlake{kParked, 479, 1, 0};
    snow[1] = SnowFlake{100, 470, 0, 0};
    dt = 1.0f;
    drawSnow();
    EXPECT_EQ(snow[0].y, 480);  // on the bottom row, not past it
    dt = 20.0f;
    fillRgb(screen, 0);
    drawSnow();
    EXPECT_EQ(snow[0].y, 0);
    EXPECT_EQ(snow[1].y, 0);  // drawn at its old place, then back to the top
    EXPECT_EQ(rgbAt(screen, 101, 472), kFront);
    EXPECT_EQ(rgbAt(screen, 101, 1), 0u);
}

TEST_F(Snow, SwayFollowsHeightAndIsTruncated)
{
    // sin(0.01 * 400) * 10 = -7.57: truncated to -7, so columns 0-2 show.
    snow[0] = SnowFlake{0, 400, 0, 10};
    // 100 + sin(1.5) * 10 = 109.97: starts at column 109, not 110.
    snow[1] = SnowFlake{100, 150, 0, 10};
    // The back layer sways twice as fast: 200 + sin(0.02 * 100) * 10 = 209.09.
    snow[2] = SnowFlake{200, 100, 2, 10};
    // The middle layer sways like the front: 300 + sin(0.01 * 60) * 20 = 311.29.
    snow[3] = SnowFlake{300, 60, 1, 20};
    drawSnow();
    EXPECT_EQ(rgbAt(screen, 2, 401), kFront);
    EXPECT_EQ(rgbAt(screen, 3, 401), 0u);
    EXPECT_EQ(rgbAt(screen, 108, 151), 0u);
    EXPECT_EQ(rgbAt(screen, 109, 151), kFront);
    EXPECT_EQ(rgbAt(screen, 208, 101), 0u);
    EXPECT_EQ(rgbAt(screen, 209, 101), kBack);
    EXPECT_EQ(rgbAt(screen, 310, 61), 0u);
    EXPECT_EQ(rgbAt(screen, 311, 61), kMiddle);
}
