// The show's entry: start-up, then one pass a frame until the viewer quits.
#include <SDL.h>

#include "clock.h"
#include "globals.h"
#include "program_folder.h"
#include "report.h"
#include "show_options.h"
#include "show.h"
#include "standard_streams.h"

int main(int argc, char** argv)
{
    keepStandardStreamsOpen();
    ShowOptions options;
    const int early = handleCommandLine(argc, argv, options);
    if (early >= 0)
        return early;
    // Should this fail, the first asset that cannot be found is named.
    enterProgramFolder();
    showErrorsInBox(true);
    startShow(options);
    while (!quitRequested) {
        framePass();
        SDL_Flip(screen);
        // A steady 60 frames a second: every motion moves in whole units a
        // frame, so frames of a millisecond or two would freeze it.
        const Uint32 deadline = nextFrameDeadline(startTick, getTicks());
        const Sint32 wait = static_cast<Sint32>(deadline - getTicks());
        if (wait > 0)
            SDL_Delay(static_cast<Uint32>(wait));
    }
    return 0;
}
