// Three bars chase each other up and down across the panel edges. A bar on
// its way down is drawn before the edges and one on its way up (or standing)
// after them, so the bars seem to wind around the edges.
#include "effects/rasterbars.h"

#include <cmath>

#include "assets.h"
#include "extra.h"
#include "globals.h"

RasterBar amigascroller[kRasterBarSlots];

namespace {

constexpr int kBars = kAmigaBarCount;
constexpr int kPhaseSpacing = 90;
constexpr float kPhaseSpeed = 4.0f;  // phase units per 10 ms
constexpr double kPhaseToRadians = 0.013;
constexpr double kSwing = 15.0;  // truncated, so offsets stay within +-14

// Where a bar stands with no offset: on the middle band's first row and on
// the lower edge.
constexpr int kUpperRest = kBandTop;
constexpr int kLowerRest = kBottomEdgeY;

void drawBar(int i)
{
    const int offset = amigascroller[i].offset;
    drawImg(screen, img_amigabars[i], 0, kLowerRest + offset);
    drawImg(screen, img_amigabars[i], 0, kUpperRest + offset);
}

}  // namespace

void initAmigaScroller()
{
    for (int i = 0; i < kBars; i++)
        amigascroller[i].phase = kPhaseSpacing * i;
}

void drawAmigaScroller()
{
    for (int i = 0; i < kBars; i++) {
        RasterBar& bar = amigascroller[i];
        // Whole units only: the fraction of every frame's step is lost, so
        // the bars keep their spacing and stand still in very short frames.
        bar.phase = static_cast<int>(bar.phase + kPhaseSpeed * dt);
        bar.lastoffset = bar.offset;
        bar.offset = static_cast<int>(std::sin(bar.phase * kPhaseToRadians) * kSwing);
        if (bar.offset > bar.lastoffset)
            drawBar(i);  // moving down: behind the edges
    }
    drawImg(screen, img_top_bar, 0, kTopEdgeY);
    drawImg(screen, img_bar, 0, kBottomEdgeY);
    for (int i = 0; i < kBars; i++)
        if (amigascroller[i].offset <= amigascroller[i].lastoffset)
            drawBar(i);
}
