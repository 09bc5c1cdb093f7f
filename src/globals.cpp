#include "globals.h"

SDL_Surface* screen = nullptr;
float dt = 0.0f;
Spectrum* spectrum = nullptr;
