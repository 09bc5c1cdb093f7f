// Frame-timed sprites: a few pictures cycled at a fixed wall-clock pace,
// independent of the frame rate.
// The show's own names (`Animation`, `animate`, `curFrame` and the rest) are
// kept as they have always been, odd as some may look: they are the show's
// vocabulary.
#pragma once

#include <SDL.h>

constexpr int kMaxAnimationFrames = 8;

struct Animation {
    Uint32 lastTick;   // tick of the last picture change; 0 until the first
    int numFrames;     // pictures cycled, counted from the first
    int curFrame;      // picture shown now
    Uint32 delay;      // ms a picture stays; a change needs strictly more
    SDL_Surface* frames[kMaxAnimationFrames];
};

extern Animation hello;  // the talking character
extern Animation ball;   // the spinning ball
extern Animation dance;  // loaded, never shown

// Advances `anim` by at most one picture once more than `delay` ms passed.
void animate(Animation* anim);
