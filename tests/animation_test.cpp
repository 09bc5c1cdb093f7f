// Frame-timed animation: the pace follows the tick clock, one step per call.
#include <gtest/gtest.h>

#include "animation.h"
#include "clock.h"
#include "testutil.h"

namespace {
Animation twoPictures()
{
    Animation a{};
    a.numFrames = 2;
    a.delay = 200;
    return a;
}
}  // namespace

TEST(Animate, FirstCallAdvancesAtOnceThenWaitsStrictlyLongerThanDelay)
{
    Animation a = twoPictures();
    VirtualClock clock{20000};
    animate(&a);
    EXPECT_EQ(a.curFrame, 1);
    EXPECT_EQ(a.lastTick, 20000u);

    setTicks(20200);  // exactly the delay: nothing changes
    animate(&a);
    EXPECT_EQ(a.curFrame, 1);
    setTicks(20201);
    animate(&a);
    EXPECT_EQ(a.curFrame, 0);
    EXPECT_EQ(a.lastTick, 20201u);
}

TEST(Animate, LongPauseAdvancesOneStepAndCyclesOnlyNumFrames)
{
    VirtualClock clock{0};
    Animation a{};
    a.numFrames = 5;  // six pictures loaded, five cycled
    a.delay = 20;
    int seen[6] = {};
    Uint32 t = 5000;
    for (int i = 0; i < 10; i++) {
        setTicks(t += 10000);  // several delays at once
        animate(&a);
        seen[a.curFrame]++;
        EXPECT_EQ(a.curFrame, (i + 1) % 5);
    }
    EXPECT_EQ(seen[5], 0);
}

TEST(Animate, KeepsGoingWhenTheTickCountWraps)
{
    Animation a = twoPictures();
    a.lastTick = 0xffffff00u;
    VirtualClock clock{0xffffff00u + 150};
    animate(&a);
    EXPECT_EQ(a.curFrame, 0);
    setTicks(0xffffff00u + 201);  // past 2^32
    animate(&a);
    EXPECT_EQ(a.curFrame, 1);
    EXPECT_EQ(a.lastTick, 0xffffff00u + 201);
    setTicks(a.lastTick + 201);
    animate(&a);
    EXPECT_EQ(a.curFrame, 0);
}
