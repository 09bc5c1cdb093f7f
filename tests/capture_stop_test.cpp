// The offline renderer stopped part-way, by a signal or a failed write:
// what it leaves behind is whole, and it says how far it got.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <sstream>
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

// Ctrl+C, SIGTERM or a closed terminal mid-run: the frame in hand is finished, the WAV's header
// made to match, the unfinished video removed, and the exit code is the
// shell's for the signal.
TEST(CaptureStop, SignalsLeaveWholeFilesAndSayHowFar)
{
    constexpr int kFps = 30;
    const bool withVideo = std::system("command -v ffmpeg >/dev/null 2>&1") == 0;
    for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
        const std::string name = sig == SIGINT ? "SIGINT" : sig == SIGTERM ? "SIGTERM" : "SIGHUP";
        SCOPED_TRACE(name);
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
        const std::string said = "stopped by " + name + " after ";
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
    EXPECT_FALSE(fs::exists(tree.root() / "out"));
}

// The ways a run is ended from outside without a signal sent by hand, and a
// closed standard error: a reader of its messages that goes away (SIGPIPE),
// the file size limit (SIGXFSZ, the WAV cut short goes) and no standard
// error at all, which must not land in the WAV.
TEST(CaptureStop, PipesLimitsAndClosedStreamsLeaveWholeFiles)
{
    struct Case {
        const char* name;
        const char* shell;  // runs the renderer as "$0" "$@", its exit code on stdout
        int exitCode;
        bool wavKept;
    };
    const Case cases[] = {
        {"a reader that goes", "exec 3>&1; { \"$0\" \"$@\" 2>&1 3>&-; echo $? >&3; } | head -1 >/dev/null", 128 + SIGPIPE, true},
        {"the file size limit", "ulimit -f 2048; \"$0\" \"$@\"; echo $?", 128 + SIGXFSZ, false},
        {"no standard error", "\"$0\" \"$@\" 2>&-; echo $?", 0, true},
    };
    constexpr int kFps = 10;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const fs::path out = dir.path() / "out";
        harness::ProgramSpec spec{{"/bin/sh", "-c", c.shell, FROSTHEM_CAPTURE_BINARY, "--out", out.string(), "--fps",
                                   std::to_string(kFps), "--to", "10"},
                                  "",
                                  {}};
        const harness::ProgramResult r = harness::runProgram(spec, kCaptureDeadlineSeconds);
        EXPECT_EQ(r.out, std::to_string(c.exitCode) + "\n") << r.err;
        const long frames = expectWholeFrames(out);
        EXPECT_GT(frames, 0);
        EXPECT_EQ(fs::exists(out / "audio.wav"), c.wavKept);
        if (c.wavKept) {
            expectWavOf(out / "audio.wav", frames, kFps);
        }
        if (c.exitCode == 0) {
            EXPECT_EQ(frames, 10 * kFps);
        }
    }
}

// An encoder that stops reading and ignores SIGTERM: Ctrl+C still ends the
// run within a few seconds, the encoder and what it started are gone, and
// the run, having kept no frame, leaves nothing.
TEST(CaptureStop, StalledEncoderIsStoppedWithNothingLeft)
{
    constexpr double kStopSeconds = 5;
    TempDir dir;
    TempDir bin;
    const std::string pids = bin / "pids";
    const std::string path =
        fakeEncoder(bin.path(), "trap '' TERM; echo $$ >" + pids + "; sleep 1000 & echo $! >>" + pids + "; wait");
    const fs::path out = dir.path() / "out";
    harness::ProgramSpec spec{{FROSTHEM_CAPTURE_BINARY, "--out", out.string(), "--to", "60", "--video", dir / "v.mp4"},
                              "",
                              {"PATH=" + path}};
    harness::Program run(spec);
    ASSERT_TRUE(appears(pids, kCaptureDeadlineSeconds)) << run.err();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));  // the encoder's input is full by now
    run.signal(SIGINT);
    ASSERT_TRUE(run.waitExit(kStopSeconds)) << "still running " << kStopSeconds << " s after SIGINT";
    EXPECT_EQ(run.exitCode(), 128 + SIGINT) << run.err();
    EXPECT_NE(run.err().find("stopped by SIGINT after"), std::string::npos) << run.err();
    EXPECT_NE(run.err().find("nothing written"), std::string::npos) << run.err();
    EXPECT_TRUE(fs::is_empty(dir.path())) << "left behind in " << dir.path();
    std::istringstream ids(harness::slurp(pids));
    for (pid_t pid; ids >> pid;) {
        const std::string state = harness::slurp("/proc/" + std::to_string(pid) + "/stat");
        const std::size_t end = state.rfind(')');
        EXPECT_TRUE(state.empty() || state.compare(end + 2, 1, "Z") == 0) << "process " << pid << " lives on";
    }
}

// Started with SIGINT and SIGHUP ignored (a background job under nohup):
// the hang-up stays ignored, and Ctrl+C's signal sent by hand still stops
// the run cleanly.
TEST(CaptureStop, IgnoredHangUpStaysIgnoredButInterruptStops)
{
    TempDir dir;
    const fs::path out = dir.path() / "out";
    harness::ProgramSpec spec{{"/bin/sh", "-c", "trap '' INT HUP; exec \"$0\" \"$@\"", FROSTHEM_CAPTURE_BINARY,
                               "--out", out.string(), "--to", "600"},
                              "",
                              {}};
    harness::Program run(spec);
    ASSERT_TRUE(appears(out / frameFileName(5), kCaptureDeadlineSeconds)) << run.err();
    run.signal(SIGHUP);
    EXPECT_FALSE(run.waitExit(1)) << run.howItEnded();
    run.signal(SIGINT);
    ASSERT_TRUE(run.waitExit(kCaptureDeadlineSeconds));
    EXPECT_EQ(run.exitCode(), 128 + SIGINT) << run.howItEnded() << "\n" << run.err();
    expectWavOf(out / "audio.wav", expectWholeFrames(out), 60);
}
