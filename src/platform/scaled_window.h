// A window that shows the 640x480 screen enlarged by a whole factor, for
// the Windows build: classic SDL 1.2 shows its window pixel for pixel, with
// no scaling of its own (on Linux sdl12-compat scales the window itself).
// The show draws into a 640x480 surface of ours; each frame shown is
// copied into the real window, every pixel a square block, centred on black.
#pragma once

#include <SDL.h>

#include <string>

// Copies `from` into `to` enlarged by the largest whole factor that fits
// (at least 1), nearest neighbour, centred, the border black. Both are
// 32-bit surfaces of the same pixel layout. Returns the factor.
int scaleInto(SDL_Surface* from, SDL_Surface* to);

// Opens the real window, `scale` times 640x480 (full screen at the
// desktop's own size when `fullscreen`), and returns the 640x480x32
// surface the show draws into. `desktopWidth` and `desktopHeight` are the
// desktop's size, read before the first window. Null, with the reason in
// `error`, on failure.
SDL_Surface* openScaledWindow(int scale, bool fullscreen, int desktopWidth, int desktopHeight, std::string& error);

// True once openScaledWindow has opened the window.
bool scaledWindowOpen();

// Between the scaled window and full screen, keeping what was there when
// the switch cannot be made.
void toggleScaledFullScreen();

// The show's screen, as it now stands, into the real window, shown.
void presentScaled();
