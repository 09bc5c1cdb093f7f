// The picture strip: the wipe, the stretched edge, the ten-second hold and
// the order of the pictures.
#include <gtest/gtest.h>

#include <vector>

#include "assets.h"
#include "clock.h"
#include "effects/pictures.h"
#include "globals.h"
#include "testutil.h"

namespace {

constexpr Uint32 kUntouched = 0x102030;
constexpr int kStripY = 359;

// Each pixel tells where it came from: red = slot * 16 + column / 256,
// green = column % 256, blue = row.
Uint32 source(int slot, int column, int row)
{
    return ((slot * 16 + column / 256) << 16) | ((column % 256) << 8) | (row % 256);
}

SDL_Surface* picture(int slot, int w, int h)
{
    SDL_Surface* s = makeSurface(w, h);
    SDL_LockSurface(s);
    for (int y = 0; y < h; y++) {
        Uint32* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < w; x++)
            row[x] = 0xff000000 | source(slot, x, y);
    }
    SDL_UnlockSurface(s);
    return s;
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        for (int i = 0; i < kBajsSlots; i++)
            swapped.emplace_back(bajssurface[i], picture(i, 640, 300));
        currentbajs = 0;
        bajs_cur_x = 0;
        dt = 1.0f;
        fillRgb(screen, kUntouched);
        lastbajs = 100000;
    }
    // Strip columns below `revealed` show their own column of `slot`, the
    // later ones up to `width` show column `revealed`, rows 0-120.
    void expectStrip(int slot, int revealed, int width = 640)
    {
        for (int x = 0; x < 640; x++)
            for (int y : {kStripY, kStripY + 60, 479}) {
                const Uint32 want = x >= width ? kUntouched
                                               : source(slot, x < revealed ? x : revealed, y - kStripY);
                ASSERT_EQ(rgbAt(screen, x, y), want) << x << "," << y;
            }
        EXPECT_EQ(countNot(screen, kUntouched, 0, 0, 640, kStripY), 0);
    }

    Restore<float> keepDt{dt};
    VirtualClock clock{100000};
    std::vector<SwappedPicture> swapped;
};

}  // namespace

TEST_F(Pictures, FirstCallStretchesSlotZeroThenMovesToSlotOne)
{
    lastbajs = 0;
    setTicks(20000);
    drawBajs();
    expectStrip(0, 0);
    EXPECT_EQ(currentbajs, 1);
    EXPECT_EQ(bajs_cur_x, 0);
    EXPECT_EQ(lastbajs, 20000u);

    fillRgb(screen, kUntouched);
    advanceTicks(10);
    drawBajs();
    expectStrip(1, 0);
    EXPECT_EQ(bajs_cur_x, 5);
}

TEST_F(Pictures, WipesHalfAPixelPerMillisecondUpToTheFullWidth)
{
    currentbajs = 3;
    drawBajs();  // draws at 0, then advances
    fillRgb(screen, kUntouched);
    drawBajs();
    expectStrip(3, 5);

    // 16 ms: 8 pixels; 1 ms: toInt(0.5) = 1; 0 ms: none; a long frame: all,
    // and no more.
    const std::pair<float, int> frames[] = {{1.6f, 18}, {0.1f, 19}, {0.0f, 19}, {500.0f, 640}};
    for (const auto& [step, width] : frames) {
        dt = step;
        drawBajs();
        EXPECT_EQ(bajs_cur_x, width) << step;
    }
    fillRgb(screen, kUntouched);
    drawBajs();
    expectStrip(3, 640);
}

TEST_F(Pictures, NarrowPictureLeavesTheRestOfTheStrip)
{
    SDL_FreeSurface(bajssurface[0]);  // the guard frees what the slot holds
    bajssurface[0] = picture(0, 320, 121);
    bajs_cur_x = 100;
    drawBajs();
    expectStrip(0, 100, 320);

    // Revealed past the picture's own width: nothing stretched.
    fillRgb(screen, kUntouched);
    bajs_cur_x = 400;
    drawBajs();
    expectStrip(0, 320, 320);
}

TEST_F(Pictures, HoldsForMoreThanTenSecondsThenStartsTheNextFromNothing)
{
    currentbajs = 4;
    bajs_cur_x = 200;
    setTicks(110000);  // exactly 10000 ms: the picture stays
    drawBajs();
    EXPECT_EQ(currentbajs, 4);
    EXPECT_EQ(bajs_cur_x, 205);
    advanceTicks(1);
    drawBajs();
    EXPECT_EQ(currentbajs, 5);
    EXPECT_EQ(bajs_cur_x, 0);
    EXPECT_EQ(lastbajs, 110001u);

    // After the twelfth picture comes the first; the spare slots stay unused.
    currentbajs = 11;
    advanceTicks(10001);
    drawBajs();
    EXPECT_EQ(currentbajs, 0);
}

TEST_F(Pictures, TimesAcrossAWrappedTickCount)
{
    lastbajs = 0xffffff00u;
    setTicks(0xffffff00u + 10000);  // the count has wrapped to 9744
    drawBajs();
    EXPECT_EQ(currentbajs, 0);
    advanceTicks(1);
    drawBajs();
    EXPECT_EQ(currentbajs, 1);
}
