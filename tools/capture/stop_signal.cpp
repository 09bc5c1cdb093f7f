#include "stop_signal.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t caught = 0;

extern "C" void onStopSignal(int sig)
{
    caught = sig;
}

}  // namespace

void catchStopSignals()
{
#ifdef _WIN32
    // Windows has no sigaction; its C library raises these two for Ctrl+C and
    // a terminate, and one stop is all the renderer needs.
    std::signal(SIGINT, onStopSignal);
    std::signal(SIGTERM, onStopSignal);
#else
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // Writes and waits carry on; the renderer looks at the flag between frames.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
#endif
}

int stopSignal()
{
    return caught;
}
