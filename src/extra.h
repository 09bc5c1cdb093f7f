// Small, stateless drawing helpers over SDL surfaces and SGE primitives.
// The show's own names (`drawImg`, `drawImg2`, `toInt` and the rest) are kept
// as they have always been, odd as some may look: they are the show's
// vocabulary.
#pragma once

#include <SDL.h>

// Blits the whole of `src` onto `dst` with its top-left corner at (x, y).
void drawImg(SDL_Surface* dst, SDL_Surface* src, int x, int y);
// Blits the w x h rectangle of `src` at (sx, sy) onto `dst` at (x, y).
void drawImg2(SDL_Surface* dst, SDL_Surface* src, int x, int y, int w, int h, int sx, int sy);
// Blits `src` at (x, y), then darkens it: level 255 leaves it, 0 makes it black.
void drawImgAlpha(SDL_Surface* dst, SDL_Surface* src, int x, int y, int level);
// Plots one pixel; outside the clip rectangle nothing happens.
void drawPixel(SDL_Surface* surface, int x, int y, Uint8 r, Uint8 g, Uint8 b);
// A clipped one-pixel line in pure green.
void line(SDL_Surface* surface, int x1, int y1, int x2, int y2);
// Flips `img` left to right in place.
void mirrorImg(SDL_Surface* img);
// Nearest int, halves away from zero.
int toInt(float x);
