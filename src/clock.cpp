#include "clock.h"

namespace {
bool virtualClock = false;
Uint32 virtualNow = 0;
}  // namespace

Uint32 getTicks()
{
    return virtualClock ? virtualNow : SDL_GetTicks();
}

void setTicks(Uint32 now)
{
    virtualClock = true;
    virtualNow = now;
}

void advanceTicks(Uint32 ms)
{
    setTicks(getTicks() + ms);
}

void useRealClock()
{
    virtualClock = false;
}

bool clockIsVirtual()
{
    return virtualClock;
}
