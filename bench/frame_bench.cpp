// Whole passes of the show, drawn headless on the dummy driver.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "clock.h"
#include "globals.h"
#include "show.h"

namespace {

std::vector<float> busySpectrum()
{
    // A plausible music spectrum: loud lows falling off towards the highs.
    std::vector<float> s(512);
    for (int i = 0; i < 512; i++)
        s[i] = 0.8f / (1.0f + i * 0.05f) * (0.6f + 0.4f * static_cast<float>(std::sin(i * 0.7)));
    return s;
}

void openScreen()
{
    if (screen)
        return;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    screen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenDepth, 0);
}

void BM_OpeningFrame(benchmark::State& state)
{
    openScreen();
    std::vector<float> bins = busySpectrum();
    spectrum = bins.data();
    for (auto _ : state) {
        SDL_FillRect(screen, nullptr, 0);
        drawScope();
    }
}
BENCHMARK(BM_OpeningFrame)->Unit(benchmark::kMillisecond);

void BM_FlashFrame(benchmark::State& state)
{
    openScreen();
    std::vector<float> bins = busySpectrum();
    spectrum = bins.data();
    for (auto _ : state) {
        currentScene = 0;
        mainTrans = 100;
        dt = 0.0f;
        SDL_FillRect(screen, nullptr, 0);
        updateFlash(19000);
        drawScope();
    }
}
BENCHMARK(BM_FlashFrame)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
