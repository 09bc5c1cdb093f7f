// The spectrum plasma, the snowfall and the picture strip, each drawn alone
// on the dummy screen. With the art in gfx/ they draw the real pictures;
// without it, stand-ins of plausible size and format.
#include <benchmark/benchmark.h>

#include <sge.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "assets.h"
#include "clock.h"
#include "effects/pictures.h"
#include "effects/plasma.h"
#include "effects/snow.h"
#include "globals.h"

namespace {

constexpr int kBins = 512;

bool fileExists(const char* path)
{
    std::FILE* f = std::fopen(path, "rb");
    if (f)
        std::fclose(f);
    return f != nullptr;
}

SDL_Surface* standIn(int w, int h, Uint32 rgb)
{
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00ff0000, 0x0000ff00,
                                          0x000000ff, 0xff000000);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, rgb >> 16, (rgb >> 8) & 0xff, rgb & 0xff, 255));
    return s;
}

// The screen, as the show sets it up, and the pictures the three effects
// draw. Returns true when the real art was loaded.
bool openShow()
{
    static bool ready = false;
    static bool realArt = false;
    if (ready)
        return realArt;
    ready = true;
    if (!screen) {  // another benchmark may have opened it
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
        screen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenDepth, 0);
    }
    sge_Update_OFF();  // as the show runs
    // The first and the last file the loader reads: both there, all there.
    realArt = fileExists("gfx/mario3.bmp") && fileExists("gfx/border_nere.png");
    if (realArt) {
        loadGfx();
    } else {
        SDL_Surface* loaded = standIn(9, 9, 0xffffff);
        img_snowflake = SDL_DisplayFormat(loaded);
        SDL_FreeSurface(loaded);
        img_snowflake2 = standIn(7, 7, 0xe0e0e0);
        img_snowflake3 = standIn(5, 5, 0xc0c0c0);
        img_shaddow = standIn(640, 12, 0x202020);
        for (int i = 0; i < kBajsSlots; i++)
            bajssurface[i] = standIn(640, 300, 0x405060 + i);
    }
    initPlasma();
    initSnow();
    return realArt;
}

const char* artLabel(bool realArt)
{
    return realArt ? "art" : "stand-ins";
}

enum SpectrumKind { kSilence, kMusic, kFullScale };

std::vector<float> makeSpectrum(int kind)
{
    std::vector<float> s(kBins, 0.0f);
    for (int i = 0; i < kBins; i++) {
        if (kind == kFullScale)
            s[i] = 1.0f;
        else if (kind == kMusic)  // loud lows falling off towards the highs
            s[i] = 0.7f / (1.0f + i * 0.04f) * (0.6f + 0.4f * static_cast<float>(std::sin(i * 0.7)));
    }
    return s;
}

const char* const kSpectrumNames[] = {"silence", "music", "full scale"};

template <void (*Draw)()>
void BM_Plasma(benchmark::State& state)
{
    openShow();
    std::vector<float> bins = makeSpectrum(static_cast<int>(state.range(0)));
    spectrum = bins.data();
    setTicks(123456);
    for (auto _ : state)
        Draw();
    useRealClock();
    state.SetLabel(kSpectrumNames[state.range(0)]);
}
BENCHMARK_TEMPLATE(BM_Plasma, drawPlasma)
    ->Arg(kSilence)->Arg(kMusic)->Arg(kFullScale)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(BM_Plasma, drawPlasmaPerPixel)
    ->Arg(kSilence)->Arg(kMusic)->Arg(kFullScale)->Unit(benchmark::kMicrosecond);

void BM_Snow(benchmark::State& state)
{
    const bool realArt = openShow();
    dt = 1.6f;  // a 60 fps frame
    for (auto _ : state)
        drawSnow();
    state.SetLabel(artLabel(realArt));
}
BENCHMARK(BM_Snow)->Unit(benchmark::kMicrosecond);

// The strip held at one revealed width: 0 is the widest stretched edge (one
// blit per column), 640 the plain picture.
void BM_Bajs(benchmark::State& state)
{
    const bool realArt = openShow();
    setTicks(500000);
    lastbajs = 500000;
    currentbajs = 1;
    dt = 0.0f;
    for (auto _ : state) {
        bajs_cur_x = static_cast<int>(state.range(0));
        drawBajs();
    }
    useRealClock();
    state.SetLabel(artLabel(realArt));
}
BENCHMARK(BM_Bajs)->Arg(0)->Arg(320)->Arg(640)->Unit(benchmark::kMicrosecond);

}  // namespace
