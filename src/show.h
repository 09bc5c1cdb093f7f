// The show driver's state and passes, for the entry point, the tests and the
// offline renderer.
#pragma once

#include <SDL.h>

#include "show_options.h"

// The two scenes, in the order they come; `currentScene` holds one of them.
constexpr int kOpeningScene = 0;  // the spectrum scope
constexpr int kMainScene = 1;     // every layer of the main scene

extern int currentScene;
extern int mainTrans;     // opacity of the white flash, 0..255
extern Uint32 td;         // tick reading of the previous pass
extern Uint32 td2;        // tick reading of this pass
extern Uint32 startTick;  // taken once the music has started
extern bool quitRequested;

// Opens the window (exits with a message when there is no usable display),
// starts the music, loads every asset and sets up the effects.
void startShow(const ShowOptions& options = {});
// The first part of startShow: video started and the window opened.
void openWindow(const ShowOptions& options = {});
// The part of start-up after the music has started: every asset loaded and
// every effect set up, in the show's order.
void prepareScenes();
// One pass of the frame loop, up to but not including the flip.
void framePass();
// The parts of a pass, in the order framePass runs them.
void drawScope();
void drawMainScene();
void updateFlash(Sint32 elapsed);
void handleEvents();
// Where the logo or its shadow stands now: they swing on the tick clock,
// each with its own reading, the position truncated.
int swayX(SDL_Surface* img);

// The next frame deadline of a steady 60 frames a second counted from
// `start`, strictly after `now`; missed deadlines are skipped, not caught up.
Uint32 nextFrameDeadline(Uint32 start, Uint32 now);
