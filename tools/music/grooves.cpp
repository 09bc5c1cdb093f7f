#include "grooves.h"

namespace {
constexpr double kAccent = 1.0;
constexpr double kNormal = 0.6;
constexpr double kOpen = 0.8;
constexpr int kEighth = 2;
constexpr int kQuarter = 4;
}  // namespace

const Groove kVerseGroove = {
    16,
    {"X.......X.x.....", "....X.......X...", "x.x.x.x.x.x.x.x."},
    {"X..X....X.......", "....X...x.xxXxXX", "o.....x.x.x....."},
    "................",
    {0, 12, 0, 12, 0, 12, 7, 12},
    kEighth,
    kEighth,
};

const Groove kSleighGroove = {
    16,
    {"X...X...X...X...", "....X.......X...", "..x...x...x...o."},
    {"X..X..X...X.X...", "....X.....xxXxXX", "o.....x........."},
    "XxxxXxxxXxxxXxxx",
    {0, 12, 0, 12, 0, 12, 7, 12},
    kEighth,
    kEighth,
};

const Groove kDriveGroove = {
    16,
    {"X.....x.X.....x.", "....X.......X..x", "XxxxXxxxXxxxXxox"},
    {"X..X..X...X.X.X.", "....X...xxXxXXXX", "o...xxxx........"},
    "................",
    {0, 0, 12, 0, 0, 12, 7, 5},
    kEighth,
    kEighth,
};

const Groove kSkipGroove = {
    16,
    {"X..X..X...X..X..", "....X.......X...", "x.xxx.xxx.xxx.xo"},
    {"X...X...X.X.....", "....X...x.XxXxXX", "o...x.x........."},
    "X.x.X.x.X.x.X.x.",
    {0, 7, 12, 7, 0, 7, 12, 10},
    kEighth,
    kEighth,
};

const Groove kWaltzGroove = {
    12,
    {"X.......x...", "....x...x...", "..x...x...o."},
    {"X.....X.....", "....x.x.xxXX", "o..........."},
    "X.x.x.x.x.x.",
    {0, 7, 12},
    kQuarter,
    kEighth,
};

const Groove kDeckGroove = {
    16,
    {"X...X..xX...X...", "....X.......X...", "x.xxx.xxx.xxx.xo"},
    {"X..X..X...X.....", "....X...x.XxXxXX", "o...x.x........."},
    "XxxxXxxxXxxxXxxx",
    {0, 7, 12, 7, 0, 7, 12, 10},
    kEighth,
    kEighth,
};

const Groove kFinaleGroove = {
    12,
    {"X...x...x...", "....x...X...", "xxxxxxxxxxxo"},
    {"X.....X.X...", "....x.x.xxXX", "o..........."},
    "XxxxXxxxXxxx",
    {0, 7, 12},
    kQuarter,
    kEighth,
};

Drums rollInto(int rowsPerBar)
{
    // Kick on the downbeat, then the snare in eighths and, over the second
    // half, in sixteenths growing to an accent.
    Drums d{std::string(rowsPerBar, '.'), std::string(rowsPerBar, '.'), std::string(rowsPerBar, '.')};
    d.kick[0] = 'X';
    for (int r = 0; r < rowsPerBar; ++r) {
        const bool late = r >= rowsPerBar / 2;
        if (late || r % 2 == 0)
            d.snare[r] = late && r >= rowsPerBar - 4 ? 'X' : 'x';
        if (!late && r % 2 == 0)
            d.hat[r] = 'x';
    }
    return d;
}

bool fourOnTheFloor(const Groove& g)
{
    for (std::size_t r = 0; r < g.beat.kick.size(); r += kQuarter)
        if (hitVelocity(g.beat.kick[r]) == 0.0)
            return false;
    return true;
}

double hitVelocity(char c)
{
    switch (c) {
    case 'X':
        return kAccent;
    case 'x':
        return kNormal;
    case 'o':
        return kOpen;
    default:
        return 0.0;
    }
}
