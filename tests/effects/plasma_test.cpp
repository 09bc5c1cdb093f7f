// The spectrum plasma: palette, table, bar and dot rows, colours, and
// hostile spectrum values.
#include <gtest/gtest.h>

#include <sge.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "clock.h"
#include "effects/plasma.h"
#include "globals.h"
#include "testutil.h"

namespace {

using Rows = std::set<int>;

Uint32 paletteRgb(int e)
{
    return (colors[e][0] << 16) | (colors[e][1] << 8) | colors[e][2];
}

Rows range(int first, int last)
{
    Rows rows;
    while (first <= last)
        rows.insert(first++);
    return rows;
}

// Rows drawn in a column (no palette entry is black), or drawn white.
Rows rowsOf(int column, bool white = false)
{
    Rows rows;
    for (int y = 0; y < 480; y++)
        if (white ? rgbAt(screen, column, y) == 0xffffff : rgbAt(screen, column, y) != 0)
            rows.insert(y);
    return rows;
}

class Plasma : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        initTestScreen();
        initPlasma();
    }
    void SetUp() override
    {
        sge_Update_OFF();  // as the show runs
        bins.assign(512, 0.0f);
        spectrum = bins.data();
        fillRgb(screen, 0);
    }
    VirtualClock clock{0};
    Restore<Spectrum*> keepSpectrum{spectrum};
    std::vector<float> bins;
};

}  // namespace

TEST_F(Plasma, PaletteAndTable)
{
    const std::pair<int, Uint32> samples[] = {
        {0, 0x00fe00},  {1, 0x10fa00},   {15, 0xf0c200},  {16, 0x00be00},  {63, 0xf00200},
        {64, 0xff0100}, {127, 0xfffd00}, {128, 0xfefe00}, {191, 0x020200}, {192, 0x000100},
        {255, 0x00fd00}};
    for (const auto& [e, rgb] : samples)
        EXPECT_EQ(paletteRgb(e), rgb) << "entry " << e;
    for (int x = 0; x < kPlasmaColumns; x++)
        for (int y = 0; y < kPlasmaRows; y++)
            ASSERT_TRUE(plasma[x][y] >= 16 && plasma[x][y] <= 240) << x << "," << y;
    // Worked out separately from the four sines; the halves differ.
    EXPECT_EQ(plasma[0][0], 131);
    EXPECT_EQ(plasma[639][299], 163);
    EXPECT_EQ(plasma[330][200], 131);
    EXPECT_EQ(plasma[310][200], 171);
}

TEST_F(Plasma, BarAndDotRowsFollowTheBinsHeight)
{
    const float twoRows = 2.0f / 170;  // times 170 in double: a hair above 2
    const std::tuple<float, Rows, Rows> cases[] = {
        {0.4f / 170, {}, {}},
        {1.2f / 170, {128, 352}, {}},
        {2.2f / 170, {128, 129, 134, 348, 351, 352}, {134, 348}},
        {twoRows, {128, 129, 134, 348, 351, 352}, {134, 348}},
        {std::nextafter(twoRows, 0.0f), {128, 129, 351, 352}, {}},
        {1.0f, range(128, 352), {180, 302}},
    };
    for (const auto& [v, rows, dots] : cases) {
        fillRgb(screen, 0);
        bins[10] = v;
        drawPlasma();
        for (int column : {330, 310}) {
            EXPECT_EQ(rowsOf(column), rows) << v * 170.0;
            EXPECT_EQ(rowsOf(column, true), dots) << v * 170.0;
        }
    }
}

TEST_F(Plasma, ColoursRotateWithTheClockAndLaterRowsWin)
{
    std::fill(bins.begin(), bins.begin() + 320, 1.0f);
    setTicks(12348);  // 2469.6 steps, rounded
    drawPlasma();
    EXPECT_EQ(countNot(screen, 0, 0, 0, 1, 480), 0);  // column 0 is never drawn
    EXPECT_EQ(countNot(screen, 0, 1, 128, 640, 353), 639 * 225);
    for (int column : {1, 310, 320, 330, 639})
        for (int y = 128; y <= 352; y++) {
            // Rows 183-297 carry both bars; the one drawn later wins.
            const int row = y < 183 ? y : (y > 297 ? 480 - y : std::max(y, 480 - y));
            if (y == 180 || y == 302)
                continue;  // the peak dots
            ASSERT_EQ(rgbAt(screen, column, y), paletteRgb((2470 + plasma[column][row]) % 256))
                << column << "," << y;
        }
}

TEST_F(Plasma, HostileValuesStayInsideTheTable)
{
    const float hostile[] = {std::nanf(""), HUGE_VALF, -HUGE_VALF, -0.5f, 5.0f, 3e38f, 172.6f / 170};
    for (int i = 0; i < 7; i++)
        bins[1 + i] = hostile[i];
    bins[319] = 5.0f;  // the table's last column
    drawPlasma();
    for (int x = 1; x <= 4; x++)
        EXPECT_TRUE(rowsOf(320 + x).empty()) << x;
    // Huge values' dots fall off the screen, the merely too tall keep theirs.
    for (int x = 5; x <= 7; x++)
        EXPECT_EQ(rowsOf(320 - x), range(128, 352)) << x;
    EXPECT_TRUE(rowsOf(314, true).empty() && rowsOf(315, true).empty());
    EXPECT_EQ(rowsOf(313, true), (Rows{177, 305}));
    // 172 rows each way, not the 173 of row 300: table row 299 is the last
    // one drawn, on row 299 by the upper bar and row 181 by the lower one.
    // One row fewer would leave both rows to table row 181.
    for (int x : {313, 314, 315, 639}) {
        ASSERT_NE(plasma[x][299], plasma[x][181]) << x;
        EXPECT_EQ(rgbAt(screen, x, 299), paletteRgb(plasma[x][299])) << x;
        EXPECT_EQ(rgbAt(screen, x, 181), paletteRgb(plasma[x][299])) << x;
        EXPECT_EQ(rgbAt(screen, x, 300), paletteRgb(plasma[x][180])) << x;
    }
}

TEST_F(Plasma, DirectWritesMatchPixelCallsAndKeepToTheClipRectangle)
{
    for (int x = 0; x < 320; x++)
        bins[x] = 0.9f / (1.0f + x * 0.03f) * (0.5f + 0.5f * std::fabs(std::sin(x * 0.37f)));
    bins[4] = 9.0f;
    setTicks(987654);
    const auto frameOf = [](void (*draw)(), SDL_Rect* clip) {
        SDL_SetClipRect(screen, nullptr);
        fillRgb(screen, 0);
        SDL_SetClipRect(screen, clip);
        draw();
        SDL_SetClipRect(screen, nullptr);
        return frameDigest(screen);
    };
    SDL_Rect clip{300, 200, 100, 60};
    const std::string whole = frameOf(drawPlasmaPerPixel, nullptr);
    const std::string clipped = frameOf(drawPlasmaPerPixel, &clip);
    EXPECT_EQ(countNot(screen, 0, 0, 0, 640, 480), countNot(screen, 0, 300, 200, 400, 260));
    EXPECT_GT(countNot(screen, 0, 300, 200, 400, 260), 0);
    EXPECT_EQ(frameOf(drawPlasma, nullptr), whole);
    EXPECT_EQ(frameOf(drawPlasma, nullptr), whole);  // and again: nothing carried over
    EXPECT_EQ(frameOf(drawPlasma, &clip), clipped);
}
