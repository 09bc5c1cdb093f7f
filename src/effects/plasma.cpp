// Not drawn yet.
#include "effects/plasma.h"

void initPlasma() {}
void drawPlasma() {}
