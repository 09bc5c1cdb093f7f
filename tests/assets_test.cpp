// Loading every picture and font: formats, colour keys, the animation records,
// and a clear stop when a file is missing or broken.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "animation.h"
#include "assets.h"
#include "globals.h"
#include "testutil.h"

namespace {

bool haveArt()
{
    return access("gfx/mario3.bmp", R_OK) == 0;
}

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
    if (!haveArt())
        GTEST_SKIP() << "gfx/ not generated yet";
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
    if (!haveArt())
        GTEST_SKIP() << "gfx/ not generated yet";
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

namespace {

// A scratch copy of the assets in which one file is missing or damaged.
class BrokenAsset : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!haveArt())
            GTEST_SKIP() << "gfx/ not generated yet";
        char tmpl[] = "/tmp/frosthem-assets-XXXXXX";
        ASSERT_NE(mkdtemp(tmpl), nullptr);
        dir = tmpl;
        const std::string cmd = "cp -r gfx '" + dir + "/'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
    }
    void TearDown() override
    {
        if (!dir.empty())
            std::system(("rm -rf '" + dir + "'").c_str());
    }
    // Runs loadGfx in the scratch tree, in a child process.
    void expectStop(const std::string& file)
    {
        const std::string d = dir;
        EXPECT_EXIT(
            {
                if (chdir(d.c_str()) != 0)
                    std::exit(3);
                initTestScreen();
                loadGfx();
                std::exit(0);
            },
            ::testing::ExitedWithCode(1), "frosthem: cannot load \"" + file + "\": .+");
    }
    std::string dir;
};

}  // namespace

TEST_F(BrokenAsset, MissingPictureStopsStartUpNamingIt)
{
    std::remove((dir + "/gfx/bubbla.png").c_str());
    expectStop("gfx/bubbla.png");
}

TEST_F(BrokenAsset, CorruptPictureAndFontStopStartUpNamingThem)
{
    std::ofstream(dir + "/gfx/frosthemliten.bmp", std::ios::trunc) << "not a picture";
    expectStop("gfx/frosthemliten.bmp");
    std::ofstream(dir + "/gfx/newfont.bmp", std::ios::trunc) << "BM garbage";
    expectStop("gfx/newfont.bmp");
}
