// Four spinning balls swinging around the middle band.
#pragma once

#include <SDL.h>

extern SDL_Surface* tmp_rotate;  // scratch surface the balls are rotated into

// Creates the scratch surface from the ball animation's current picture.
void initBallScratch();
// Sets up the ball table; draws from rand, before the snow does.
void setupAmigaBalls();
void drawAmigaBalls();
