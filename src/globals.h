// The show's shared globals: the display, the frame time step and this
// frame's spectrum. Set by the show driver, read by every effect.
// The show's own names (`screen`, `dt`, `spectrum` and the rest) are kept as
// they have always been, odd as some may look: they are the show's vocabulary.
#pragma once

#include <SDL.h>

#include "geometry.h"

// The array of spectrum magnitudes handed out by the sound layer each frame:
// at least 320 floats, lowest band first, 1.0 full scale.
typedef float Spectrum;

extern SDL_Surface* screen;  // 640x480x32, every draw step draws here
extern float dt;             // frame time step, 1.0 = 10 ms
extern Spectrum* spectrum;   // this frame's spectrum, shared by its readers
