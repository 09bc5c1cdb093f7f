// The typewriter's steady state: once the message is done, every frame
// redraws the complete last page cell by cell with the invitation's font.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "assets.h"
#include "clock.h"
#include "effects/typewriter.h"
#include "globals.h"

namespace {

constexpr char kFontPath[] = "gfx/mario3.bmp";
constexpr int kMessageX = 290, kMessageY = 30;

// Opens the dummy screen and the font unless an earlier benchmark or the
// asset loader already has; false when the font file is not there.
bool openFont()
{
    if (!screen) {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        SDL_Init(SDL_INIT_VIDEO);
        screen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenDepth, 0);
    }
    if (!font) {
        std::FILE* f = std::fopen(kFontPath, "rb");
        if (!f)
            return false;
        std::fclose(f);
        font = sge_BF_OpenFont(const_cast<char*>(kFontPath), SGE_BFTRANSP | SGE_BFSFONT);
    }
    return font != nullptr;
}

void BM_TypewriterFinishedPage(benchmark::State& state)
{
    if (!openFont()) {
        state.SkipWithError("gfx/mario3.bmp not found");
        return;
    }
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
