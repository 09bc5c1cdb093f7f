// Not drawn yet.
#include "effects/rasterbars.h"

void initAmigaScroller() {}
void drawAmigaScroller() {}
