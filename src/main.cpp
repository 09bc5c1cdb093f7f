// The show's entry: a party read and checked if one is given, start-up, then
// one frame step at each of a steady 60 deadlines a second until the viewer
// quits.
#include <SDL.h>

#include <cstdio>
#include <string>

#include "clock.h"
#include "globals.h"
#include "party/party_load.h"
#include "program_folder.h"
#include "report.h"
#include "show_options.h"
#include "show.h"
#include "simulate.h"
#include "standard_streams.h"
#include "window.h"

namespace {

// A party with problems: nothing is started.
constexpr int kPartyProblems = 2;

// The party read and checked before anything is opened; --check prints what
// it takes. -1 when the show should go on.
int takeParty(const ShowOptions& options, const std::string& folder)
{
    Problems problems;
    if (!folder.empty() && !loadParty(folder, showParty, problems)) {
        printProblems(problems);
        reportError("frosthem: %zu problem%s in the party %s; nothing was started", problems.size(),
                    problems.size() == 1 ? "" : "s", folder.c_str());
        return kPartyProblems;
    }
    if (!options.check)
        return -1;
    std::fputs(describeSummary(summarizeParty(showParty)).c_str(), stdout);
    std::printf("no problems found\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    keepStandardStreamsOpen();
    ShowHost host;
    const int early = handleCommandLine(argc, argv, host.options);
    if (early >= 0)
        return early;
    const std::string party =
        host.options.party.empty() ? "" : pathFromStartFolder(host.options.party);
    showErrorsInBox(true);
    // The show carries on from where it was started; the first asset that
    // cannot be found is then named.
    if (!enterProgramFolder())
        reportNotice("frosthem: cannot change to the program's folder; looking for its files here");
    const int checked = takeParty(host.options, party.empty() ? bundledParty() : party);
    if (checked >= 0)
        return checked;
    host.present = presentWindow;
    std::string error;
    const bool started = host.options.startMs > 0 ? startShowAt(host, host.options.startMs, error)
                                                  : startShow(host, error);
    if (!started) {
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
