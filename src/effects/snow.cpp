// Not drawn yet.
#include "effects/snow.h"

void initSnow() {}
void drawSnow() {}
