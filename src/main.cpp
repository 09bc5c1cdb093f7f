// The show's entry: start-up, then one frame step at each of a steady 60
// deadlines a second until the viewer quits.
#include <SDL.h>

#include <string>

#include "clock.h"
#include "globals.h"
#include "program_folder.h"
#include "report.h"
#include "show_options.h"
#include "show.h"
#include "standard_streams.h"

namespace {

void flip()
{
    SDL_Flip(screen);
}

}  // namespace

int main(int argc, char** argv)
{
    keepStandardStreamsOpen();
    ShowHost host;
    const int early = handleCommandLine(argc, argv, host.options);
    if (early >= 0)
        return early;
    showErrorsInBox(true);
    // The show carries on from where it was started; the first asset that
    // cannot be found is then named.
    if (!enterProgramFolder())
        reportNotice("frosthem: cannot change to the program's folder; looking for its files here");
    host.present = flip;
    std::string error;
    if (!startShow(host, error)) {
        reportError("frosthem: %s", error.c_str());
        return kStartFailed;
    }
    while (!quitRequested) {
        showFrame();
        // A steady 60 frames a second: every motion moves in whole units a
        // frame, so frames of a millisecond or two would freeze it.
        const Uint32 deadline = nextFrameDeadline(startTick, getTicks());
        const Sint32 wait = static_cast<Sint32>(deadline - getTicks());
        if (wait > 0)
            SDL_Delay(static_cast<Uint32>(wait));
    }
    return 0;
}
