// Ctrl+C and SIGTERM ask the renderer to stop after the frame in hand, so
// that what it has written can be finished or removed.
#pragma once

// Catches SIGINT and SIGTERM from now on. Call before SDL starts: SDL then
// leaves handlers it did not set alone.
void catchStopSignals();
// The signal that asked to stop, or 0.
int stopSignal();
