// Shared set-up for the headless tests: SDL's dummy video driver, a 640x480
// 32-bit screen and the show's assets loaded once.
#pragma once

#include <SDL.h>

#include <string>

// Opens the dummy video driver and sets `screen` to a 640x480x32 surface.
void initTestScreen();
// initTestScreen, then every picture and font (once per process).
void initTestAssets();
// A blank 32-bit surface with an alpha channel.
SDL_Surface* makeSurface(int w, int h);
// The pixel at (x, y) as 0xRRGGBB (alpha dropped).
Uint32 rgbAt(SDL_Surface* s, int x, int y);
void fillRgb(SDL_Surface* s, Uint32 rgb);
// A hash of the visible pixels, for comparing whole frames.
std::string frameDigest(SDL_Surface* s);
// Counts pixels different from 0xRRGGBB `rgb` within a rectangle.
int countNot(SDL_Surface* s, Uint32 rgb, int x0, int y0, int x1, int y1);
