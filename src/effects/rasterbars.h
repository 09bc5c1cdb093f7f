// Raster bars winding around the two panel edges, and the edges themselves.
#pragma once

void initAmigaScroller();
void drawAmigaScroller();
