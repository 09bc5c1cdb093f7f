// Not drawn yet.
#include "effects/balls.h"

SDL_Surface* tmp_rotate;
void initBallScratch() {}
void setupAmigaBalls() {}
void drawAmigaBalls() {}
