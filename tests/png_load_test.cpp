// The loader the cross builds use instead of SDL_image must give the very
// surfaces SDL_image gives: for every file the show loads, and for the PNG
// kinds the show's files do not use (palettes with and without a single
// transparent entry, grey, 16-bit channels, keyed RGB).
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>
#include <png.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "harness.h"
#include "png_load.h"
#include "scratch_tree.h"

namespace {

namespace fs = std::filesystem;

struct Freed {
    SDL_Surface* s;
    ~Freed() { SDL_FreeSurface(s); }
};

void expectSameSurface(SDL_Surface* want, SDL_Surface* got, const std::string& what)
{
    SCOPED_TRACE(what);
    ASSERT_NE(want, nullptr) << IMG_GetError();
    ASSERT_NE(got, nullptr) << SDL_GetError();
    ASSERT_EQ(got->w, want->w);
    ASSERT_EQ(got->h, want->h);
    const SDL_PixelFormat& f = *want->format;
    const SDL_PixelFormat& g = *got->format;
    ASSERT_EQ(g.BitsPerPixel, f.BitsPerPixel);
    ASSERT_EQ(g.BytesPerPixel, f.BytesPerPixel);
    EXPECT_EQ(g.Rmask, f.Rmask);
    EXPECT_EQ(g.Gmask, f.Gmask);
    EXPECT_EQ(g.Bmask, f.Bmask);
    EXPECT_EQ(g.Amask, f.Amask);
    const Uint32 kTransparency = SDL_SRCCOLORKEY | SDL_SRCALPHA;
    EXPECT_EQ(got->flags & kTransparency, want->flags & kTransparency);
    if (want->flags & SDL_SRCCOLORKEY) {
        EXPECT_EQ(g.colorkey, f.colorkey);
    }
    EXPECT_EQ(g.alpha, f.alpha);
    ASSERT_EQ(g.palette != nullptr, f.palette != nullptr);
    if (f.palette) {
        ASSERT_EQ(g.palette->ncolors, f.palette->ncolors);
        for (int i = 0; i < f.palette->ncolors; i++) {
            const SDL_Color a = f.palette->colors[i], b = g.palette->colors[i];
            EXPECT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << "palette entry " << i;
        }
    }
    const size_t rowBytes = static_cast<size_t>(want->w) * f.BytesPerPixel;
    for (int y = 0; y < want->h; y++) {
        const auto* a = static_cast<const Uint8*>(want->pixels) + y * want->pitch;
        const auto* b = static_cast<const Uint8*>(got->pixels) + y * got->pitch;
        ASSERT_EQ(std::memcmp(a, b, rowBytes), 0) << "pixels differ in row " << y;
    }
}

void expectSameAsSdlImage(const fs::path& file)
{
    Freed want{IMG_Load(file.c_str())};
    Freed got{loadPngFile(file.c_str())};
    expectSameSurface(want.s, got.s, file.filename().string());
}

class PngLoad : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
    }
    harness::TempDir dir_;
};

TEST_F(PngLoad, EveryShowPictureAsSdlImageLoadsIt)
{
    const std::vector<std::string> files = scratch::gfxFiles();
    ASSERT_EQ(files.size(), 44u);
    for (const std::string& name : files)
        expectSameAsSdlImage(scratch::kSourceDir / "gfx" / name);
}

// A small PNG of the given kind, its samples counting up so that every
// row and channel differs.
struct PngKind {
    const char* name;
    int colorType;
    int depth;
    std::vector<png_byte> trans;  // palette alpha, or empty
    bool transColor;              // a tRNS colour for grey or RGB
    bool interlaced;
};

