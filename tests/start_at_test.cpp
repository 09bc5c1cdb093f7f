// The show begun part-way (--start): the frame it shows first is the
// renderer's frame at that moment, the music is heard from there, and time
// then passes in real time. The show is started in this process, so the test
// needs a process of its own, as ctest gives every test.
#include <gtest/gtest.h>

#include <string>

#include "capture_run.h"
#include "clock.h"
#include "globals.h"
#include "harness.h"
#include "image.h"
#include "show.h"
#include "simulate.h"
#include "sound.h"

namespace {

using capturetest::capture;
using capturetest::CaptureRun;
using capturetest::loadRgb;

// Into the main scene, with text in the bubble and a picture wiping in.
constexpr Uint32 kStartMs = 25500;
const char* const kStartSeconds = "25.5";
constexpr Uint32 kRealWaitMs = 100;
// SDL_Delay and the tick reading each round to whole milliseconds.
constexpr Uint32 kTickSlackMs = 1;

int presented = 0;

void countPresent()
{
    presented++;
}

TEST(StartAt, TheFirstFrameIsTheRenderersAndTheMusicPlaysFromThere)
{
    ASSERT_EQ(td, 0u) << "the show was already started in this process: run this test alone";
    harness::TempDir dir;
    const CaptureRun run = capture({"--out", dir.path().string(), "--at", kStartSeconds});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const RgbImage expected = loadRgb(dir / frameFileName(firstFrameAt(kStartMs, kStartFps)));
    ASSERT_GT(expected.width, 0);

    ShowHost host;
    host.offscreen = true;
    host.present = countPresent;
    std::string error;
    ASSERT_TRUE(startShowAt(host, kStartMs, error)) << error;
    RgbImage shown;
    surfaceToRgb(screen, shown);
    EXPECT_EQ(presented, 1) << "only the frame at the start is presented";
    EXPECT_TRUE(shown.rgb == expected.rgb) << "the frame shown differs from the renderer's";

    // The clock runs on from the start in real time.
    const Uint32 at = getTicks();
    EXPECT_GE(at - kCaptureStartTick, kStartMs);
    SDL_Delay(kRealWaitMs);
    EXPECT_GE(getTicks() - at, kRealWaitMs - kTickSlackMs);
    EXPECT_LT(getTicks() - at, 10 * kRealWaitMs);

    if (soundIsSilent())
        GTEST_SKIP() << "no audio device here, not even SDL's dummy one";
    // The music started with the show, so it is heard from kStartMs on.
    const std::size_t heard = soundPlayPosition();
    EXPECT_GE(heard, sampleAt(kStartMs));
    EXPECT_LT(heard, sampleAt(kStartMs + 10 * kRealWaitMs));
}

TEST(StartAt, AMutedShowKeepsTheMusicOnTheClock)
{
    ASSERT_EQ(td, 0u) << "the show was already started in this process: run this test alone";
    ShowHost host;
    host.offscreen = true;
    host.options.mute = true;
    std::string error;
    ASSERT_TRUE(startShowAt(host, kStartMs, error)) << error;
    EXPECT_TRUE(soundIsSilent());
    EXPECT_GE(soundPlayPosition(), sampleAt(kStartMs));
    EXPECT_EQ(currentScene, kMainScene);
}

}  // namespace
