// The sound layer telling its host of each start of the music, and the
// renderer's tape of the music built from what it is told.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "clock.h"
#include "simulate.h"
#include "sound.h"
#include "sound_tones.h"

namespace {

constexpr std::size_t kTrackFrames = kMixRate / 2;  // half a second of music
constexpr Uint32 kFrameMs = 16;
constexpr Uint32 kRunMs = 1800;  // three plays and part of a fourth

// Each start the listener hears, as the tick it heard it at.
std::vector<Uint32> heard;
void note(void*)
{
    heard.push_back(getTicks());
}

class PlayListener : public testing::Test {
protected:
    void SetUp() override
    {
        FSOUND_Close();
        soundSetDeviceless(true);
        setTicks(kCaptureStartTick);
        heard.clear();
    }
    void TearDown() override
    {
        soundOnPlay(nullptr, nullptr);
        FSOUND_Close();
        soundSetDeviceless(false);
        useRealClock();
    }
    // The music's start as the show makes it, with a track of our own.
    FSOUND_SAMPLE* startMusic()
    {
        FSOUND_Init(kMixRate, 32, 0);
        FSOUND_SAMPLE* handle = soundSampleFromPcm(0, toneTrack(3, 0.5, kTrackFrames));
        FSOUND_PlaySound(0, handle);
        return handle;
    }
    // The show's keep-alive, one pass a frame.
    static void keepAlive(FSOUND_SAMPLE* handle)
    {
        if (!FSOUND_IsPlaying(0))
            FSOUND_PlaySound(0, handle);
    }
};

}  // namespace

TEST_F(PlayListener, HearsTheFirstStartAndEveryRestartAtItsTick)
{
    soundOnPlay(note, nullptr);
    FSOUND_SAMPLE* handle = startMusic();
    for (Uint32 ms = 0; ms <= kRunMs; ms += kFrameMs) {
        setTicks(kCaptureStartTick + ms);
        keepAlive(handle);
    }
    // Half a second a play; each restart comes at the first frame after an end.
    ASSERT_EQ(heard.size(), 4u);
    EXPECT_EQ(heard[0], kCaptureStartTick);
    for (std::size_t i = 1; i < heard.size(); i++) {
        const Uint32 sincePrevious = heard[i] - heard[i - 1];
        EXPECT_GE(sincePrevious, 500u) << "start " << i;
        EXPECT_LT(sincePrevious, 500u + kFrameMs) << "start " << i;
    }
}

TEST_F(PlayListener, RefusedPlaysAndASilencedListenerHearNothing)
{
    soundOnPlay(note, nullptr);
    FSOUND_PlaySound(0, nullptr);  // not initialised, no sample
    FSOUND_SAMPLE* handle = startMusic();
    FSOUND_PlaySound(5, handle);  // no such channel
    EXPECT_EQ(heard.size(), 1u);
    soundOnPlay(nullptr, nullptr);
    FSOUND_PlaySound(0, handle);
    EXPECT_EQ(heard.size(), 1u);
}

// What the renderer writes as sound is the tape; what the show's spectrum
// follows is the sound layer's own position. Over the restarts the two must
// not part by more than the sample either may round.
TEST_F(PlayListener, TapeKeepsToTheSoundLayerOverEveryRestart)
{
    MusicTape tape;
    FSOUND_SAMPLE* handle = startMusic();
    soundWaitDecoded(handle);
    tape.setTrack(soundSampleTrack(handle));
    ASSERT_TRUE(tape.hasStarted());
    for (Uint32 ms = 0; ms <= kRunMs; ms += kFrameMs) {
        setTicks(kCaptureStartTick + ms);
        keepAlive(handle);
        if (!FSOUND_IsPlaying(0))
            continue;
        const std::size_t layer = soundPlayPosition();
        const std::size_t taped = tape.positionAt(ms);
        EXPECT_LE(layer > taped ? layer - taped : taped - layer, 1u) << "at " << ms << " ms";
    }
}

TEST_F(PlayListener, TapeRendersTheTrackFromEachStartAndSilenceAfterItsEnd)
{
    MusicTape tape;
    FSOUND_SAMPLE* handle = startMusic();
    const PcmTrack* track = soundSampleData(handle);
    soundWaitDecoded(handle);
    tape.setTrack(soundSampleTrack(handle));
    // Past the end of the first play, before the keep-alive's restart.
    std::vector<std::int16_t> out;
    tape.render(490, 510, out);
    const std::size_t first = static_cast<std::size_t>(sampleAt(490));
    const std::size_t ended = kTrackFrames - first;
    ASSERT_EQ(out.size(), static_cast<std::size_t>(sampleAt(510) - sampleAt(490)) * kMixChannels);
    for (std::size_t i = 0; i < out.size(); i++) {
        const std::int16_t want = i / kMixChannels < ended ? track->samples[first * kMixChannels + i] : 0;
        ASSERT_EQ(out[i], want) << "sample " << i;
    }
    // The restart the sound layer reports puts the tape back at the track's start.
    setTicks(kCaptureStartTick + 512);
    keepAlive(handle);
    out.clear();
    tape.render(512, 520, out);
    ASSERT_FALSE(out.empty());
    EXPECT_TRUE(std::equal(out.begin(), out.end(), track->samples.begin()));
}
