// How much of a long music file is played: the first 30 minutes, counted in
// sample frames, with one note saying so however often the music repeats.
#include <gtest/gtest.h>

#include <string>

#include "clock.h"
#include "sound.h"
#include "testutil.h"

namespace {

// 45 minutes of silence at 8 kbit/s (tools/testdata/make_test_mp3).
const std::string kLongFile = "tests/data/silence45min_8k_mono.mp3";
constexpr Uint32 kThirtyMinutesMs = 30 * 60 * 1000;

TEST(MusicLength, LongFileStopsAtThirtyMinutesAndSaysSoOnce)
{
    FSOUND_Close();
    soundSetDeviceless(true);
    VirtualClock clock(1000);
    testing::internal::CaptureStderr();
    FSOUND_Init(kMixRate, 32, 0);
    FSOUND_SAMPLE* music = FSOUND_Sample_Load(0, kLongFile.c_str(), FSOUND_LOOP_OFF, 0, 0);
    ASSERT_NE(music, nullptr) << testing::internal::GetCapturedStderr();
    soundWaitDecoded(music);

    // Twice through, as the show's keep-alive would play it.
    for (int play = 1; play <= 2; ++play) {
        ASSERT_EQ(FSOUND_PlaySound(0, music), 0);
        advanceTicks(kThirtyMinutesMs - 1);
        EXPECT_TRUE(FSOUND_IsPlaying(0)) << "play " << play << " ended before 30 minutes";
        EXPECT_EQ(soundPlayPosition(), (std::size_t(kThirtyMinutesMs) - 1) * kMixRate / 1000);
        advanceTicks(1);
        EXPECT_FALSE(FSOUND_IsPlaying(0)) << "play " << play << " went on past 30 minutes";
    }
    FSOUND_Close();
    soundSetDeviceless(false);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "frosthem: music \"" + kLongFile + "\" runs past 30 minutes; only its first 30 are played\n");
}

}  // namespace
