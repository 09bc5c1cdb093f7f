// The drawing helpers: rounding, clipping of the blits, the mirror.
#include <gtest/gtest.h>

#include <cmath>

#include "extra.h"
#include "testutil.h"

TEST(ToInt, RoundsHalvesAwayFromZero)
{
    EXPECT_EQ(toInt(2.5f), 3);
    EXPECT_EQ(toInt(-2.5f), -3);
    EXPECT_EQ(toInt(1.5f), 2);
    EXPECT_EQ(toInt(-0.5f), -1);
    EXPECT_EQ(toInt(-0.4f), 0);
    EXPECT_EQ(toInt(0.0f), 0);
    EXPECT_EQ(toInt(-0.0f), 0);
    EXPECT_EQ(toInt(1.7f), 2);
    EXPECT_EQ(toInt(-1.7f), -2);
    // The largest float below one half must not round up through a
    // single-precision addition.
    EXPECT_EQ(toInt(std::nextafter(0.5f, 0.0f)), 0);
    EXPECT_EQ(toInt(-std::nextafter(0.5f, 0.0f)), 0);
}

class Blits : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        dst = makeSurface(20, 20);
        src = makeSurface(4, 4);
        SDL_SetAlpha(src, 0, 255);  // copy, don't blend
        fillRgb(dst, 0x000000);
        // Each source pixel tells its own coordinates: 0x00xxyy.
        for (int y = 0; y < 4; y++)
            for (int x = 0; x < 4; x++) {
                SDL_Rect r{static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
                SDL_FillRect(src, &r, SDL_MapRGBA(src->format, 0, 0x10 + x, 0x10 + y, 255));
            }
    }
    void TearDown() override
    {
        SDL_FreeSurface(dst);
        SDL_FreeSurface(src);
    }
    Uint32 cell(int x, int y) { return ((0x10 + x) << 8) | (0x10 + y); }
    SDL_Surface* dst = nullptr;
    SDL_Surface* src = nullptr;
};

TEST_F(Blits, WholePictureClipsAtTheEdges)
{
    drawImg(dst, src, -2, 18);
    EXPECT_EQ(rgbAt(dst, 0, 18), cell(2, 0));
    EXPECT_EQ(rgbAt(dst, 1, 19), cell(3, 1));
    EXPECT_EQ(countNot(dst, 0, 0, 0, 20, 20), 4);

    fillRgb(dst, 0);
    drawImg(dst, src, 25, 3);  // wholly outside
    drawImg(dst, src, -4, 3);
    EXPECT_EQ(countNot(dst, 0, 0, 0, 20, 20), 0);
}

TEST_F(Blits, PartialRectangleAboveTheSourceIsShortenedAndMovedDown)
{
    // Starting 2 rows above the source: the source's row 0 lands 2 rows lower.
    drawImg2(dst, src, 5, 5, 4, 4, 0, -2);
    EXPECT_EQ(rgbAt(dst, 5, 5), 0u);
    EXPECT_EQ(rgbAt(dst, 5, 7), cell(0, 0));
    EXPECT_EQ(rgbAt(dst, 8, 8), cell(3, 1));
    EXPECT_EQ(countNot(dst, 0, 0, 0, 20, 20), 8);
}

TEST_F(Blits, PartialRectanglePastTheSourceCopiesOnlyWhatExists)
{
    drawImg2(dst, src, 0, 0, 10, 10, 2, 3);
    EXPECT_EQ(rgbAt(dst, 0, 0), cell(2, 3));
    EXPECT_EQ(rgbAt(dst, 1, 0), cell(3, 3));
    EXPECT_EQ(countNot(dst, 0, 0, 0, 20, 20), 2);
}

TEST_F(Blits, PixelsAndLinesOutsideDrawNothing)
{
    drawPixel(dst, -1, 0, 255, 255, 255);
    drawPixel(dst, 20, 5, 255, 255, 255);
    drawPixel(dst, 3, 20, 255, 255, 255);
    line(dst, -10, -10, -1, -1);
    EXPECT_EQ(countNot(dst, 0, 0, 0, 20, 20), 0);
    drawPixel(dst, 19, 19, 1, 2, 3);
    EXPECT_EQ(rgbAt(dst, 19, 19), 0x010203u);
    line(dst, 0, 0, 19, 0);
    EXPECT_EQ(rgbAt(dst, 10, 0), 0x00ff00u);
}

TEST_F(Blits, DarkenedBlitCoversThePictureOnly)
{
    drawImgAlpha(dst, src, 2, 2, 0);  // level 0: opaque black over it
    EXPECT_EQ(countNot(dst, 0, 0, 0, 20, 20), 0);
    drawImgAlpha(dst, src, 2, 2, 255);
    EXPECT_EQ(rgbAt(dst, 2, 2), cell(0, 0));
}

TEST_F(Blits, MirrorFlipsColumnsInPlace)
{
    mirrorImg(src);
    for (int y = 0; y < 4; y++)
        for (int x = 0; x < 4; x++)
            EXPECT_EQ(rgbAt(src, x, y), cell(3 - x, y));

    SDL_Surface* one = makeSurface(1, 2);
    fillRgb(one, 0x123456);
    mirrorImg(one);
    EXPECT_EQ(rgbAt(one, 0, 1), 0x123456u);
    SDL_FreeSurface(one);
}

TEST_F(Blits, MirrorKeepsTranslucentPixels)
{
    SDL_Surface* two = makeSurface(2, 1);
    SDL_Rect left{0, 0, 1, 1};
    SDL_FillRect(two, nullptr, SDL_MapRGBA(two->format, 0, 0, 255, 255));
    SDL_FillRect(two, &left, SDL_MapRGBA(two->format, 255, 0, 0, 64));
    mirrorImg(two);
    Uint8 r, g, b, a;
    SDL_GetRGBA(*static_cast<Uint32*>(two->pixels) + 0, two->format, &r, &g, &b, &a);
    EXPECT_EQ(b, 255);
    SDL_GetRGBA(static_cast<Uint32*>(two->pixels)[1], two->format, &r, &g, &b, &a);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(a, 64);
    EXPECT_TRUE(two->flags & SDL_SRCALPHA);
    SDL_FreeSurface(two);
}
