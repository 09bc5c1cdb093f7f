// Standard input, output and error made safe to use before anything else
// is opened.
#pragma once

// Opens /dev/null as whichever of descriptors 0, 1 and 2 is closed, so
// that no file opened later takes one of them: with standard error closed,
// a file opened next would receive every message meant for the terminal.
void keepStandardStreamsOpen();
