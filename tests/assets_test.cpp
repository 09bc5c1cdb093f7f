// Loading every picture and font: formats, colour keys and the animation
// records. Broken files are tried in broken_assets_test.cpp.
#include <gtest/gtest.h>

#include "animation.h"
#include "assets.h"
#include "globals.h"
#include "testutil.h"

namespace {

bool hasAlpha(SDL_Surface* s)
{
    return s->format->Amask != 0;
}

bool keyed(SDL_Surface* s, Uint8 r, Uint8 g, Uint8 b)
{
    return (s->flags & SDL_SRCCOLORKEY) && s->format->colorkey == SDL_MapRGB(s->format, r, g, b);
}

}  // namespace

TEST(LoadGfx, DisplayCopiesAreOpaqueOrKeyedAndTheRestKeepTheirAlpha)
{
    initTestAssets();
    for (SDL_Surface* s : {img_top, img_bar, img_bar_1, img_amigabars[0], img_amigabars[1],
                           img_amigabars[2], img_bottom, img_snowflake, img_frosthemlogga,
                           img_frosthemlogga_skugga}) {
        EXPECT_EQ(s->format->BitsPerPixel, screen->format->BitsPerPixel);
        EXPECT_FALSE(s->flags & SDL_SRCALPHA);
    }
    EXPECT_TRUE(keyed(img_snowflake, 255, 0, 255));
    EXPECT_TRUE(keyed(img_frosthemlogga, 0, 0, 0));
    EXPECT_TRUE(keyed(img_frosthemlogga_skugga, 0, 0, 0));
    EXPECT_FALSE(img_top->flags & SDL_SRCCOLORKEY);

    // Kept in their own format: the alpha channel stays, no key is added.
    for (SDL_Surface* s : {img_snowflake2, img_snowflake3, img_shaddow, img_bubbla, img_snow_down,
                           img_top_bar, hello.frames[0], hello.frames[1], ball.frames[0]}) {
        EXPECT_TRUE(hasAlpha(s));
        EXPECT_FALSE(s->flags & SDL_SRCCOLORKEY);
    }
}

TEST(LoadGfx, FilesNamedTwiceAreSeparateSurfacesAndRecordsAreSet)
{
    initTestAssets();
    EXPECT_NE(img_bar_1, img_amigabars[0]);
    EXPECT_NE(bajssurface[12], bajssurface[13]);
    EXPECT_NE(bajssurface[12], img_bottom);
    EXPECT_NE(dance.frames[1], dance.frames[3]);
    for (int i = 0; i < kBajsSlots; i++)
        EXPECT_NE(bajssurface[i], nullptr) << i;

    EXPECT_EQ(hello.numFrames, 2);
    EXPECT_EQ(hello.delay, 200u);
    EXPECT_EQ(dance.numFrames, 4);
    EXPECT_EQ(dance.delay, 150u);
    EXPECT_EQ(ball.numFrames, 5);
    EXPECT_EQ(ball.delay, 20u);
    EXPECT_NE(ball.frames[5], nullptr);  // loaded, never cycled
    EXPECT_EQ(ball.frames[0]->w, 100);
    EXPECT_EQ(ball.frames[0]->h, 100);
}
