// The one place the show reads the millisecond tick count. In normal runs it
// is SDL's clock; tests and the offline renderer switch it to a virtual clock
// they set by hand, so every timer, animation and the music's timeline follow.
#pragma once

#include <SDL.h>

// Milliseconds since the video library started (or the virtual time).
Uint32 getTicks();

// Switches to the virtual clock, reading `now` until the next setTicks.
void setTicks(Uint32 now);
// Advances the virtual clock (switching to it if needed).
void advanceTicks(Uint32 ms);
// From the virtual clock's present reading on, time passes as SDL's clock
// does: a show worked out up to a moment then plays on in real time, its
// stored ticks still in the same count.
void followRealTime();
// Back to SDL's own clock.
void useRealClock();
bool clockIsVirtual();
