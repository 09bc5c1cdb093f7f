// The real program, started as a user would (with SDL's dummy drivers asked
// for explicitly), played for a few seconds and stopped with SIGTERM.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness.h"

namespace {

// Starts the show with `env` added, lets it run `seconds`, then sends SIGTERM.
harness::ProgramResult runShow(const std::vector<std::string>& env, double seconds)
{
    return harness::runProgram({{FROSTHEM_BINARY}, {}, env}, seconds);
}

}  // namespace

TEST(EndToEnd, PlaysWithDummyDriversAndQuitsCleanlyOnSigterm)
{
    const auto run = runShow({"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"}, 3.0);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
}

TEST(EndToEnd, RefusesToPlayBehindNoWindow)
{
    // No display and no driver asked for: SDL falls back to an invisible one.
    const auto run = runShow({}, 10.0);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("frosthem: no display"), std::string::npos) << run.err;
}
