// The renderer's progress when standard error is a file or a pipe: plain
// lines now and then, no carriage returns rewriting one line.
#include <gtest/gtest.h>

#include <string>

#include "harness.h"

TEST(CaptureProgress, PlainLinesEveryTenthWhenNotATerminal)
{
    harness::TempDir out;
    const harness::ProgramResult run = harness::runProgram(
        {{FROSTHEM_CAPTURE_BINARY, "--out", out / "frames", "--fps", "10", "--to", "2"}, FROSTHEM_SOURCE_DIR, {}},
        120);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find('\r'), std::string::npos) << run.err;
    for (int percent = 10; percent < 100; percent += 10)
        EXPECT_NE(run.err.find("(" + std::to_string(percent) + "%)"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("(100%)"), std::string::npos) << "the summary line says it";
}
