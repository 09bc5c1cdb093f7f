// Ctrl+C, SIGTERM, a closed terminal or pipe and the file size limit ask
// the renderer to stop after the frame in hand, so that what it has
// written can be finished or removed.
#pragma once

// Catches SIGINT, SIGTERM, SIGHUP, SIGPIPE and SIGXFSZ from now on (the
// last three only when not ignored at start). Call before SDL starts: SDL then leaves handlers it
// did not set alone.
void catchStopSignals();
// The signal that asked to stop, or 0.
int stopSignal();
// "SIGINT" and so on, for the last line.
const char* stopSignalName(int sig);
