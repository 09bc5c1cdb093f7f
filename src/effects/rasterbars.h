// Raster bars winding around the two panel edges, and the edges themselves.
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
