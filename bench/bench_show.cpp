#include "bench_show.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "globals.h"
#include "show.h"
#include "window.h"

const char* const kSpectrumNames[] = {"silence", "music", "full scale"};

void openShow()
{
    static bool open = false;
    if (open)
        return;
    open = true;
    std::string error;
    screen = openOffscreen(error);
    if (!screen || !prepareScenes(error)) {
        std::fprintf(stderr, "bench: %s\n", error.c_str());
        std::abort();
    }
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
