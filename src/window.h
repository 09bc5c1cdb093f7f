// The show's window on a desktop: its size (a whole multiple of 640x480,
// scaled crisply by sdl12-compat, on Windows by our own scaled window), its
// icon, full screen at start, and a quick, clean end when the display goes
// away under it.
#pragma once

#include <SDL.h>

#include <string>

#include "show_options.h"

// The largest whole multiple of 640x480 that fits in 90% of a desktop of
// this size both ways; 1 when the size is unknown (0 or less) or small.
int chooseScale(int desktopWidth, int desktopHeight);
// `asked` (from --scale), or the largest whole multiple of 640x480 that
// fits a desktop of this size when `asked` does not (at least 1); `asked`
// when the size is unknown.
int fitScale(int asked, int desktopWidth, int desktopHeight);

// Starts video and opens the 640x480x32 window as the options ask. Null,
// with the reason in `error`, when there is no usable display or no window.
SDL_Surface* openShowWindow(const ShowOptions& options, std::string& error);

// F: between the window and full screen.
void toggleFullScreen();
// The finished frame in `screen`, shown in the window.
void presentWindow();

// A 640x480x32 screen on SDL's dummy video driver, shown nowhere: for the
// offline renderer, the browser (which shows the pixels itself), the tests
// and the benchmarks. Null, with the reason in `error`, on failure.
SDL_Surface* openOffscreen(std::string& error);
