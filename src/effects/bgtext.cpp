// Not drawn yet.
#include "effects/bgtext.h"

void initBgText() {}
void drawBgText() {}
