// The balls, the raster bars and the background letters, one draw step per
// iteration on the dummy driver. With the art in gfx/ they draw the real
// pictures and font; without it, stand-ins of the same sizes.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>

#include "animation.h"
#include "assets.h"
#include "effects/balls.h"
#include "effects/bgtext.h"
#include "effects/rasterbars.h"
#include "globals.h"

namespace {

SDL_Surface* rgbaSurface(int w, int h)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00ff0000, 0x0000ff00, 0x000000ff,
                                0xff000000);
}

// A shaded disc on a transparent square, like a ball picture.
SDL_Surface* standInBall(int step)
{
    SDL_Surface* s = rgbaSurface(100, 100);
    for (int y = 0; y < 100; y++)
        for (int x = 0; x < 100; x++) {
            const int dx = x - 50, dy = y - 50;
            const bool in = dx * dx + dy * dy < 48 * 48;
            const Uint8 shade = static_cast<Uint8>(((x + y) / 10 + step) % 2 ? 255 : 40);
            const Uint32 p = in ? SDL_MapRGBA(s->format, shade, 40, 40, 255) : 0;
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + y * s->pitch)[x] = p;
        }
    return s;
}

SDL_Surface* standInStrip(int h, Uint8 r, Uint8 g, Uint8 b)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, kScreenWidth, h, 32, 0x00ff0000,
                                          0x0000ff00, 0x000000ff, 0);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, r, g, b));
    return s;
}

// An SFont sheet from '!' to 'Z' with 24 x 32 block letters.
sge_bmpFont* standInFont()
{
    constexpr int kChars = 'Z' - '!' + 1, kGlyph = 24, kHeight = 32;
    SDL_Surface* sheet = SDL_CreateRGBSurface(SDL_SWSURFACE, kChars * (kGlyph + 1) + 1,
                                              kHeight + 1, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_FillRect(sheet, nullptr, 0);
    for (int c = 0; c <= kChars; c++) {
        SDL_Rect marker{static_cast<Sint16>(c * (kGlyph + 1)), 0, 1, 1};
        SDL_FillRect(sheet, &marker, SDL_MapRGB(sheet->format, 255, 0, 255));
    }
    for (int c = 0; c < kChars; c++) {
        SDL_Rect glyph{static_cast<Sint16>(c * (kGlyph + 1) + 3), 3, kGlyph - 6, kHeight - 4};
        SDL_FillRect(sheet, &glyph, SDL_MapRGB(sheet->format, 60, 60, 90));
    }
    sge_bmpFont* f = sge_BF_CreateFont(sheet, SGE_BFSFONT | SGE_BFTRANSP);
    SDL_FreeSurface(sheet);
    return f;
}

void loadStandIns()
{
    for (int i = 0; i < 6; i++)
        ball.frames[i] = standInBall(i);
    ball.numFrames = 5;
    ball.delay = 20;
    img_amigabars[0] = standInStrip(14, 200, 40, 40);
    img_amigabars[1] = standInStrip(14, 40, 200, 40);
    img_amigabars[2] = standInStrip(14, 40, 40, 200);
    img_top_bar = standInStrip(24, 230, 230, 255);
    img_bar = standInStrip(8, 90, 90, 110);
    font_intro = standInFont();
    initBallScratch();
    setupAmigaBalls();
}

void openShow()
{
    static bool open = false;
    if (open)
        return;
    open = true;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    if (!screen) {
        SDL_Init(SDL_INIT_VIDEO);
        screen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenDepth, 0);
    }
    if (access("gfx/boll0001.png", R_OK) == 0 && access("gfx/newfont.bmp", R_OK) == 0)
        loadGfx();
    else
        loadStandIns();
    initBgText();
    initAmigaScroller();
}

void BM_DrawAmigaBalls(benchmark::State& state)
{
    openShow();
    dt = 1.0f;
    for (auto _ : state)
        drawAmigaBalls();
}
BENCHMARK(BM_DrawAmigaBalls)->Unit(benchmark::kMicrosecond);

void BM_DrawAmigaScroller(benchmark::State& state)
{
    openShow();
    dt = 1.0f;
    for (auto _ : state)
        drawAmigaScroller();
}
BENCHMARK(BM_DrawAmigaScroller)->Unit(benchmark::kMicrosecond);

void BM_DrawBgText(benchmark::State& state)
{
    openShow();
    dt = 1.0f;
    for (auto _ : state)
        drawBgText();
}
BENCHMARK(BM_DrawBgText)->Unit(benchmark::kMicrosecond);

}  // namespace
