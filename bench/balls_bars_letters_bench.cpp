// The balls, the raster bars and the background letters, one draw step per
// iteration on the dummy driver, with the real pictures and font.
#include <benchmark/benchmark.h>

#include "bench_show.h"
#include "effects/balls.h"
#include "effects/bgtext.h"
#include "effects/rasterbars.h"
#include "globals.h"

namespace {

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
