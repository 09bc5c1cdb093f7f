#include "bench_show.h"

#include <cmath>
#include <cstdlib>

#include "globals.h"
#include "show.h"

const char* const kSpectrumNames[] = {"silence", "music", "full scale"};

void openShow()
{
    static bool open = false;
    if (open)
        return;
    open = true;
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    SDL_Init(SDL_INIT_VIDEO);
    screen = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenDepth, 0);
    prepareScenes();
}

std::vector<float> makeSpectrum(int kind)
{
    constexpr int kBins = 512;
    std::vector<float> s(kBins, 0.0f);
    for (int i = 0; i < kBins; i++) {
        if (kind == kFullScale)
            s[i] = 1.0f;
        else if (kind == kMusic)  // loud lows falling off towards the highs
            s[i] = 0.7f / (1.0f + i * 0.04f) * (0.6f + 0.4f * static_cast<float>(std::sin(i * 0.7)));
    }
    return s;
}
