// Long runs of the whole show on the virtual clock: memory stays flat over
// hours, and everything keeps moving when the tick count wraps past 2^32.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "animation.h"
#include "clock.h"
#include "effects/balls.h"
#include "effects/pictures.h"
#include "effects/snow.h"
#include "effects/typewriter.h"
#include "globals.h"
#include "show.h"
#include "simulate.h"
#include "sound.h"

namespace {

constexpr int kFps = 60;
constexpr long kFramesPerMinute = 60L * kFps;
constexpr long kOneMegabyte = 1024 * 1024;

long residentBytes()
{
    long pages = 0, resident = 0;
    std::FILE* f = std::fopen("/proc/self/statm", "r");
    if (!f)
        return -1;
    if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
        resident = -1;
    std::fclose(f);
    return resident * sysconf(_SC_PAGESIZE);
}

// Simulates `minutes` of show, frames not written, and compares the resident
// size after the first minute with the size at the end.
void soak(long minutes)
{
    MusicTape tape;
    std::string error;
    ASSERT_TRUE(startCapturedShow(tape, error)) << error;
    long afterFirstMinute = 0;
    const long frames = minutes * kFramesPerMinute;
    simulateFrames(frames, kFps, [&](const SimulatedFrame& f) {
        if (f.index == kFramesPerMinute)
            afterFirstMinute = residentBytes();
        return true;
    });
    const long atEnd = residentBytes();
    std::printf("resident after 1 min: %.1f MB, after %ld min: %.1f MB\n",
                afterFirstMinute / 1048576.0, minutes, atEnd / 1048576.0);
    EXPECT_GT(afterFirstMinute, 0);
    EXPECT_LE(atEnd - afterFirstMinute, kOneMegabyte);
    EXPECT_EQ(currentScene, kMainScene);
}

long minutesFromEnv(long fallback)
{
    const char* v = std::getenv("FROSTHEM_SOAK_MINUTES");
    return v && std::atol(v) > 0 ? std::atol(v) : fallback;
}

}  // namespace

TEST(Soak, TenMinutesKeepMemoryFlat)
{
    soak(minutesFromEnv(10));
}

TEST(Soak, TwoHoursKeepMemoryFlat)
{
    soak(minutesFromEnv(120));
}

// The tick count wraps 30 seconds into the main scene: timers, animations,
// the typing and the strip compare unsigned differences and keep going.
TEST(TickWrap, MainSceneKeepsMovingPastTheWrap)
{
    constexpr Uint32 kStart = 0xffffffffu - 50000;  // wraps 50 s after start-up
    constexpr Uint32 kFrameMs = 16;
    std::string error;
    ASSERT_TRUE(startShow(capturedHost(kStart), error)) << error;

    Uint32 now = kStart;
    auto run = [&](int frames) {
        for (int i = 0; i < frames; i++) {
            setTicks(now += kFrameMs);
            framePass();
        }
    };
    run(45000 / kFrameMs);  // into the main scene, just before the wrap
    ASSERT_EQ(currentScene, kMainScene);
    ASSERT_GT(now, 0xffff0000u);

    const int typed = msgpos;
    const char* page = currentsection;
    const int picture = currentbajs;
    const int ballX = amigaball[0].x;
    const int ballY = amigaball[0].y;
    const int flakeY = snow[0].y;
    const int talking = hello.curFrame;
    const bool musicPlaying = FSOUND_IsPlaying(0);

    run(20000 / kFrameMs);  // across the wrap and 15 s beyond it
    ASSERT_LT(now, 20000u);
    EXPECT_TRUE(msgpos != typed || currentsection != page) << "the typing froze";
    EXPECT_NE(currentbajs, picture) << "the strip froze";
    EXPECT_TRUE(amigaball[0].x != ballX || amigaball[0].y != ballY) << "the balls froze";
    EXPECT_NE(snow[0].y, flakeY) << "the snow froze";
    EXPECT_EQ(musicPlaying, FSOUND_IsPlaying(0));
    EXPECT_EQ(mainTrans, 0);

    // The character still talks: two pictures change every 200 ms.
    int changes = 0;
    for (int i = 0; i < 30; i++) {
        const int before = hello.curFrame;
        run(1);
        changes += hello.curFrame != before;
    }
    EXPECT_GT(changes, 0);
    (void)talking;
}
