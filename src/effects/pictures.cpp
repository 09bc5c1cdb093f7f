// Not drawn yet.
#include "effects/pictures.h"

void drawBajs() {}
