// The offline renderer stopped part-way, by a signal or a failed write:
// what it leaves behind is whole, and it says how far it got.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "capture_run.h"
#include "geometry.h"
#include "harness.h"
#include "scratch_tree.h"
#include "simulate.h"

namespace fs = std::filesystem;
using namespace capturetest;

namespace {

using harness::slurp;
using harness::TempDir;

std::uint32_t le32(const std::string& b, std::size_t at)
{
    return static_cast<std::uint8_t>(b[at]) | (static_cast<std::uint8_t>(b[at + 1]) << 8) |
           (static_cast<std::uint8_t>(b[at + 2]) << 16) | (static_cast<std::uint32_t>(static_cast<std::uint8_t>(b[at + 3])) << 24);
}

// The frames in `dir` are frame_000000.png up to one before the number
// returned, every one of them whole, and nothing else is there but the WAV.
long expectWholeFrames(const fs::path& dir)
{
    long frames = 0;
    for (const auto& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(name == "audio.wav" || (name.rfind("frame_", 0) == 0 && entry.path().extension() == ".png"))
            << name << " left behind";
        frames += name != "audio.wav";
    }
    for (long k = 0; k < frames; k++)
        EXPECT_EQ(loadRgb((dir / frameFileName(k)).string()).width, kScreenWidth) << frameFileName(k) << " is not whole";
    return frames;
}

// A WAV whose header counts exactly the sound of `frames` frames at `fps`.
void expectWavOf(const fs::path& wav, long frames, int fps)
{
    const std::string b = slurp(wav);
    ASSERT_GE(b.size(), 44u) << wav;
    EXPECT_EQ(b.substr(0, 4), "RIFF");
    EXPECT_EQ(le32(b, 4), b.size() - 8);
    EXPECT_EQ(le32(b, 40), b.size() - 44);
    EXPECT_EQ(b.size() - 44, sampleAt(frameMs(frames, fps)) * 4);
}

bool appears(const fs::path& path, double seconds)
{
    for (double waited = 0; waited < seconds; waited += 0.05) {
        if (fs::exists(path))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

}  // namespace

// Ctrl+C or SIGTERM mid-run: the frame in hand is finished, the WAV's header
// made to match, the unfinished video removed, and the exit code is the
// shell's for the signal.
TEST(CaptureStop, SignalsLeaveWholeFilesAndSayHowFar)
{
    constexpr int kFps = 30;
    const bool withVideo = std::system("command -v ffmpeg >/dev/null 2>&1") == 0;
    for (int sig : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(sig == SIGINT ? "SIGINT" : "SIGTERM");
        TempDir dir;
        const fs::path out = dir.path() / "out";
        const std::string video = dir / "v.mp4";
        harness::ProgramSpec spec{
            {FROSTHEM_CAPTURE_BINARY, "--out", out.string(), "--fps", std::to_string(kFps), "--to", "600"}, "", {}};
        if (withVideo && sig == SIGTERM)
            spec.argv.insert(spec.argv.end(), {"--video", video});
        harness::Program run(spec);
        ASSERT_TRUE(appears(out / frameFileName(20), kCaptureDeadlineSeconds)) << run.err();
        run.signal(sig);
        ASSERT_TRUE(run.waitExit(kCaptureDeadlineSeconds));
        EXPECT_EQ(run.exitCode(), 128 + sig) << run.howItEnded() << "\n" << run.err();
        const std::string said = std::string("stopped by ") + (sig == SIGINT ? "SIGINT" : "SIGTERM") + " after ";
        EXPECT_NE(run.err().find(said), std::string::npos) << run.err();
        const long frames = expectWholeFrames(out);
        EXPECT_GE(frames, 21);
        expectWavOf(out / "audio.wav", frames, kFps);
        EXPECT_NE(run.err().find(std::to_string(frames) + " frames and their sound kept"), std::string::npos)
            << run.err();
        EXPECT_FALSE(fs::exists(video));
        EXPECT_FALSE(fs::exists(video + ".picture.mp4"));
    }
}

// A full disk, played by a file size limit: the WAV that could not be
// written whole goes, the whole frames stay, none is left half-written.
TEST(CaptureStop, FailedWriteLeavesNothingHalfWritten)
{
    TempDir dir;
    const fs::path out = dir.path() / "out";
    // dash counts in 512-byte blocks: 1 MB, some six seconds of sound.
    harness::ProgramSpec spec{{"/bin/sh", "-c", "ulimit -f 2048 && trap '' XFSZ && exec \"$0\" \"$@\"",
                               FROSTHEM_CAPTURE_BINARY, "--out", out.string(), "--fps", "10", "--to", "30"},
                              "",
                              {}};
    const harness::ProgramResult r = harness::runProgram(spec, kCaptureDeadlineSeconds);
    EXPECT_EQ(r.exitCode, 1) << r.err;
    EXPECT_NE(r.err.find("audio.wav"), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("frames kept in"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(out / "audio.wav"));
    EXPECT_GT(expectWholeFrames(out), 0);
}

// A picture that cannot be loaded ends the run before its first frame: one
// line naming the file, exit code 1, and no sound file left behind with a
// header that counts nothing.
TEST(CaptureStop, PictureThatCannotLoadLeavesNothingBehind)
{
    scratch::ScratchTree tree(scratch::kShortMusic);
    tree.damage("gfx/tomte.png", scratch::Damage::Missing);
    const CaptureRun run = capture({"--out", "out", "--to", "1"}, tree.root().string());
    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_EQ(run.err.rfind("frosthem-capture: cannot load \"gfx/tomte.png\": ", 0), 0u) << run.err;
    EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
    EXPECT_TRUE(fs::is_empty(tree.root() / "out"));
}
