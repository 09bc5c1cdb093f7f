// The spectrum plasma: palette, table, bar and dot rows, colours, clipping,
// and hostile spectrum values.
#include <gtest/gtest.h>

#include <sge.h>

#include <cmath>
#include <limits>
#include <set>
#include <vector>

#include "clock.h"
#include "effects/plasma.h"
#include "globals.h"
#include "../testutil.h"

namespace {

constexpr Uint32 kBlack = 0x000000;
constexpr Uint32 kWhite = 0xffffff;
constexpr int kBin = 10;  // drives columns 330 and 310

Uint32 paletteRgb(int e)
{
    return (colors[e][0] << 16) | (colors[e][1] << 8) | colors[e][2];
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
        SDL_SetClipRect(screen, nullptr);
        fillRgb(screen, kBlack);
        setTicks(0);
    }
    void TearDown() override
    {
        SDL_SetClipRect(screen, nullptr);
        useRealClock();
    }

    // Rows of a column that were drawn, and those drawn white.
    static std::set<int> rowsOf(int column, bool whiteOnly = false)
    {
        std::set<int> rows;
        for (int y = 0; y < 480; y++) {
            const Uint32 c = rgbAt(screen, column, y);
            if (whiteOnly ? c == kWhite : c != kBlack)
                rows.insert(y);
        }
        return rows;
    }
    static std::set<int> range(int first, int last)
    {
        std::set<int> rows;
        for (int y = first; y <= last; y++)
            rows.insert(y);
        return rows;
    }
    std::set<int> drawBin(float v)
    {
        bins[kBin] = v;
        drawPlasma();
        EXPECT_EQ(rowsOf(320 + kBin), rowsOf(320 - kBin));
        return rowsOf(320 + kBin);
    }

    std::vector<float> bins;
};

}  // namespace

TEST_F(Plasma, PaletteRunsGreenRedYellowBlackGreen)
{
    const std::pair<int, Uint32> samples[] = {
        {0, 0x00fe00},   {1, 0x10fa00},   {15, 0xf0c200},  {16, 0x00be00},
        {63, 0xf00200},  {64, 0xff0100},  {127, 0xfffd00}, {128, 0xfefe00},
        {191, 0x020200}, {192, 0x000100}, {255, 0x00fd00},
    };
    for (const auto& [e, rgb] : samples)
        EXPECT_EQ(paletteRgb(e), rgb) << "entry " << e;
    for (int e = 0; e < kPaletteSize; e++) {
        EXPECT_EQ(colors[e][2], 0) << e;
        EXPECT_EQ(colors[e][3], 0) << e;
        // No entry is black or white, so the tests can tell bars from dots
        // and from the background.
        EXPECT_NE(paletteRgb(e), kBlack) << e;
    }
}

TEST_F(Plasma, TableHoldsTheSumOfFourSines)
{
    for (int x = 0; x < kPlasmaColumns; x++)
        for (int y = 0; y < kPlasmaRows; y++) {
            ASSERT_GE(plasma[x][y], 16) << x << "," << y;
            ASSERT_LE(plasma[x][y], 240) << x << "," << y;
        }
    // Cells worked out by hand from the formula, in double precision.
    EXPECT_EQ(plasma[0][0], 131);
    EXPECT_EQ(plasma[320][150], 131);
    EXPECT_EQ(plasma[639][299], 163);
    EXPECT_EQ(plasma[100][200], 137);
    EXPECT_EQ(plasma[500][37], 162);
    // Not symmetric about the middle: the left half has colours of its own.
    EXPECT_EQ(plasma[330][200], 131);
    EXPECT_EQ(plasma[310][200], 171);
}

TEST_F(Plasma, BarAndDotRowsFollowTheBinsHeight)
{
    // Rounds to no row at all.
    EXPECT_TRUE(drawBin(0.4f / 170).empty());

    // One row each way, and no dots at 2 rows or less.
    fillRgb(screen, kBlack);
    EXPECT_EQ(drawBin(1.2f / 170), (std::set<int>{128, 352}));

    // Two rows each way; dots five rows below the upper bar and three above
    // the lower one.
    fillRgb(screen, kBlack);
    EXPECT_EQ(drawBin(2.2f / 170), (std::set<int>{128, 129, 134, 348, 351, 352}));
    EXPECT_EQ(rowsOf(320 + kBin, true), (std::set<int>{134, 348}));
    EXPECT_EQ(rowsOf(320 - kBin, true), (std::set<int>{134, 348}));

    // Full scale: the bars overlap in rows 183-297, dots at 302 and 180.
    fillRgb(screen, kBlack);
    EXPECT_EQ(drawBin(1.0f), range(128, 352));
    EXPECT_EQ(rowsOf(320 + kBin, true), (std::set<int>{180, 302}));
}

