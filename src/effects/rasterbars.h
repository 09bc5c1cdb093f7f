// Raster bars winding around the two panel edges, and the edges themselves.
// The show's own names (`initAmigaScroller`, `drawAmigaScroller`,
// `amigascroller` and the rest) are kept as they have always been, odd as some
// may look: they are the show's vocabulary.
#pragma once

struct RasterBar {
    int phase;       // along the sine, in units of 0.013 radian
    int offset;      // rows off the bar's rest position, this frame
    int lastoffset;  // offset of the previous frame
};

constexpr int kRasterBarSlots = 8;  // three in use

extern RasterBar amigascroller[kRasterBarSlots];

void initAmigaScroller();
void drawAmigaScroller();
