// The renderer's command line as a user meets it: what it refuses, and how
// it says so, before anything is rendered.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "capture_run.h"
#include "harness.h"

namespace fs = std::filesystem;
using namespace capturetest;
using harness::TempDir;

TEST(CaptureCli, BadArgumentsExitTwoWithTheUsage)
{
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"--fps", "30"},
        {"--out", "/tmp/x", "--fps", "0"},
        {"--out", "/tmp/x", "--fps", "ten"},
        {"--out", "/tmp/x", "--from", "-1"},
        {"--out", "/tmp/x", "--from", "5", "--to", "5"},
        {"--out", "/tmp/x", "--from", "0.001", "--to", "0.002", "--fps", "1"},  // no frame in between
        {"--out", "/tmp/x", "--at", "5", "--video", "/tmp/x.mp4"},
        {"--out", "/tmp/x", "--frames", "5"},
        {"--out"},
        {"--out", "/tmp/x", "--at", ",1"},
        {"--out", "/tmp/x", "--at", "1,"},
        // Plain decimals only: strtod would take all of these.
        {"--out", "/tmp/x", "--to", "0x10"},
        {"--out", "/tmp/x", "--to", "1e2"},
        {"--out", "/tmp/x", "--to", "inf"},
        {"--out", "/tmp/x", "--from", " 1"},
        {"--out", "/tmp/x", "--at", "1.5.1"},
        {"--out", "/tmp/x", "--fps", "+30"},
        {"--out", "/tmp/x", "--fps", "30.0"},
    };
    for (const auto& args : bad) {
        const CaptureRun run = capture(args);
        EXPECT_EQ(run.exitCode, 2) << ::testing::PrintToString(args);
        EXPECT_NE(run.err.find("usage: frosthem-capture --out DIR"), std::string::npos) << run.err;
    }
}

// --help wins wherever it stands; a bad --at item is quoted alone, with its
// place, however long the list.
TEST(CaptureCli, HelpWinsAndBadListItemsAreQuotedAlone)
{
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--bogus", "--help"}, {"--out", "/tmp/x", "--fps", "0", "-h"}}) {
        const CaptureRun run = capture(args);
        EXPECT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.err, "");
    }
    std::string list;
    for (int i = 1; i <= 3000; i++)
        list += (i == 1 ? "" : ",") + std::string(i == 1500 ? "1O" : "1");
    const CaptureRun run = capture({"--out", "/tmp/x", "--at", list});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.err.rfind("frosthem-capture: bad value for --at: item 1500 of 3000, \"1O\", is not a time in "
                            "seconds\n", 0),
              0u)
        << run.err.substr(0, 200);
    EXPECT_LT(run.err.size(), 400u) << "the list is echoed";
}

TEST(CaptureCli, UnwritableOutputsAndMissingFfmpegAreNamed)
{
    TempDir dir;
    std::ofstream(dir / "file") << "x";
    const std::string under = dir / "file/frames";
    CaptureRun run = capture({"--out", under});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot write to " + under), std::string::npos) << run.err;

    // The video's place is checked before anything is rendered.
    for (const std::string& video : {dir / "file/v.mp4", dir.path().string()}) {
        run = capture({"--out", dir / "out", "--video", video});
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("cannot write to " + video + ": "), std::string::npos) << run.err;
        EXPECT_FALSE(fs::exists(dir / "out/frame_000000.png"));
    }

    run = capture({"--out", dir / "out", "--video", dir / "v.mp4"}, "", "/nonexistent");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("ffmpeg"), std::string::npos) << run.err;
}

// What cannot be done is said before anything is rendered.
TEST(CaptureCli, ImpossibleRangesAreRefusedUpFront)
{
    TempDir dir;
    // About 24350 s of sound is the most a WAV header can count.
    CaptureRun run = capture({"--out", dir / "out", "--from", "100", "--to", "30000"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("WAV"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "out"));

    run = capture({"--out", dir / "out", "--from", "0.0001", "--to", "0.0004"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("same millisecond"), std::string::npos) << run.err;
}
