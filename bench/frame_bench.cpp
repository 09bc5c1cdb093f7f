// Whole passes of the show, drawn headless on the dummy driver.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_show.h"
#include "clock.h"
#include "globals.h"
#include "show.h"

namespace {

constexpr Uint32 kFrameMs = 16;

void BM_OpeningFrame(benchmark::State& state)
{
    openShow();
    std::vector<float> bins = makeSpectrum(kMusic);
    spectrum = bins.data();
    for (auto _ : state) {
        SDL_FillRect(screen, nullptr, 0);
        drawScope();
    }
}
BENCHMARK(BM_OpeningFrame)->Unit(benchmark::kMicrosecond);

void BM_FlashFrame(benchmark::State& state)
{
    openShow();
    std::vector<float> bins = makeSpectrum(kMusic);
    spectrum = bins.data();
    for (auto _ : state) {
        currentScene = kOpeningScene;
        mainTrans = 100;
        dt = 0.0f;
        SDL_FillRect(screen, nullptr, 0);
        updateFlash(19000);
        drawScope();
    }
}
BENCHMARK(BM_FlashFrame)->Unit(benchmark::kMicrosecond);

// Every layer of the main scene, on a clock that moves 16 ms a frame so the
// animations, the typing and the strip all run as in the show.
void BM_MainSceneFrame(benchmark::State& state)
{
    openShow();
    std::vector<float> bins = makeSpectrum(static_cast<int>(state.range(0)));
    spectrum = bins.data();
    Uint32 now = 100000;
    dt = kFrameMs * 0.1f;
    for (auto _ : state) {
        setTicks(now += kFrameMs);
        SDL_FillRect(screen, nullptr, 0);
        drawMainScene();
    }
    useRealClock();
    state.SetLabel(kSpectrumNames[state.range(0)]);
}
BENCHMARK(BM_MainSceneFrame)->Arg(kMusic)->Arg(kFullScale)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
