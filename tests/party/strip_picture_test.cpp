// The strip pictures' preparation: where the slot is cut from a photo, and
// the file written for it.
#include <SDL.h>
#include <SDL_image.h>
#include <cairo.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "logo_text.h"
#include "party/party_file.h"
#include "strip_picture.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(StripCrop, CoversTheSlotAroundTheCentreOrTheFocus)
{
    using Focus = std::optional<std::pair<int, int>>;
    struct Case {
        const char* what;
        int w, h;
        Focus focus;
        StripCrop expected;
    };
    const Case cases[] = {
        {"the slot's own shape", 1280, 242, std::nullopt, {0.5, 0, 0}},
        {"a 4:3 photo, middle rows", 1280, 960, std::nullopt, {0.5, 0, 359}},
        {"a focus near the top stops at the edge", 1280, 960, std::make_pair(100, 10), {0.5, 0, 0}},
        {"a focus near the bottom stops at the edge",
         1280,
         960,
         std::make_pair(640, 900),
         {0.5, 0, 718}},
        {"a focus in reach is centred", 1280, 960, std::make_pair(10, 500), {0.5, 0, 500.5 - 121}},
        {"a portrait photo is scaled up to the width",
         320,
         1000,
         std::nullopt,
         {2, 0, 500 - 30.25}},
        {"a panorama keeps its middle",
         4000,
         300,
         std::nullopt,
         {121.0 / 300, 2000 - 320 * 300 / 121.0, 0}},
        {"a panorama's focus moves the cut sideways",
         4000,
         300,
         std::make_pair(3999, 0),
         {121.0 / 300, 4000 - 640 * 300 / 121.0, 0}},
        {"a small picture is scaled up", 100, 50, std::nullopt, {6.4, 0, 25 - 121 / 12.8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const StripCrop got = stripCrop(c.w, c.h, c.focus);
        EXPECT_NEAR(got.scale, c.expected.scale, 1e-9);
        EXPECT_NEAR(got.left, c.expected.left, 1e-9);
        EXPECT_NEAR(got.top, c.expected.top, 1e-9);
        // The slot always lies inside the picture.
        EXPECT_GE(got.left, 0);
        EXPECT_GE(got.top, 0);
        EXPECT_LE(got.left + kSlotWidth / got.scale, c.w + 1e-9);
        EXPECT_LE(got.top + kSlotHeight / got.scale, c.h + 1e-9);
    }
}

TEST(StripCrop, PreparedFileIsNamedBesideThePicture)
{
    EXPECT_EQ(stripFileFor("party/hall.jpg"), "party/hall.strip.png");
    EXPECT_EQ(stripFileFor("party/photos.2026/crowd"), "party/photos.2026/crowd.strip.png");
    EXPECT_EQ(stripFileFor("party/.hidden"), "party/.hidden.strip.png");
    EXPECT_EQ(stripFileFor("a.b.png"), "a.b.strip.png");
}

class StripFiles : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        SDL_Init(0);
    }

    // A 1280 x 960 dark blue photo with a red square at (1000, 700).
    std::string photo()
    {
        const std::string path = (dir_ / "photo.png").string();
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1280, 960);
        cairo_t* cr = cairo_create(s);
        cairo_set_source_rgb(cr, 0, 0, 0.3);
        cairo_paint(cr);
        cairo_set_source_rgb(cr, 1, 0, 0);
        cairo_rectangle(cr, 1000, 700, 20, 20);
        cairo_fill(cr);
        cairo_destroy(cr);
        EXPECT_EQ(cairo_surface_write_to_png(s, path.c_str()), CAIRO_STATUS_SUCCESS);
        cairo_surface_destroy(s);
        return path;
    }

    // Pixels of the prepared file that are mostly red.
    int redPixels(const std::string& path, int x0, int y0, int x1, int y1)
    {
        SDL_Surface* s = IMG_Load(path.c_str());
        EXPECT_NE(s, nullptr) << path;
        if (!s)
            return -1;
        EXPECT_EQ(s->w, kSlotWidth);
        EXPECT_EQ(s->h, kSlotHeight);
        int red = 0;
        SDL_LockSurface(s);
        for (int y = y0; y < y1; y++)
            for (int x = x0; x < x1; x++) {
                Uint8 r, g, b;
                const Uint8* p =
                    static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
                SDL_GetRGB(p[0] | p[1] << 8 | p[2] << 16, s->format, &r, &g, &b);
                red += r > 200 && b < 60;
            }
        SDL_UnlockSurface(s);
        SDL_FreeSurface(s);
        return red;
    }
};

