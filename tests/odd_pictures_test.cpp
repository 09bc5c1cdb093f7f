// Pictures and fonts that load but are not what the show was drawn with:
// every file in another pixel format (8-bit palette, 16 and 24 bits, saved as
// BMP under the file's own name, which the loaders accept by content), and
// ball pictures smaller than the square they are rotated into. The show runs
// in-process on the virtual clock, in a forked child, three seconds into the
// main scene; a memory fault or a sanitizer report ends the child non-zero.
// An 8-bit ball must still be drawn in its own colours, and keep its
// transparency when it is made 32-bit.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_image.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <string>

#include "assets.h"
#include "animation.h"
#include "clock.h"
#include "effects/balls.h"
#include "scratch_tree.h"
#include "show.h"
#include "simulate.h"
#include "sound.h"

using namespace scratch;

namespace {

constexpr Uint32 kStartTick = 1000;
constexpr Uint32 kFrameMs = 16;
constexpr Uint32 kRunMs = 21000;  // three seconds into the main scene
constexpr int kSmallBall = 40;    // of the 100 x 100 the balls are drawn into
constexpr int kCannotEnter = 3;
constexpr int kNotInMainScene = 4;
constexpr int kBallNot32Bit = 5;
constexpr int kBallColoursLost = 6;
constexpr int kTransparencyLost = 7;
constexpr int kCannotStart = 8;
constexpr int kBallSide = 100;
constexpr int kBallCentre = 50;
constexpr int kCubeSide = 6;  // levels per channel of the 8-bit palette
constexpr int kCubeStep = 255 / (kCubeSide - 1);
constexpr int kCubeColours = kCubeSide * kCubeSide * kCubeSide;

// What the in-process runs do to the pictures: every file in another pixel
// format, or the balls smaller than the square they are drawn into.
enum class Oddity { Palette8, Rgb16, Rgb24, SmallBalls };

// A copy of `src` in `format`; the 8-bit palette is a colour cube, which
// holds the colours the show keys on (black, magenta) exactly.
SDL_Surface* convertTo(SDL_Surface* src, Oddity format)
{
    SDL_Surface* s = nullptr;
    if (format == Oddity::Palette8) {
        s = SDL_CreateRGBSurface(SDL_SWSURFACE, src->w, src->h, 8, 0, 0, 0, 0);
        SDL_Color cube[kCubeColours];
        for (int i = 0; i < kCubeColours; i++)
            cube[i] = SDL_Color{static_cast<Uint8>(i / (kCubeSide * kCubeSide) * kCubeStep),
                                static_cast<Uint8>(i / kCubeSide % kCubeSide * kCubeStep),
                                static_cast<Uint8>(i % kCubeSide * kCubeStep), 0};
        SDL_SetColors(s, cube, 0, kCubeColours);
    } else if (format == Oddity::Rgb16) {
        s = SDL_CreateRGBSurface(SDL_SWSURFACE, src->w, src->h, 16, 0xf800, 0x07e0, 0x001f, 0);
    } else {
        s = SDL_CreateRGBSurface(SDL_SWSURFACE, src->w, src->h, 24, 0xff0000, 0x00ff00, 0x0000ff, 0);
    }
    SDL_SetAlpha(src, 0, SDL_ALPHA_OPAQUE);  // copy the colours, do not blend
    SDL_BlitSurface(src, nullptr, s, nullptr);
    return s;
}

void put16(std::string& out, unsigned v)
{
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}

void put32(std::string& out, std::uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// SDL_SaveBMP writes 16-bit surfaces as 24-bit, so this one is written by
// hand: a BITMAPINFOHEADER with 5-6-5 bit fields, rows bottom-up.
void saveBmp16(SDL_Surface* s, const fs::path& path)
{
    constexpr unsigned kHeaderBytes = 14 + 40 + 12;
    constexpr unsigned kBitFields = 3;
    const unsigned rowBytes = (s->w * 2 + 3) / 4 * 4;
    std::string out = "BM";
    put32(out, kHeaderBytes + rowBytes * s->h);
    put32(out, 0);
    put32(out, kHeaderBytes);
    put32(out, 40);
    put32(out, s->w);
    put32(out, s->h);
    put16(out, 1);
    put16(out, 16);
    put32(out, kBitFields);
    put32(out, rowBytes * s->h);
    for (int i = 0; i < 4; i++)
        put32(out, 0);
    put32(out, 0xf800);
    put32(out, 0x07e0);
    put32(out, 0x001f);
    SDL_LockSurface(s);
    for (int y = s->h - 1; y >= 0; y--) {
        const auto* row = static_cast<const Uint16*>(s->pixels) + y * s->pitch / 2;
        for (int x = 0; x < s->w; x++)
            put16(out, row[x]);
        out.append(rowBytes - s->w * 2, '\0');
    }
    SDL_UnlockSurface(s);
    spill(path, out);
}

// Rewrites `name` under gfx/ in the tree as a BMP (under its own name: the
// loaders go by the content) of another pixel format.
void rewriteAs(const ScratchTree& tree, const std::string& name, Oddity format)
{
    const fs::path at = tree.root() / "gfx" / name;
    SDL_Surface* src = IMG_Load(at.c_str());
    ASSERT_NE(src, nullptr) << name << ": " << IMG_GetError();
    SDL_Surface* s = convertTo(src, format);
    fs::remove(at);
    if (format == Oddity::Rgb16)
        saveBmp16(s, at);
    else
        ASSERT_EQ(SDL_SaveBMP(s, at.c_str()), 0) << name;
    SDL_FreeSurface(s);
    SDL_FreeSurface(src);
}

// Rewrites a ball picture as its middle 40 x 40 pixels, alpha kept.
void shrinkBall(const ScratchTree& tree, const std::string& name)
{
    const fs::path at = tree.root() / "gfx" / name;
    SDL_Surface* src = IMG_Load(at.c_str());
    ASSERT_NE(src, nullptr) << name << ": " << IMG_GetError();
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, kSmallBall, kSmallBall, 32, 0x00ff0000,
                                          0x0000ff00, 0x000000ff, 0xff000000);
    SDL_SetAlpha(src, 0, SDL_ALPHA_OPAQUE);
    SDL_Rect middle{static_cast<Sint16>((src->w - kSmallBall) / 2),
                    static_cast<Sint16>((src->h - kSmallBall) / 2), kSmallBall, kSmallBall};
    SDL_BlitSurface(src, &middle, s, nullptr);
    fs::remove(at);
    ASSERT_EQ(SDL_SaveBMP(s, at.c_str()), 0) << name;
    SDL_FreeSurface(s);
    SDL_FreeSurface(src);
}

Uint32 rawPixel(SDL_Surface* s, int x, int y)
{
    SDL_LockSurface(s);
    const Uint8* p = static_cast<const Uint8*>(s->pixels) + y * s->pitch + x * s->format->BytesPerPixel;
    Uint32 v = 0;
    std::memcpy(&v, p, s->format->BytesPerPixel);  // little-endian machines
    SDL_UnlockSurface(s);
    return v;
}

Uint32 rgbOf(SDL_Surface* s, int x, int y)
{
    Uint8 r, g, b;
    SDL_GetRGB(rawPixel(s, x, y), s->format, &r, &g, &b);
    return (r << 16) | (g << 8) | b;
}

// The first ball turned into the scratch square upright at full size shows,
// at its centre, one of the colours around the centre of its file.
int ballColoursKept()
{
    for (int i = 0; i < ball.numFrames; i++)
        if (ball.frames[i]->format->BitsPerPixel != 32)
            return kBallNot32Bit;
    SDL_Surface* file = IMG_Load("gfx/boll0001.png");
    renderBall(ball.frames[0], 1.0f, 0, kBallSide);
    const Uint32 drawn = rgbOf(tmp_rotate, kBallCentre, kBallCentre);
    bool found = false;
    for (int dy = -1; dy <= 1; dy++)
        for (int dx = -1; dx <= 1; dx++)
            found = found || rgbOf(file, kBallCentre + dx, kBallCentre + dy) == drawn;
    SDL_FreeSurface(file);
    return found ? 0 : kBallColoursLost;
}

// An 8-bit picture with a colour key, as SDL_image gives a palette PNG with
// one transparent entry: the key becomes alpha 0, the rest stays opaque.
int transparencyKept()
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 2, 1, 8, 0, 0, 0, 0);
    SDL_Color colours[2] = {{0, 0, 0, 0}, {200, 100, 50, 0}};
    SDL_SetColors(s, colours, 0, 2);
    static_cast<Uint8*>(s->pixels)[1] = 1;
    SDL_SetColorKey(s, SDL_SRCCOLORKEY, 0);
    SDL_Surface* c = ballPicture32(s);
    Uint8 r, g, b, a0, a1;
    SDL_GetRGBA(rawPixel(c, 0, 0), c->format, &r, &g, &b, &a0);
    SDL_GetRGBA(rawPixel(c, 1, 0), c->format, &r, &g, &b, &a1);
    const bool kept = c->format->BitsPerPixel == 32 && a0 == SDL_ALPHA_TRANSPARENT && a1 == SDL_ALPHA_OPAQUE &&
                      r == 200 && g == 100 && b == 50;
    SDL_FreeSurface(c);
    return kept ? 0 : kTransparencyLost;
}

