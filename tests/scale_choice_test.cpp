// The window's default size: the largest whole multiple of 640x480 that fits
// in 90% of the desktop, width against width and height against height.
#include <gtest/gtest.h>

#include "window.h"

namespace {

struct Desktop {
    int width, height;
    int scale;  // the multiple that fits
};

TEST(ScaleChoice, NinetyPercentOfTheDesktopWidthAgainstWidthHeightAgainstHeight)
{
    const Desktop cases[] = {
        // 3x is 1920x1440: 1440 is exactly 90% of 1600, 1920 is 90% of 2133.3.
        {2560, 1600, 3},
        {2560, 1599, 2},
        {2134, 1600, 3},
        {2133, 1600, 2},
        // 2x is 1280x960: 90% of 1066.7 high and of 1422.2 wide.
        {1920, 1200, 2},
        {1920, 1067, 2},
        {1920, 1066, 1},
        {1423, 1200, 2},
        {1422, 1200, 1},
        {1920, 1600, 2},  // high enough for 3x, not wide enough
        // 9x is 5760x4320: exactly 90% of 6400 wide and of 4800 high.
        {6400, 5000, 9},
        {6399, 5000, 8},
        {7000, 4800, 9},
        {7000, 4799, 8},
        // A laptop's screen: 1x, and 2x once both sides have the room.
        {1366, 768, 1},
        {1423, 768, 1},
        {1366, 1067, 1},
        {1423, 1067, 2},
        // Turned on their side, the same desktops give less room across:
        // width is held against width, height against height.
        {1080, 1920, 1},
        {1600, 2560, 2},
        {1200, 1920, 1},
        {1920, 1080, 2},
    };
    for (const Desktop& d : cases)
        EXPECT_EQ(chooseScale(d.width, d.height), d.scale) << d.width << "x" << d.height;
}

}  // namespace
