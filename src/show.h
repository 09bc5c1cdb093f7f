// The show core: the one start-up and frame step its hosts (the desktop,
// the offline renderer, the browser) call, and the driver's state and passes.
// The show's own names (`td`, `td2`, `mainTrans`, `currentScene` and the rest)
// are kept as they have always been, odd as some may look: they are the show's
// vocabulary.
#pragma once

#include <SDL.h>

#include <string>

#include "show_options.h"
#include "sound.h"

// The two scenes, in the order they come; `currentScene` holds one of them.
constexpr int kOpeningScene = 0;  // the spectrum scope
constexpr int kMainScene = 1;     // every layer of the main scene

extern int currentScene;
extern int mainTrans;     // opacity of the white flash, 0..255
extern Uint32 td;         // tick reading of the previous pass
extern Uint32 td2;        // tick reading of this pass
extern Uint32 startTick;  // taken once the music has started
extern bool quitRequested;

// How a host runs the show. The desktop: a window, the wall clock, SDL's
// audio. The offline renderer: an offscreen surface, the virtual clock, no
// audio device. The browser: an offscreen surface whose pixels the page
// shows, the browser's clock, Web Audio, and the music held back until the
// viewer's first gesture.
enum class ShowClock { Wall, Virtual };
struct ShowHost {
    ShowOptions options;
    bool offscreen = false;               // a surface on SDL's dummy driver, no window
    ShowClock clock = ShowClock::Wall;    // Virtual: the host sets each frame's tick
    Uint32 virtualStart = 0;              // the virtual clock's reading during start-up
    bool silent = false;                  // no audio device: the music runs on the clock
    const SoundDevice* device = nullptr;  // the host's own audio in place of SDL's
    bool musicWaits = false;              // the music starts with beginMusic(), later
    const char* musicFed = nullptr;       // with musicWaits: the music's name, its bytes fed
                                          // by the host as they arrive (awaitMusic)
    void (*present)() = nullptr;          // hands a finished frame to the viewer
};

// The exit code of a show whose start-up failed.
constexpr int kStartFailed = 1;

// The one start-up: the screen, the music, every asset and every effect, in
// the show's order. False, with the reason in `error`, when the screen or a
// picture or the music cannot be had; the host reports it and ends.
bool startShow(const ShowHost& host, std::string& error);
// Starts the music, and the opening's 18 seconds with it (a host whose
// music waits calls it, after startShow has loaded the music; startShow
// does otherwise). False, with the reason, when the music cannot be had.
bool beginMusic(std::string& error);
// The part of start-up after the music has started: every asset loaded and
// every effect set up, in the show's order (the benchmarks start here).
bool prepareScenes(std::string& error);
// The one frame step: a pass at the clock's present reading, then the
// frame handed to the viewer.
void showFrame();
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
