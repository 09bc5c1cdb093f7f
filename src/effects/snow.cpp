// The snowfall. The two back layers fall slowly and only show above and
// below the middle band; the shadow strip lies over them and the front layer
// falls fastest, over everything. Each flake sways with its height, not with
// time, so a flake that stands still in a short frame does not jitter.
#include "effects/snow.h"

#include <cmath>
#include <cstdlib>

#include "assets.h"
#include "extra.h"
#include "globals.h"

SnowFlake snow[kSnowFlakes];
int snowspeed = 1;
int snowheight = 1;

namespace {

constexpr int kLayers = 3;
constexpr int kMaxAmplitude = 30;
// A back flake shows only with its top edge above the middle band or at the
// lower edge and below.
constexpr int kBackAbove = kBandTop - 1;
constexpr int kBackBelow = kBottomEdgeY;
constexpr int kShadowX = 0;
constexpr int kShadowY = kPanelTop;

struct Layer {
    SDL_Surface** image;  // read at draw time: the pictures load after start
    double sway;          // radians per row
    double fall;          // rows per dt unit
};

const Layer kLayer[kLayers] = {
    {&img_snowflake, 0.01, 0.8},
    {&img_snowflake2, 0.01, 0.5},
    {&img_snowflake3, 0.02, 0.3},
};

// The flake's screen column, truncated: the sway is not rounded.
int swayColumn(const SnowFlake& f)
{
    const double sway = static_cast<double>(f.amplitude * snowheight) *
                        std::sin(kLayer[f.layer].sway * f.y);
    return static_cast<int>(f.x + sway);
}

// Whole rows this frame, so slow layers stand still in short frames.
int fallStep(int layer)
{
    return toInt(static_cast<float>(dt * kLayer[layer].fall * snowspeed));
}

void drawFlake(const SnowFlake& f)
{
    drawImg(screen, *kLayer[f.layer].image, swayColumn(f), f.y);
}

// A flake that has passed the bottom starts again at the top; one at exactly
// the bottom row waits for its next step.
void wrap(SnowFlake& f)
{
    if (f.y > kScreenHeight)
        f.y = 0;
}

}  // namespace

void initSnow()
{
    // One statement per draw: the order of the draws is the layout.
    for (SnowFlake& f : snow) {
        f.x = std::rand() % kScreenWidth;
        f.y = std::rand() % kScreenHeight;
        f.layer = std::rand() % kLayers;
        f.amplitude = std::rand() % kMaxAmplitude;
    }
}

void drawSnow()
{
    int step[kLayers];
    for (int i = 0; i < kLayers; i++)
        step[i] = fallStep(i);

    for (SnowFlake& f : snow) {
        if (f.layer != 0) {
            if (f.y <= kBackAbove || f.y >= kBackBelow)
                drawFlake(f);
            f.y += step[f.layer];
        }
        wrap(f);
    }
    drawImg(screen, img_shaddow, kShadowX, kShadowY);
    for (SnowFlake& f : snow) {
        if (f.layer == 0) {
            drawFlake(f);
            f.y += step[0];
        }
        wrap(f);
    }
}
