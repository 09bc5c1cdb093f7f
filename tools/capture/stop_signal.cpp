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
    // A closed terminal (SIGHUP), a reader of our messages gone (SIGPIPE)
    // and the file size limit (SIGXFSZ) end the run as a stop does, so
    // what is left is whole.
    const int signals[] = {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGXFSZ};
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a write or wait that blocks (a stalled encoder, a
    // full pipe) returns EINTR, so a stop is never stuck behind it.
    action.sa_flags = 0;
    for (int sig : signals) {
        struct sigaction was {};
        // The three that are not asked for by hand stay ignored when whoever
        // started us ignores them (nohup, trap ''). SIGINT and SIGTERM are
        // always caught: a shell starts background jobs with SIGINT ignored,
        // and a stop sent to one must still be clean.
        const bool askedByHand = sig == SIGINT || sig == SIGTERM;
        if (!askedByHand && sigaction(sig, nullptr, &was) == 0 && was.sa_handler == SIG_IGN)
            continue;
        sigaction(sig, &action, nullptr);
    }
#endif
}

int stopSignal()
{
    return caught;
}

const char* stopSignalName(int sig)
{
    switch (sig) {
    case SIGINT: return "SIGINT";
    case SIGTERM: return "SIGTERM";
#ifndef _WIN32
    case SIGHUP: return "SIGHUP";
    case SIGPIPE: return "SIGPIPE";
    case SIGXFSZ: return "SIGXFSZ";
#endif
    default: return "a signal";
    }
}