void writePng(const fs::path& path, const PngKind& k)
{
    constexpr int kW = 13, kH = 7;
    FILE* fp = std::fopen(path.c_str(), "wb");
    ASSERT_NE(fp, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, fp);
    png_set_IHDR(png, info, kW, kH, k.depth, k.colorType,
                 k.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (k.colorType == PNG_COLOR_TYPE_PALETTE) {
        png_color colors[16];
        for (int i = 0; i < 16; i++)
            colors[i] = png_color{png_byte(i * 16), png_byte(255 - i * 9), png_byte(i * 5)};
        png_set_PLTE(png, info, colors, 1 << k.depth < 16 ? 1 << k.depth : 16);
        if (!k.trans.empty())
            png_set_tRNS(png, info, k.trans.data(), static_cast<int>(k.trans.size()), nullptr);
    } else if (k.transColor) {
        png_color_16 key{};
        // Of a 16-bit colour SDL_image keys on the low byte.
        const bool wide = k.depth == 16;
        key.red = wide ? 0x1234 : 0x34;
        key.green = wide ? 0x0956 : 0x56;
        key.blue = 0x78;
        key.gray = 1;
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    const int channels = png_get_channels(png, info);
    const size_t rowBytes = (static_cast<size_t>(kW) * channels * k.depth + 7) / 8;
    std::vector<png_byte> row(rowBytes);
    const int passes = png_set_interlace_handling(png);
    for (int pass = 0; pass < passes; pass++) {
        for (int y = 0; y < kH; y++) {
            for (size_t i = 0; i < rowBytes; i++)
                row[i] = static_cast<png_byte>(i * 37 + y * 11);
            if (k.colorType == PNG_COLOR_TYPE_PALETTE && k.depth == 8)
                for (auto& b : row)
                    b %= 16;
            png_write_row(png, row.data());
        }
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(fp);
}

TEST_F(PngLoad, OtherKindsOfPngAsSdlImageLoadsThem)
{
    const PngKind kinds[] = {
        {"palette", PNG_COLOR_TYPE_PALETTE, 8, {}, false, false},
        {"palette, one transparent entry", PNG_COLOR_TYPE_PALETTE, 8, {255, 255, 0, 255}, false, false},
        {"palette, two transparent entries", PNG_COLOR_TYPE_PALETTE, 8, {0, 255, 0}, false, false},
        {"palette, a translucent entry", PNG_COLOR_TYPE_PALETTE, 8, {255, 128}, false, false},
        {"4-bit palette", PNG_COLOR_TYPE_PALETTE, 4, {}, false, false},
        {"1-bit palette, interlaced", PNG_COLOR_TYPE_PALETTE, 1, {}, false, true},
        {"grey", PNG_COLOR_TYPE_GRAY, 8, {}, false, false},
        {"2-bit grey", PNG_COLOR_TYPE_GRAY, 2, {}, false, false},
        {"grey with alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, {}, false, false},
        {"16-bit grey with alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 16, {}, false, false},
        {"RGB", PNG_COLOR_TYPE_RGB, 8, {}, false, false},
        {"RGB, keyed", PNG_COLOR_TYPE_RGB, 8, {}, true, false},
        {"16-bit RGB, keyed", PNG_COLOR_TYPE_RGB, 16, {}, true, false},
        {"16-bit RGBA, interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 16, {}, false, true},
    };
    for (const PngKind& k : kinds) {
        const fs::path file = dir_.path() / "kind.png";
        writePng(file, k);
        SCOPED_TRACE(k.name);
        expectSameAsSdlImage(file);
    }
}

TEST_F(PngLoad, DamagedOrMissingFilesFailWithAReason)
{
    const fs::path png = dir_.path() / "cut.png";
    writePng(png, {"RGB", PNG_COLOR_TYPE_RGB, 8, {}, false, false});
    std::string bytes = harness::slurp(png);
    harness::spill(png, bytes.substr(0, bytes.size() / 2));
    SDL_ClearError();
    EXPECT_EQ(loadPngFile(png.c_str()), nullptr);
    EXPECT_NE(std::string(SDL_GetError()).find("Error reading the PNG file"), std::string::npos)
        << SDL_GetError();

    bytes[bytes.size() / 2] ^= 0x55;  // inside the image data: a CRC error
    harness::spill(png, bytes);
    EXPECT_EQ(loadPngFile(png.c_str()), nullptr);
    EXPECT_NE(std::string(SDL_GetError()).find("libpng error:"), std::string::npos) << SDL_GetError();

    const fs::path missing = dir_.path() / "missing.png";
    SDL_ClearError();
    EXPECT_EQ(loadPngFile(missing.c_str()), nullptr);
    EXPECT_STRNE(SDL_GetError(), "");

    const fs::path text = dir_.path() / "text.png";
    harness::spill(text, "neither PNG nor BMP");
    SDL_ClearError();
    EXPECT_EQ(loadPngFile(text.c_str()), nullptr);
    EXPECT_STRNE(SDL_GetError(), "");
}

}  // namespace
