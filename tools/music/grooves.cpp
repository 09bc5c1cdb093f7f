#include "grooves.h"

namespace {
constexpr double kAccent = 1.0;
constexpr double kNormal = 0.6;
constexpr double kOpen = 0.8;
constexpr int kEighth = 2;
constexpr int kQuarter = 4;
}  // namespace

const Groove kBeatGroove = {
    16,
    "X...X...X...X.x.",
    "....X.......X...",
    "X.x.X.x.X.x.X.o.",
    "X.x.X.x.X.x.X.x.",
    {0, 12, 0, 12, 0, 12, 7, 12},
    kEighth,
    kEighth,
};

const Groove kSleighGroove = {
    16,
    "X...X...X...X.x.",
    "....X.......X...",
    "X.x.X.x.X.x.X.o.",
    "XxxxXxxxXxxxXxxx",
    {0, 12, 0, 12, 0, 12, 7, 12},
    kEighth,
    kEighth,
};

const Groove kDriveGroove = {
    16,
    "X.....x.X.....x.",
    "....X.......X..x",
    "XxxxXxxxXxxxXxox",
    "X...X...X...X...",
    {0, 0, 12, 0, 0, 12, 7, 5},
    kEighth,
    kEighth,
};

const Groove kWaltzGroove = {
    12,
    "X.......x...",
    "....x...x...",
    "..x...x...o.",
    "X.x.x.x.x.x.",
    {0, 7, 12},
    kQuarter,
    kEighth,
};

const std::string kFillSnare = "....X...xxxxXXXX";

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