// The show from start-up to three seconds into the main scene on the
// virtual clock, in `dir`, in this (forked) process; exits 0 once there (and,
// with `checkBalls`, when the balls keep their colours).
[[noreturn]] void playIntoMainScene(const fs::path& dir, bool checkBalls)
{
    if (chdir(dir.c_str()) != 0)
        std::exit(kCannotEnter);
    // Earlier tests in this process may have left the show's state behind.
    FSOUND_Close();
    currentScene = kOpeningScene;
    mainTrans = 0;
    td = 0;
    quitRequested = false;
    std::string error;
    if (!startShow(capturedHost(kStartTick), error))
        std::exit(kCannotStart);
    for (Uint32 ms = 0; ms <= kRunMs; ms += kFrameMs) {
        setTicks(kStartTick + ms);
        framePass();
    }
    if (currentScene != kMainScene || mainTrans != 0)
        std::exit(kNotInMainScene);
    if (checkBalls) {
        if (const int wrong = ballColoursKept())
            std::exit(wrong);
        std::exit(transparencyKept());
    }
    std::exit(0);
}

void expectMainSceneRuns(const ScratchTree& tree, bool checkBalls)
{
    const fs::path dir = tree.root();
    EXPECT_EXIT(playIntoMainScene(dir, checkBalls), testing::ExitedWithCode(0), "");
}

std::string oddityName(Oddity o)
{
    switch (o) {
    case Oddity::Palette8: return "Palette8";
    case Oddity::Rgb16: return "Rgb16";
    case Oddity::Rgb24: return "Rgb24";
    case Oddity::SmallBalls: return "SmallBalls";
    }
    return "Unknown";
}

void PrintTo(Oddity o, std::ostream* os)
{
    *os << oddityName(o);
}

class OddPicture : public testing::TestWithParam<Oddity> {};

}  // namespace

TEST_P(OddPicture, ShowRunsIntoTheMainScene)
{
    ScratchTree tree(kShortMusic);
    for (const std::string& name : gfxFiles()) {
        if (GetParam() != Oddity::SmallBalls)
            rewriteAs(tree, name, GetParam());
        else if (name.rfind("boll", 0) == 0)
            shrinkBall(tree, name);
    }
    expectMainSceneRuns(tree, GetParam() == Oddity::Palette8);
}

INSTANTIATE_TEST_SUITE_P(Every, OddPicture,
                         testing::Values(Oddity::Palette8, Oddity::Rgb16, Oddity::Rgb24, Oddity::SmallBalls),
                         [](const testing::TestParamInfo<Oddity>& info) { return oddityName(info.param); });
