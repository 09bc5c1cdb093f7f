// The raster bars: which pass behind the panel edges and which in front, and
// the whole-unit phase steps.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "assets.h"
#include "effects/rasterbars.h"
#include "globals.h"
#include "testutil.h"

namespace {

constexpr Uint32 kBar[3] = {0xff0000, 0x00ff00, 0x0000ff};
constexpr Uint32 kTopEdge = 0xffff00, kBottomEdge = 0x00ffff;

SDL_Surface* solid(int w, int h, Uint32 rgb)
{
    SDL_Surface* s = makeSurface(w, h);
    fillRgb(s, rgb);
    return s;
}

// Bars 10, 20 and 30 pixels wide and 4 high, so column 5 + 10 i shows bar i
// where bars overlap; edges 20 rows high that cover part of the swing only.
class RasterBars : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        // The three bars, then the top edge (rows 109..128) and the bottom
        // edge (rows 352..371).
        SDL_Surface** const slots[5] = {&img_amigabars[0], &img_amigabars[1],
                                        &img_amigabars[2], &img_top_bar, &img_bar};
        for (int i = 0; i < 5; i++)
            swapped.emplace_back(*slots[i], i < 3 ? solid(10 * (i + 1), 4, kBar[i])
                                                  : solid(640, 20, i == 3 ? kTopEdge : kBottomEdge));
        std::fill(amigascroller, amigascroller + kRasterBarSlots, RasterBar{});
        initAmigaScroller();
    }
    void frame(float step)
    {
        dt = step;
        SDL_FillRect(screen, nullptr, 0);
        drawAmigaScroller();
    }
    // Bar i's column, `row` rows below its upper (121) or lower (352) rest row.
    Uint32 upper(int i, int row) { return rgbAt(screen, 5 + 10 * i, 121 + row); }
    Uint32 lower(int i, int row) { return rgbAt(screen, 5 + 10 * i, 352 + row); }
    Restore<float> keepDt{dt};
    Restore<RasterBar[kRasterBarSlots]> keepBars{amigascroller};
    std::vector<SwappedPicture> swapped;
};

}  // namespace

TEST_F(RasterBars, BarsMovingDownPassBehindTheEdgesAndStandingBarsInFront)
{
    frame(1.0f);  // phases 4, 94, 184: offsets 0, 14, 10 after 0
    EXPECT_EQ(amigascroller[1].offset, 14);
    EXPECT_EQ(amigascroller[2].offset, 10);
    EXPECT_EQ(upper(0, 1), kBar[0]);  // bar 0 has not moved: in front
    EXPECT_EQ(lower(0, 1), kBar[0]);
    EXPECT_EQ(lower(1, 15), kBottomEdge);  // bars 1 and 2 moved down: behind
    EXPECT_EQ(lower(2, 11), kBottomEdge);
    EXPECT_EQ(upper(1, 15), kBar[1]);  // below the top edge: seen
    EXPECT_EQ(upper(2, 11), kBar[2]);
    EXPECT_EQ(rgbAt(screen, 300, 108), 0u);
    EXPECT_EQ(rgbAt(screen, 300, 109), kTopEdge);

    frame(0.2f);  // 2 ms: no whole unit, so every bar stands, in front
    EXPECT_EQ(amigascroller[2].phase, 184);
    EXPECT_EQ(lower(1, 15), kBar[1]);
    EXPECT_EQ(lower(2, 11), kBar[2]);
    EXPECT_EQ(upper(0, 1), kBar[0]);
    // Bar 2, 30 pixels wide, stands alone in column 25: its four rows from
    // its rest rows 121 and 352, ten down.
    for (int row = 9; row <= 14; row++) {
        const bool onBar = row >= 10 && row <= 13;
        EXPECT_EQ(upper(2, row), onBar ? kBar[2] : 0u) << row;
        EXPECT_EQ(lower(2, row), onBar ? kBar[2] : kBottomEdge) << row;
    }
}

TEST_F(RasterBars, PhasesStepByWholeUnitsOnly)
{
    frame(static_cast<float>(16 * 0.1));  // 16 ms: 6.4 gives 6
    EXPECT_EQ(amigascroller[2].phase, 186);
    frame(static_cast<float>(7 * 0.1));  // 7 ms: 2.8 gives 2
    EXPECT_EQ(amigascroller[0].phase, 8);
    EXPECT_EQ(amigascroller[1].phase, 98);
}
