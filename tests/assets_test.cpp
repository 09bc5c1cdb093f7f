// Loading every picture and font: formats, colour keys and the animation
// records. Broken files are tried in broken_assets_test.cpp.
#include <gtest/gtest.h>

#include <SDL_image.h>

#include <cstring>
#include <string>

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

// Whether `s` holds the very pixels of `path`, loaded as it stands.
bool sameAsFile(SDL_Surface* s, const std::string& path)
{
    SDL_Surface* file = IMG_Load(path.c_str());
    if (!file)
        return false;
    bool same = s->w == file->w && s->h == file->h &&
                s->format->BitsPerPixel == file->format->BitsPerPixel;
    const size_t rowBytes = static_cast<size_t>(s->w) * s->format->BytesPerPixel;
    for (int y = 0; same && y < s->h; y++)
        same = std::memcmp(static_cast<Uint8*>(s->pixels) + y * s->pitch,
                           static_cast<Uint8*>(file->pixels) + y * file->pitch, rowBytes) == 0;
    SDL_FreeSurface(file);
    return same;
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

TEST(LoadGfx, EachPictureLandsInItsSlot)
{
    initTestAssets();
    // The strip's order is its own, not the order of the numbers.
    const int strip[] = {1, 2, 3, 7, 12, 11, 5, 10, 9, 8, 4, 6};
    for (int i = 0; i < 12; i++)
        EXPECT_TRUE(sameAsFile(bajssurface[i], "gfx/pics_" + std::to_string(strip[i]) + ".png"))
            << "slot " << i;
    EXPECT_TRUE(sameAsFile(bajssurface[12], "gfx/botton.png"));
    EXPECT_TRUE(sameAsFile(hello.frames[0], "gfx/mun_1.png"));
    EXPECT_TRUE(sameAsFile(hello.frames[1], "gfx/mun_2.png"));
    for (int i = 0; i < 6; i++)
        EXPECT_TRUE(sameAsFile(ball.frames[i], "gfx/boll000" + std::to_string(i + 1) + ".png"))
            << "ball picture " << i;
    EXPECT_TRUE(sameAsFile(dance.frames[2], "gfx/grumpeldondansar3.png"));
    EXPECT_FALSE(sameAsFile(bajssurface[4], "gfx/pics_11.png"));  // the files differ
}
