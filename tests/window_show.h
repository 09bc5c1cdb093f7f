// The real show started on a desktop of its own, for the window tests: its
// command line and environment, and the window it puts up.
#pragma once

#include <signal.h>

#include <string>
#include <vector>

#include "harness.h"
#include "virtual_desktop.h"

namespace windowtest {

const char* const kCaption = "Frosthem LAN XMAS 2005";
constexpr int kDesktopWidth = 1920, kDesktopHeight = 1080;
constexpr double kAppearSeconds = 60;  // the show loads every asset first
constexpr double kChangeSeconds = 20;

// On a real display SDL loads the X and D-Bus client libraries, which keep
// a few small allocations to the end of the process; in the sanitizer build
// their report would be the show's standard error. The show's own memory is
// checked by every headless run, so leak checking is off for these alone.
const char* const kNoLeakCheck = "ASAN_OPTIONS=halt_on_error=1:detect_leaks=0";

// The show with these arguments, on `desktop`.
inline harness::ProgramSpec showOn(const harness::VirtualDesktop& desktop, const std::vector<std::string>& args)
{
    std::vector<std::string> env = desktop.env();
    env.push_back(kNoLeakCheck);
    std::vector<std::string> argv{FROSTHEM_BINARY};
    argv.insert(argv.end(), args.begin(), args.end());
    return {argv, FROSTHEM_SOURCE_DIR, env};
}

// Never leaves a show behind, even one that ignores SIGTERM.
inline void reap(harness::Program& show)
{
    if (!show.waitExit(0))
        show.signal(SIGKILL);
}

}  // namespace windowtest
