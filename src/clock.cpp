#include "clock.h"

namespace {
bool virtualClock = false;
Uint32 virtualNow = 0;
bool following = false;  // the virtual clock moves with SDL's
Uint32 realAtFollow = 0;
}  // namespace

Uint32 getTicks()
{
    if (virtualClock && following)
        return virtualNow + (SDL_GetTicks() - realAtFollow);
    return virtualClock ? virtualNow : SDL_GetTicks();
}

void setTicks(Uint32 now)
{
    virtualClock = true;
    following = false;
    virtualNow = now;
}

void followRealTime()
{
    setTicks(getTicks());
    realAtFollow = SDL_GetTicks();
    following = true;
}

void advanceTicks(Uint32 ms)
{
    setTicks(getTicks() + ms);
}

void useRealClock()
{
    virtualClock = false;
    following = false;
}

bool clockIsVirtual()
{
    return virtualClock;
}