TEST_F(Plasma, DotThresholdComparesTheUnroundedProduct)
{
    // 2/170 as a float times 170 is a hair above 2 in double precision,
    // though it rounds to exactly 2 in single precision: dots are drawn.
    const float justAbove = 2.0f / 170.0f;
    ASSERT_GT(justAbove * 170.0, 2.0);
    EXPECT_EQ(drawBin(justAbove), (std::set<int>{128, 129, 134, 348, 351, 352}));

    // One float lower the product is below 2: the bars stay, the dots go.
    fillRgb(screen, kBlack);
    const float justBelow = std::nextafter(justAbove, 0.0f);
    ASSERT_LT(justBelow * 170.0, 2.0);
    EXPECT_EQ(drawBin(justBelow), (std::set<int>{128, 129, 351, 352}));
}

TEST_F(Plasma, ColoursRotateWithTheClockAndMirrorTopToBottomOnly)
{
    for (int x = 0; x < 320; x++)
        bins[x] = 1.0f;
    setTicks(12348);  // 2469.6 steps, rounded to 2470
    const int t = 2470;
    drawPlasma();
    for (int column : {1, 150, 310, 319, 320, 321, 330, 639}) {
        for (int y = 128; y <= 352; y++) {
            if (y == 180 || y == 302)
                continue;  // the peak dots
            // Where the two bars overlap the later row wins.
            const int cell = y > 240 ? y : 480 - y;
            const int tableRow = y < 183 ? y : (y > 297 ? 480 - y : cell);
            ASSERT_EQ(rgbAt(screen, column, y),
                      paletteRgb((t + plasma[column][tableRow]) % kPaletteSize))
                << column << "," << y;
        }
    }
    const int e = (t + plasma[330][200]) % kPaletteSize;
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(buffer[330][200][i], colors[e][i]);
}

TEST_F(Plasma, ColumnZeroIsNeverDrawn)
{
    for (int x = 0; x < 320; x++)
        bins[x] = 1.0f;
    drawPlasma();
    EXPECT_EQ(countNot(screen, kBlack, 0, 0, 1, 480), 0);
    EXPECT_EQ(countNot(screen, kBlack, 1, 128, 640, 353), 639 * 225);
    EXPECT_EQ(countNot(screen, kBlack, 0, 0, 640, 128), 0);
    EXPECT_EQ(countNot(screen, kBlack, 0, 353, 640, 480), 0);
}

TEST_F(Plasma, HostileValuesDrawNothingOrAtMostAFullTable)
{
    const float inf = std::numeric_limits<float>::infinity();
    bins[1] = std::numeric_limits<float>::quiet_NaN();
    bins[2] = inf;
    bins[3] = -inf;
    bins[4] = -0.5f;
    bins[5] = 5.0f;
    bins[6] = std::numeric_limits<float>::max();
    bins[7] = 172.4f / 170;  // the tallest bar the table allows
    bins[8] = 172.6f / 170;  // would need row 300
    for (int pass = 0; pass < 2; pass++) {
        fillRgb(screen, kBlack);
        pass == 0 ? drawPlasma() : drawPlasmaPerPixel();
        for (int x : {1, 2, 3, 4}) {
            EXPECT_TRUE(rowsOf(320 + x).empty()) << x;
            EXPECT_TRUE(rowsOf(320 - x).empty()) << x;
        }
        // 172 rows each way; the dots of huge values fall off the screen,
        // those of merely too tall bars keep their place.
        for (int x : {5, 6, 7, 8}) {
            EXPECT_EQ(rowsOf(320 + x), range(128, 352)) << x;
            EXPECT_EQ(rowsOf(320 - x), range(128, 352)) << x;
        }
        EXPECT_EQ(rowsOf(325, true), std::set<int>{});
        EXPECT_EQ(rowsOf(314, true), std::set<int>{});
        EXPECT_EQ(rowsOf(313, true), (std::set<int>{178, 304}));
        EXPECT_EQ(rowsOf(328, true), (std::set<int>{177, 305}));
    }
}

TEST_F(Plasma, DirectWritesMatchPixelCallsAndAreRepeatable)
{
    for (int x = 0; x < 320; x++)
        bins[x] = 0.9f / (1.0f + x * 0.03f) * (0.5f + 0.5f * std::fabs(std::sin(x * 0.37f)));
    setTicks(987654);
    drawPlasma();
    const std::string fast = frameDigest(screen);
    drawPlasma();
    EXPECT_EQ(frameDigest(screen), fast);

    fillRgb(screen, kBlack);
    drawPlasmaPerPixel();
    EXPECT_EQ(frameDigest(screen), fast);

    // Both keep to the clip rectangle.
    SDL_Rect clip{300, 200, 100, 60};
    fillRgb(screen, kBlack);
    SDL_SetClipRect(screen, &clip);
    drawPlasma();
    SDL_SetClipRect(screen, nullptr);
    const std::string clipped = frameDigest(screen);
    EXPECT_EQ(countNot(screen, kBlack, 0, 0, 640, 480),
              countNot(screen, kBlack, 300, 200, 400, 260));
    EXPECT_GT(countNot(screen, kBlack, 300, 200, 400, 260), 0);
    fillRgb(screen, kBlack);
    SDL_SetClipRect(screen, &clip);
    drawPlasmaPerPixel();
    SDL_SetClipRect(screen, nullptr);
    EXPECT_EQ(frameDigest(screen), clipped);
}