TEST_F(StripFiles, TheFocusLandsInTheMiddleOfTheSlot)
{
    const std::string in = photo();
    std::string reason;
    ASSERT_TRUE(prepareStripPicture(in, std::make_pair(1010, 710), reason)) << reason;
    const std::string out = stripFileFor(in);
    // At half size the photo's width fills the slot's, so the square keeps
    // its place across (x 500 to 510) and is moved to the middle rows.
    EXPECT_EQ(redPixels(out, 496, 51, 514, 70), redPixels(out, 0, 0, kSlotWidth, kSlotHeight));
    EXPECT_EQ(redPixels(out, 501, 57, 509, 64), 8 * 7);

    // Renewed over its own file; the centre crop leaves the square out.
    ASSERT_TRUE(prepareStripPicture(in, std::nullopt, reason)) << reason;
    EXPECT_EQ(redPixels(out, 0, 0, kSlotWidth, kSlotHeight), 0);
    EXPECT_FALSE(fs::exists(out + ".partial"));
}

TEST_F(StripFiles, RefusalsLeaveEveryFileAsItWas)
{
    const std::string in = photo();
    std::string reason;
    EXPECT_FALSE(prepareStripPicture(in, std::make_pair(1280, 0), reason));
    EXPECT_EQ(reason, "the focus (1280, 0) lies outside the picture, which is 1280x960");
    EXPECT_FALSE(fs::exists(stripFileFor(in)));

    // A file of the prepared name that someone else made.
    const std::string theirs = stripFileFor(in);
    std::ofstream(theirs) << "mine";
    EXPECT_FALSE(prepareStripPicture(in, std::nullopt, reason));
    EXPECT_EQ(reason, theirs + " is there already and was not made by this step: move it away");
    std::ifstream kept(theirs);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "mine");

    const std::string garbled = (dir_ / "garbled.png").string();
    std::ofstream(garbled) << "not a picture at all";
    EXPECT_FALSE(prepareStripPicture(garbled, std::nullopt, reason));
    EXPECT_FALSE(reason.empty());
    EXPECT_FALSE(fs::exists(stripFileFor(garbled)));
    EXPECT_FALSE(prepareStripPicture((dir_ / "gone.jpg").string(), std::nullopt, reason));
    EXPECT_FALSE(reason.empty());
}

TEST_F(StripFiles, LogoLineIsDrawnWithItsShadowKeyedOnBlack)
{
    std::string reason;
    ASSERT_TRUE(prepareLogoText(dir_.string(), "NORRSKEN ÅÄÖ", reason)) << reason;
    struct Expected {
        const char* file;
        int w, h;
    };
    for (const Expected& e :
         {Expected{kLogoTextFile, 360, 100}, Expected{kLogoTextShadowFile, 360, 42}}) {
        SCOPED_TRACE(e.file);
        SDL_Surface* s = IMG_Load((dir_ / e.file).string().c_str());
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(s->w, e.w);
        EXPECT_EQ(s->h, e.h);
        // Black around the letters (the key), lettering within.
        int black = 0;
        SDL_LockSurface(s);
        for (int y = 0; y < s->h; y++)
            for (int x = 0; x < s->w; x++) {
                const Uint8* p =
                    static_cast<Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
                black += p[0] == 0 && p[1] == 0 && p[2] == 0;
            }
        SDL_UnlockSurface(s);
        EXPECT_GT(black, s->w * s->h / 4);
        EXPECT_LT(black, s->w * s->h * 9 / 10);
        SDL_FreeSurface(s);
    }

    // Renewed over its own files, never over someone else's.
    EXPECT_TRUE(prepareLogoText(dir_.string(), "POLARNATT", reason)) << reason;
    const fs::path theirs = dir_ / kLogoTextShadowFile;
    fs::remove(theirs);
    std::ofstream(theirs) << "mine";
    const auto logoBefore = fs::last_write_time(dir_ / kLogoTextFile);
    EXPECT_FALSE(prepareLogoText(dir_.string(), "OTHER", reason));
    EXPECT_EQ(reason,
              theirs.string() + " is there already and was not made by this step: move it away");
    EXPECT_EQ(fs::last_write_time(dir_ / kLogoTextFile), logoBefore);
}

}  // namespace
