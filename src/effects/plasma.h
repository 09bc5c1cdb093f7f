// Spectrum plasma: the music's spectrum as mirrored bars filled with a
// colour-cycling plasma, in the middle band of the main scene.
// The show's own names (`initPlasma`, `drawPlasma`, `colors` and the rest) are
// kept as they have always been, odd as some may look: they are the show's
// vocabulary.
#pragma once

#include <SDL.h>

#include "geometry.h"

constexpr int kPlasmaColumns = kScreenWidth;  // one table column per screen column
constexpr int kPlasmaRows = 300;
constexpr int kPaletteSize = 256;

// Red, green, blue and an unused fourth byte.
extern Uint8 colors[kPaletteSize][4];
// The plasma pattern, column after column: plasma[x][y], values 16..240.
extern int plasma[kPlasmaColumns][kPlasmaRows];
// The colour last drawn in each table cell.
extern Uint8 buffer[kPlasmaColumns][kPlasmaRows][4];

// Fills the palette and the table; once, at start-up.
void initPlasma();
// Draws this frame's bars and peak dots from `spectrum` onto `screen`.
void drawPlasma();
// The same pixels as drawPlasma, plotted one drawPixel call at a time: the
// slow, obviously right way, kept to check and measure the fast one against.
void drawPlasmaPerPixel();
