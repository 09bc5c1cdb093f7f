// What the renderer leaves on disk and says while it works: the WAV's
// header against the sound after it, a frame that cannot be written in
// full, the command line's limits at their edges, and the progress line.
#include <signal.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "capture_run.h"
#include "decode.h"
#include "harness.h"
#include "progress.h"

namespace fs = std::filesystem;
using capturetest::capture;
using capturetest::CaptureRun;
using harness::slurp;
using harness::TempDir;

namespace {

std::string le16(std::uint32_t v)
{
    return {static_cast<char>(v & 0xff), static_cast<char>((v >> 8) & 0xff)};
}

std::string le32(std::uint32_t v)
{
    return le16(v & 0xffff) + le16(v >> 16);
}

std::vector<std::string> namesIn(const fs::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TEST(CaptureFiles, WavHeaderDescribesTheSoundAfterIt)
{
    TempDir dir;
    // Five frames at 10 fps: half a second of music from its start.
    const CaptureRun run = capture({"--out", dir / "out", "--fps", "10", "--to", "0.5"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::string wav = slurp(dir / "out/audio.wav");
    constexpr std::uint32_t kFrames = kMixRate / 2, kDataBytes = kFrames * 4;
    ASSERT_EQ(wav.size(), 44u + kDataBytes);

    const std::string header = "RIFF" + le32(36 + kDataBytes) + "WAVE" +
                               "fmt " + le32(16) + le16(1) + le16(2) + le32(44100) + le32(44100 * 4) +
                               le16(4) + le16(16) + "data" + le32(kDataBytes);
    ASSERT_EQ(header.size(), 44u);
    for (std::size_t i = 0; i < header.size(); ++i)
        EXPECT_EQ(static_cast<int>(static_cast<unsigned char>(wav[i])),
                  static_cast<int>(static_cast<unsigned char>(header[i])))
            << "header byte " << i;

    // Little-endian left/right pairs: the music from its first frame.
    PcmTrack music;
    std::string error;
    ASSERT_TRUE(decodeMp3("data/demo.mp3", music, error)) << error;
    ASSERT_GE(music.frames(), kFrames);
    for (std::size_t i = 0; i < kFrames * kMixChannels; ++i) {
        const auto lo = static_cast<std::uint8_t>(wav[44 + 2 * i]);
        const auto hi = static_cast<std::uint8_t>(wav[44 + 2 * i + 1]);
        ASSERT_EQ(static_cast<std::int16_t>(lo | (hi << 8)), music.samples[i]) << "sample " << i;
    }
}

// A file-size limit (128 blocks: 64 or 128 KB as the shell counts them)
// makes the write of a main-scene frame fail part way, as a full disk would.
TEST(CaptureFiles, FailedFrameWriteLeavesTheOlderFrameWhole)
{
    TempDir dir;
    const fs::path out = dir.path() / "out";
    fs::create_directories(out);
    const std::string still = frameFileName(1200);  // 20 s at 60 fps
    const std::string older = "an older run's frame, which stays as it is";
    harness::spill(out / still, older);

    struct sigaction ignore {}, was {};
    ignore.sa_handler = SIG_IGN;
    sigaction(SIGXFSZ, &ignore, &was);  // a write past the limit fails instead of killing
    const harness::ProgramResult run =
        harness::runProgram({{"/bin/sh", "-c", "ulimit -f 128 && exec \"$@\"", "sh", FROSTHEM_CAPTURE_BINARY, "--out",
                              out.string(), "--at", "20"},
                             FROSTHEM_SOURCE_DIR,
                             {}},
                            capturetest::kCaptureDeadlineSeconds);
    sigaction(SIGXFSZ, &was, nullptr);

    EXPECT_EQ(run.exitCode, 1) << run.err;
    EXPECT_NE(run.err.find("cannot write " + (out / still).string()), std::string::npos) << run.err;
    EXPECT_EQ(slurp(out / still), older);
    EXPECT_EQ(namesIn(out), std::vector<std::string>{still}) << run.err;
}

TEST(CaptureCli, LimitsAreTakenAtTheirEdges)
{
    TempDir dir;
    // The fastest rate, from the very start.
    CaptureRun run = capture({"--out", dir / "fast", "--fps", "1000", "--from", "0", "--to", "0.003"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(namesIn(dir / "fast"),
              (std::vector<std::string>{"audio.wav", frameFileName(0), frameFileName(1), frameFileName(2)}));

    run = capture({"--out", dir / "still", "--at", "0"});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(namesIn(dir / "still"), std::vector<std::string>{frameFileName(0)});

    run = capture({"--out", dir / "faster", "--fps", "1001", "--to", "0.003"});
    EXPECT_EQ(run.exitCode, 2) << run.err;
    EXPECT_NE(run.err.find("--fps"), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "faster"));
}

// The progress line on a terminal, its clock steered by the test.
Progress::Clock::time_point fakeNow;
Progress::Clock::time_point readFakeClock()
{
    return fakeNow;
}

struct ProgressLine {
    long done = 0;
    double rate = 0;
    long secondsLeft = 0;
};

std::vector<ProgressLine> progressLines(const std::string& err)
{
    std::vector<ProgressLine> lines;
    std::size_t at = 0;
    while ((at = err.find('\r', at)) != std::string::npos) {
        ProgressLine l;
        long total = 0, minutes = 0, seconds = 0;
        if (std::sscanf(err.c_str() + ++at, "frame %ld/%ld  %lf frames/s  %ld:%ld left", &l.done, &total, &l.rate,
                        &minutes, &seconds) == 5) {
            l.secondsLeft = minutes * 60 + seconds;
            lines.push_back(l);
        }
    }
    return lines;
}

TEST(CaptureProgress, SteadyPaceShowsASteadyRateAndTimeLeftRunningDown)
{
    constexpr long kTotal = 3000;
    fakeNow = Progress::Clock::time_point{};
    testing::internal::CaptureStderr();
    {
        Progress progress(kTotal, readFakeClock, true);
        // 10 frames a second for a minute, then 20 a second.
        for (long done = 1; done <= kTotal; ++done) {
            fakeNow += std::chrono::milliseconds(done <= 600 ? 100 : 50);
            progress.update(done);
        }
        progress.breakLine();
    }
    const std::vector<ProgressLine> lines = progressLines(testing::internal::GetCapturedStderr());
    ASSERT_GT(lines.size(), 100u);
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const ProgressLine& l = lines[i];
        if (l.done <= 600) {
            EXPECT_NEAR(l.rate, 10.0, 0.05) << "at frame " << l.done;
        } else if (l.done > 700) {
            EXPECT_NEAR(l.rate, 20.0, 0.05) << "at frame " << l.done;
        }
        EXPECT_GE(l.rate, 9.95) << "at frame " << l.done;
        EXPECT_LE(l.rate, 20.05) << "at frame " << l.done;
        EXPECT_LE(l.secondsLeft, lines[i - 1].secondsLeft) << "at frame " << l.done;
        EXPECT_NEAR(static_cast<double>(l.secondsLeft), (kTotal - l.done) / l.rate, 1.0) << "at frame " << l.done;
    }
    EXPECT_EQ(lines.front().secondsLeft, 299);  // 2997 frames at 10 a second
    EXPECT_LE(lines.back().secondsLeft, 1);
}

}  // namespace
