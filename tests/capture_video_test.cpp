// A video asked for without --out: no PNG frame is written, the sound goes
// into the MP4 through a temporary WAV, and nothing temporary is left, also
// after Ctrl+C.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "capture_run.h"
#include "harness.h"

namespace fs = std::filesystem;
using harness::slurp;
using harness::TempDir;

namespace {

bool haveFfmpeg()
{
    return std::system("command -v ffmpeg >/dev/null 2>&1 && command -v ffprobe >/dev/null 2>&1") == 0;
}

harness::ProgramSpec videoOnly(const fs::path& mp4, const fs::path& tmp, const std::string& to)
{
    return {{FROSTHEM_CAPTURE_BINARY, "--video", mp4.string(), "--fps", "10", "--to", to},
            FROSTHEM_SOURCE_DIR,
            {"TMPDIR=" + tmp.string()}};
}

long entries(const fs::path& dir)
{
    return std::distance(fs::directory_iterator(dir), fs::directory_iterator());
}

}  // namespace

TEST(CaptureVideo, WithoutOutTheSoundIsInTheVideoAndNothingElseIsLeft)
{
    if (!haveFfmpeg())
        GTEST_SKIP() << "ffmpeg not installed";
    TempDir dir;
    TempDir tmp;
    const fs::path mp4 = dir / "show.mp4";
    const harness::ProgramResult r = harness::runProgram(videoOnly(mp4, tmp.path(), "2"), 600);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.err.find("and their sound to video " + mp4.string()), std::string::npos) << r.err;
    EXPECT_EQ(entries(dir.path()), 1) << "only the video goes beside itself";
    EXPECT_EQ(entries(tmp.path()), 0) << "the temporary sound is left in " << tmp.path();
    const std::string probe = dir / "probe.txt";
    const std::string cmd = "ffprobe -v error -show_entries stream=codec_type,width,height,duration -of csv=p=0 '" +
                            mp4.string() + "' > '" + probe + "'";
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    const std::string streams = slurp(probe);
    EXPECT_NE(streams.find("video,1280,960,2.0"), std::string::npos) << streams;
    EXPECT_NE(streams.find("audio"), std::string::npos) << streams;
}

TEST(CaptureVideo, WithoutOutAStopLeavesNothing)
{
    if (!haveFfmpeg())
        GTEST_SKIP() << "ffmpeg not installed";
    TempDir dir;
    TempDir tmp;
    harness::Program run(videoOnly(dir / "show.mp4", tmp.path(), "600"));
    // Running once its temporary folder is there; a few frames on, stopped.
    for (int waited = 0; entries(tmp.path()) == 0 && waited < 600 * 20; waited++)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_EQ(entries(tmp.path()), 1) << run.err();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    run.signal(SIGINT);
    ASSERT_TRUE(run.waitExit(30)) << "still running after SIGINT";
    EXPECT_EQ(run.exitCode(), 128 + SIGINT) << run.err();
    EXPECT_NE(run.err().find("the video is removed"), std::string::npos) << run.err();
    EXPECT_EQ(entries(dir.path()), 0);
    EXPECT_EQ(entries(tmp.path()), 0);
}
