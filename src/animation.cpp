#include "animation.h"

#include "clock.h"

Animation hello;
Animation ball;
Animation dance;

void animate(Animation* anim)
{
    const Uint32 now = getTicks();
    // Unsigned difference: keeps working when the tick count wraps.
    if (now - anim->lastTick <= anim->delay)
        return;
    // The next interval runs from this change, not from lastTick + delay.
    anim->lastTick = getTicks();
    anim->curFrame = (anim->curFrame + 1) % anim->numFrames;
}
