// The spectrum plasma, the snowfall and the picture strip, each drawn alone
// on the dummy screen with the real pictures.
#include <benchmark/benchmark.h>

#include <vector>

#include "bench_show.h"
#include "clock.h"
#include "effects/pictures.h"
#include "effects/plasma.h"
#include "effects/snow.h"
#include "globals.h"

namespace {

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
    openShow();
    dt = 1.6f;  // a 60 fps frame
    for (auto _ : state)
        drawSnow();
}
BENCHMARK(BM_Snow)->Unit(benchmark::kMicrosecond);

// The strip held at one revealed width: 0 is the widest stretched edge (one
// blit per column), 640 the plain picture.
void BM_Bajs(benchmark::State& state)
{
    openShow();
    setTicks(500000);
    lastbajs = 500000;
    currentbajs = 1;
    dt = 0.0f;
    for (auto _ : state) {
        bajs_cur_x = static_cast<int>(state.range(0));
        drawBajs();
    }
    useRealClock();
}
BENCHMARK(BM_Bajs)->Arg(0)->Arg(320)->Arg(640)->Unit(benchmark::kMicrosecond);

}  // namespace
