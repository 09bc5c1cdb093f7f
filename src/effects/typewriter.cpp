// Not drawn yet.
#include "effects/typewriter.h"

void printMsg(int, int) {}
