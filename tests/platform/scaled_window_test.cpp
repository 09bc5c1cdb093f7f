// The Windows window's own enlargement of the 640x480 screen: every source
// pixel a whole square block, the picture centred, the rest black.
#include <gtest/gtest.h>

#include "scaled_window.h"
#include "testutil.h"

namespace {

// A picture in which every pixel differs from its neighbours.
Uint32 patternAt(int x, int y)
{
    return static_cast<Uint32>((x * 7919 + y * 104729) & 0xffffff) | 0x010101;
}

SDL_Surface* patterned()
{
    SDL_Surface* s = makeSurface(640, 480);
    for (int y = 0; y < 480; y++)
        for (int x = 0; x < 640; x++)
            static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x] = patternAt(x, y);
    return s;
}

struct Target {
    int width, height;
    int factor, left, top;
};

TEST(ScaledWindow, EachPixelIsAWholeBlockCentredOnBlack)
{
    SDL_Surface* screen = patterned();
    const Target targets[] = {
        {640, 480, 1, 0, 0},
        {1280, 960, 2, 0, 0},
        {1920, 1080, 2, 320, 60},  // full screen on a common monitor
        {1366, 768, 1, 363, 144},  // a laptop: too small for 2x
    };
    for (const Target& t : targets) {
        SCOPED_TRACE(std::to_string(t.width) + "x" + std::to_string(t.height));
        SDL_Surface* window = makeSurface(t.width, t.height);
        fillRgb(window, 0x123456);  // last frame's leftovers
        EXPECT_EQ(scaleInto(screen, window), t.factor);
        int wrong = 0;
        for (int y = 0; y < t.height; y++)
            for (int x = 0; x < t.width; x++) {
                const int sx = (x - t.left) / t.factor, sy = (y - t.top) / t.factor;
                const bool inside = x >= t.left && y >= t.top && sx < 640 && sy < 480;
                wrong += rgbAt(window, x, y) != (inside ? patternAt(sx, sy) : 0u);
            }
        EXPECT_EQ(wrong, 0);
        SDL_FreeSurface(window);
    }
    SDL_FreeSurface(screen);
}

// A window smaller than the picture (a desktop below 640x480) shows the
// middle of it, writing nothing outside the window.
TEST(ScaledWindow, SmallerWindowShowsTheMiddle)
{
    SDL_Surface* screen = patterned();
    SDL_Surface* window = makeSurface(600, 400);
    EXPECT_EQ(scaleInto(screen, window), 1);
    EXPECT_EQ(rgbAt(window, 0, 0), patternAt(20, 40));
    EXPECT_EQ(rgbAt(window, 599, 399), patternAt(619, 439));
    SDL_FreeSurface(window);
    SDL_FreeSurface(screen);
}

}  // namespace
