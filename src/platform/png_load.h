// Pictures from files without SDL_image, for the builds where it is not
// available: PNG through libpng, anything else as a BMP. The surfaces come
// out as SDL_image 1.2 makes them, so the show draws the same either way.
#pragma once

#include <SDL.h>

// Loads the picture at `path`, or returns null with the reason in
// SDL_GetError() (libpng's own words included for a damaged PNG).
SDL_Surface* loadPngFile(const char* path);
