// The page's side of the screen: the show draws on `screen` as everywhere;
// each presented frame is copied into the page's canvas.
#pragma once

#include <SDL.h>

// Copies `screen` into the canvas (through the page's present hook).
void presentScreen();
// `screen`'s pixels in the canvas's byte order (R, G, B, A), 640 x 480.
const Uint8* screenRgba();
// The card shown before the show starts: the panels, the show's name (or the
// party's name and dates) and what to do, in the show's fonts.
void drawTitleCard();
