// The raster bars: which bars pass behind the panel edges and which in front,
// and the whole-unit phase steps.
#include <gtest/gtest.h>

#include <algorithm>

#include "assets.h"
#include "effects/rasterbars.h"
#include "globals.h"
#include "testutil.h"

namespace {

constexpr Uint32 kBarColour[3] = {0xff0000, 0x00ff00, 0x0000ff};
constexpr Uint32 kTopEdge = 0xffff00;
constexpr Uint32 kBottomEdge = 0x00ffff;

SDL_Surface* solid(int w, int h, Uint32 rgb)
{
    SDL_Surface* s = makeSurface(w, h);
    fillRgb(s, rgb);
    return s;
}

// Bars of widths 10, 20 and 30, so that column 5 shows bar 0, column 15
// bar 1 and column 25 bar 2 wherever more than one bar could be; four rows
// high. Edges 20 rows high: they cover part of the bars' swing only.
class RasterBars : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        for (int i = 0; i < 3; i++) {
            saved[i] = img_amigabars[i];
            img_amigabars[i] = solid(10 * (i + 1), 4, kBarColour[i]);
        }
        savedTop = img_top_bar;
        savedBottom = img_bar;
        img_top_bar = solid(640, 20, kTopEdge);  // rows 109..128
        img_bar = solid(640, 20, kBottomEdge);   // rows 352..371
        for (RasterBar& b : amigascroller)
            b = RasterBar{};
        initAmigaScroller();
        savedDt = dt;
    }
    void TearDown() override
    {
        for (int i = 0; i < 3; i++) {
            SDL_FreeSurface(img_amigabars[i]);
            img_amigabars[i] = saved[i];
        }
        SDL_FreeSurface(img_top_bar);
        SDL_FreeSurface(img_bar);
        img_top_bar = savedTop;
        img_bar = savedBottom;
        dt = savedDt;
    }
    void frame(float step)
    {
        dt = step;
        SDL_FillRect(screen, nullptr, 0);
        drawAmigaScroller();
    }
    // The colour of bar i's column at `row` below the rest row of its upper
    // (121) or lower (352) copy.
    Uint32 upper(int bar, int row) { return rgbAt(screen, 5 + 10 * bar, 121 + row); }
    Uint32 lower(int bar, int row) { return rgbAt(screen, 5 + 10 * bar, 352 + row); }

    SDL_Surface* saved[3] = {};
    SDL_Surface* savedTop = nullptr;
    SDL_Surface* savedBottom = nullptr;
    float savedDt = 0;
};

}  // namespace

TEST_F(RasterBars, FirstFrameSendsTheSwingingBarsBehindTheEdges)
{
    frame(1.0f);  // phases 4, 94, 184: offsets 0, 14, 10
    EXPECT_EQ(amigascroller[0].offset, 0);
    EXPECT_EQ(amigascroller[1].offset, 14);
    EXPECT_EQ(amigascroller[2].offset, 10);

    // Bar 0 has not moved yet: over both edges.
    EXPECT_EQ(upper(0, 1), kBarColour[0]);
    EXPECT_EQ(lower(0, 1), kBarColour[0]);
    // Bars 1 and 2 moved down: the edges cover their lower copies; their
    // upper copies lie below the top edge and show.
    EXPECT_EQ(lower(1, 15), kBottomEdge);
    EXPECT_EQ(lower(2, 11), kBottomEdge);
    EXPECT_EQ(upper(1, 15), kBarColour[1]);
    EXPECT_EQ(upper(2, 11), kBarColour[2]);
    // Only the edges' own rows and the bars are drawn.
    EXPECT_EQ(rgbAt(screen, 300, 108), 0u);
    EXPECT_EQ(rgbAt(screen, 300, 109), kTopEdge);
    EXPECT_EQ(rgbAt(screen, 300, 371), kBottomEdge);
    EXPECT_EQ(rgbAt(screen, 300, 372), 0u);
}

TEST_F(RasterBars, StandingBarsAreDrawnOverTheEdges)
{
    frame(1.0f);
    frame(0.2f);  // 2 ms: 4 x 0.2 is no whole unit
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(amigascroller[i].phase, 4 + 90 * i);
        EXPECT_EQ(amigascroller[i].offset, amigascroller[i].lastoffset);
    }
    EXPECT_EQ(lower(1, 15), kBarColour[1]);
    EXPECT_EQ(lower(2, 11), kBarColour[2]);
    EXPECT_EQ(upper(0, 1), kBarColour[0]);
}

TEST_F(RasterBars, RisingBarsAreDrawnOverTheEdges)
{
    // Past the low point of its swing (offset 14, near phase 121) bar 1
    // rises again.
    amigascroller[1].phase = 200;
    amigascroller[1].offset = 14;
    frame(1.0f);
    ASSERT_LT(amigascroller[1].offset, amigascroller[1].lastoffset);
    const int off = amigascroller[1].offset;
    EXPECT_EQ(lower(1, off + 1), kBarColour[1]);
    EXPECT_EQ(upper(1, off + 1), kBarColour[1]);
}

TEST_F(RasterBars, PhasesStepByWholeUnitsOnly)
{
    frame(static_cast<float>(16 * 0.1));  // 16 ms: 6.4 gives 6
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(amigascroller[i].phase, 6 + 90 * i);
    frame(static_cast<float>(7 * 0.1));  // 7 ms: 2.8 gives 2
    for (int i = 0; i < 3; i++)
        EXPECT_EQ(amigascroller[i].phase, 8 + 90 * i);
    frame(static_cast<float>(2 * 0.1));  // 2 ms: nothing
    EXPECT_EQ(amigascroller[0].phase, 8);
}

TEST_F(RasterBars, OffsetsStayWithinFourteenRows)
{
    int lowest = 0, highest = 0;
    for (int f = 0; f < 500; f++) {
        frame(1.0f);
        for (int i = 0; i < 3; i++) {
            lowest = std::min(lowest, amigascroller[i].offset);
            highest = std::max(highest, amigascroller[i].offset);
        }
    }
    EXPECT_EQ(lowest, -14);
    EXPECT_EQ(highest, 14);
}
