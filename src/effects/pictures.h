// The picture strip at the bottom: twelve pictures wiped in one after another.
// The show's own names (`drawBajs`, `currentbajs`, `bajs_cur_x` and the rest)
// are kept as they have always been, odd as some may look: they are the show's
// vocabulary.
#pragma once

#include <SDL.h>

extern int currentbajs;   // slot of the picture being shown, 0..11
extern int bajs_cur_x;    // revealed width of that picture, 0..640
extern Uint32 lastbajs;   // tick at which its period began

// Draws the strip and advances the wipe; changes the picture once more than
// ten seconds have passed.
void drawBajs();
