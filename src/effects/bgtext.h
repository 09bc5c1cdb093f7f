// Wavy background text: columns of letters that bob and sway.
// The show's own names (`initBgText`, `drawBgText` and the rest) are kept as
// they have always been, odd as some may look: they are the show's vocabulary.
#pragma once

#include <SDL.h>
#include <sge.h>

constexpr int kBgTextSlots = 200;  // 25 columns in use

extern const char bgtext[];
extern int bgtextx[kBgTextSlots];   // vertical phase of each column, 0.1 radian units
extern int bgtextx2[kBgTextSlots];  // sideways phase of each column, 0.01 radian units

// The text call, sge_BF_textout unless a test puts a recorder in its place.
using BgTextOut = SDL_Rect (*)(SDL_Surface*, sge_bmpFont*, char*, Sint16, Sint16);
extern BgTextOut bgTextOut;

struct BgLetterPos {
    Sint16 x;
    Sint16 y;
};
// Where the letter of `column`, `row` stands with the column's phases now.
BgLetterPos bgLetterPos(int column, int row);

void initBgText();
void drawBgText();
