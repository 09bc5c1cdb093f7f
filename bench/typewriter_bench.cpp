// The typewriter's steady state: once the message is done, every frame
// redraws the complete last page cell by cell with the invitation's font.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_show.h"
#include "clock.h"
#include "effects/typewriter.h"
#include "globals.h"

namespace {

constexpr int kMessageX = 290, kMessageY = 30;

void BM_TypewriterFinishedPage(benchmark::State& state)
{
    openShow();
    // The last page (125 positions, four lines) with its end mark reached.
    resetTypewriter();
    currentsection = std::strrchr(intromessage, '#') + 1;
    msgpos = static_cast<int>(std::strlen(currentsection)) - 2;
    setTicks(0);
    for (auto _ : state)
        printMsg(kMessageX, kMessageY);
    resetTypewriter();
    useRealClock();
}
BENCHMARK(BM_TypewriterFinishedPage)->Unit(benchmark::kMicrosecond);

}  // namespace
