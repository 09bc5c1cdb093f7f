// The show's sound calls: loading, the keep-alive that repeats the music,
// the silent timeline on the tick clock and the spectrum it feeds, and a
// real (dummy-driver) device.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "arriving_file.h"
#include "clock.h"
#include "harness.h"
#include "sound.h"
#include "spectrum.h"
#include "sound_tones.h"

namespace {

constexpr Uint32 kStartTick = 1000;
constexpr std::size_t kOneSecond = kMixRate;
constexpr Uint32 kFrameMs = 10;

bool allZero(const float* spectrum)
{
    for (int k = 0; k < kSpectrumBands; ++k)
        if (spectrum[k] != 0.0f)
            return false;
    return true;
}

// Picks SDL's audio driver for one test, whatever the environment says.
struct ScopedAudioDriver {
    explicit ScopedAudioDriver(const char* driver) : had(std::getenv(kName) != nullptr)
    {
        saved = had ? std::getenv(kName) : "";
        setenv(kName, driver, 1);
    }
    ~ScopedAudioDriver() { had ? setenv(kName, saved.c_str(), 1) : unsetenv(kName); }
    static constexpr const char* kName = "SDL_AUDIODRIVER";
    bool had;
    std::string saved;
};

class SoundLayer : public testing::Test {
protected:
    void SetUp() override
    {
        FSOUND_Close();
        soundSetDeviceless(true);
        setTicks(kStartTick);
    }
    void TearDown() override
    {
        FSOUND_Close();
        soundSetDeviceless(false);
        useRealClock();
    }
    // initMusic's calls, with a track of our own in place of the file.
    FSOUND_SAMPLE* startMusic(PcmTrack track)
    {
        FSOUND_Init(kMixRate, 32, 0);
        FSOUND_SAMPLE* handle = soundSampleFromPcm(0, std::move(track));
        FSOUND_PlaySound(0, handle);
        FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
        return handle;
    }
    // Steps 3 and 4 of a pass of the show's frame loop.
    static float* showFrame(FSOUND_SAMPLE* handle)
    {
        if (!FSOUND_IsPlaying(0))
            FSOUND_PlaySound(0, handle);
        return FSOUND_DSP_GetSpectrum();
    }
};

TEST_F(SoundLayer, MissingMusicIsReportedOnceAndTheKeepAliveStaysQuiet)
{
    FSOUND_Init(kMixRate, 32, 0);
    testing::internal::CaptureStderr();
    FSOUND_SAMPLE* handle = FSOUND_Sample_Load(0, "data/no-such-music.mp3", FSOUND_LOOP_OFF, 0, 0);
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "frosthem: cannot load music \"data/no-such-music.mp3\": No such file or directory\n");
    ASSERT_EQ(handle, nullptr);

    testing::internal::CaptureStderr();
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    for (int frame = 0; frame < 500; ++frame) {
        EXPECT_EQ(FSOUND_PlaySound(0, handle), -1);
        const float* spectrum = showFrame(handle);
        ASSERT_NE(spectrum, nullptr);
        ASSERT_TRUE(allZero(spectrum));
        advanceTicks(kFrameMs);
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST_F(SoundLayer, LoadingDecodesOrNamesTheFileInOneLine)
{
    FSOUND_SAMPLE* handle = FSOUND_Sample_Load(0, "tests/data/sine861_44k_stereo.mp3", FSOUND_LOOP_OFF, 0, 0);
    ASSERT_NE(handle, nullptr);
    EXPECT_NEAR(static_cast<double>(soundSampleData(handle)->frames()), kOneSecond / 2, 64);

    // Random bytes hold the odd MPEG sync word; still no audio comes out.
    const std::string noise = testing::TempDir() + "frosthem_noise.mp3";
    std::mt19937 gen(7);
    std::FILE* f = std::fopen(noise.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    for (int i = 0; i < 8192; ++i)
        std::fputc(static_cast<int>(gen() & 0xff), f);
    std::fclose(f);
    testing::internal::CaptureStderr();
    EXPECT_EQ(FSOUND_Sample_Load(1, noise.c_str(), FSOUND_LOOP_OFF, 0, 0), nullptr);
    const std::string message = testing::internal::GetCapturedStderr();
    EXPECT_EQ(message.rfind("frosthem: cannot load music \"" + noise + "\": ", 0), 0u) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
    std::remove(noise.c_str());
}

TEST_F(SoundLayer, SilentTimelinePlaysOnceOnTheClock)
{
    testing::internal::CaptureStderr();
    startMusic(toneTrack(1, 0.0, kOneSecond));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "deviceless was asked for";
    EXPECT_TRUE(soundIsSilent());
    EXPECT_TRUE(FSOUND_IsPlaying(0));
    EXPECT_EQ(soundPlayPosition(), 0u);

    advanceTicks(500);
    EXPECT_EQ(soundPlayPosition(), kOneSecond / 2);
    advanceTicks(499);
    EXPECT_TRUE(FSOUND_IsPlaying(0));
    advanceTicks(1);
    EXPECT_FALSE(FSOUND_IsPlaying(0));
    EXPECT_EQ(soundPlayPosition(), 0u);
}

TEST_F(SoundLayer, KeepAliveRepeatsTheMusicWithinAFrame)
{
    FSOUND_SAMPLE* handle = startMusic(toneTrack(1, 0.0, kOneSecond));
    int restarts = 0;
    std::size_t last = 0;
    for (Uint32 t = 0; t <= 3500; t += kFrameMs) {
        showFrame(handle);
        const std::size_t now = soundPlayPosition();
        if (now < last) {
            ++restarts;
            EXPECT_EQ(now, 0u) << "restart at " << t << " ms";
        }
        last = now;
        advanceTicks(kFrameMs);
    }
    EXPECT_EQ(restarts, 3);
}

TEST_F(SoundLayer, SpectrumFollowsThePlayPosition)
{
    PcmTrack track;
    appendTone(track, 10, 1.0, kOneSecond / 2);
    appendTone(track, 50, 0.5, kOneSecond / 2);
    startMusic(std::move(track));

    advanceTicks(100);
    float* first = FSOUND_DSP_GetSpectrum();
    EXPECT_EQ(peakBand(first), 10);
    EXPECT_NEAR(first[10], 1.0f, 0.01f);
    // The fetched array is a copy: it holds still until the next fetch.
    advanceTicks(600);
    EXPECT_NEAR(first[10], 1.0f, 0.01f);
    float* second = FSOUND_DSP_GetSpectrum();
    EXPECT_EQ(second, first);
    EXPECT_EQ(peakBand(second), 50);
    EXPECT_NEAR(second[50], spectrumCurve(0.5f), 0.01f);

    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 0);
    EXPECT_TRUE(allZero(FSOUND_DSP_GetSpectrum()));
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    advanceTicks(300);
    EXPECT_TRUE(allZero(FSOUND_DSP_GetSpectrum())) << "the music has ended";
}

TEST_F(SoundLayer, TimelineHoldsOverLongRunsAndTheTickCounterWrapping)
{
    // Longer than the 97 s after which ms * 44100 no longer fits 32 bits.
    constexpr Uint32 kLongMs = 150000;
    PcmTrack silence;
    silence.samples.assign((kLongMs / 1000 + 1) * kOneSecond * kMixChannels, 0);
    setTicks(0xFFFFFF00u);
    startMusic(std::move(silence));
    advanceTicks(0x200);
    EXPECT_EQ(soundPlayPosition(), std::size_t(0x200) * kMixRate / 1000);
    advanceTicks(kLongMs - 0x200);
    EXPECT_EQ(soundPlayPosition(), std::size_t(kLongMs) * kMixRate / 1000);
    EXPECT_TRUE(FSOUND_IsPlaying(0));
}

TEST_F(SoundLayer, PlayRefusesWhatItCannotPlay)
{
    PcmTrack tone = toneTrack(1, 0.5, kOneSecond);
    FSOUND_SAMPLE* handle = soundSampleFromPcm(0, tone);
    EXPECT_EQ(FSOUND_PlaySound(0, handle), -1) << "before FSOUND_Init";
    FSOUND_Init(kMixRate, 32, 0);
    EXPECT_EQ(FSOUND_PlaySound(3, handle), -1) << "only channel 0 is mixed";
    EXPECT_EQ(FSOUND_PlaySound(0, nullptr), -1);
    EXPECT_FALSE(FSOUND_IsPlaying(0));
    EXPECT_EQ(soundSampleFromPcm(0, PcmTrack{}), nullptr);
    EXPECT_EQ(soundSampleFromPcm(99, tone), nullptr);
}

TEST_F(SoundLayer, FailedDeviceFallsBackToTheSilentTimeline)
{
    soundSetDeviceless(false);
    ScopedAudioDriver driver("no-such-driver");
    testing::internal::CaptureStderr();
    startMusic(toneTrack(1, 0.0, kOneSecond));
    const std::string message = testing::internal::GetCapturedStderr();

    EXPECT_TRUE(soundIsSilent());
    EXPECT_EQ(message.rfind("frosthem: no audio device", 0), 0u) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << message;
    advanceTicks(250);
    EXPECT_EQ(soundPlayPosition(), kOneSecond / 4);
}

TEST_F(SoundLayer, DeviceMixesTheMusicToItsEnd)
{
    soundSetDeviceless(false);
    ScopedAudioDriver driver("dummy");
    useRealClock();
    testing::internal::CaptureStderr();
    FSOUND_SAMPLE* handle = startMusic(toneTrack(30, 1.0, kOneSecond / 4));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    if (soundIsSilent())
        GTEST_SKIP() << "no audio device here, not even SDL's dummy one";

    std::size_t furthest = 0;
    float loudest = 0.0f;
    const Uint32 giveUp = getTicks() + 5000;
    while (FSOUND_IsPlaying(0) && getTicks() < giveUp) {
        furthest = std::max(furthest, soundPlayPosition());
        loudest = std::max(loudest, FSOUND_DSP_GetSpectrum()[30]);
        SDL_Delay(2);
    }
    EXPECT_FALSE(FSOUND_IsPlaying(0)) << "still playing after 5 s";
    EXPECT_GT(furthest, 0u);
    EXPECT_NEAR(loudest, 1.0f, 0.01f);
    EXPECT_EQ(FSOUND_PlaySound(0, handle), 0);
    EXPECT_TRUE(FSOUND_IsPlaying(0));
}

TEST_F(SoundLayer, SpectrumReadsSilenceAheadOfTheDecoderAndTheWholeDecodesValuesBehindIt)
{
    // The music arrives through a pipe, so the decoder has only its first
    // part until the test lets the rest through.
    const std::string bytes = harness::slurp("data/demo.mp3");
    ASSERT_GT(bytes.size(), 0u);
    harness::TempDir dir;
    ArrivingFile arriving(dir / "arriving.mp3", bytes, bytes.size() / 8);
    ASSERT_TRUE(arriving.ok());

    FSOUND_Init(kMixRate, 32, 0);
    FSOUND_SAMPLE* handle = FSOUND_Sample_Load(0, arriving.path(), FSOUND_LOOP_OFF, 0, 0);
    ASSERT_NE(handle, nullptr);
    FSOUND_PlaySound(0, handle);
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    // 100 s in, far past the first eighth (about 21 s): silence, still playing.
    advanceTicks(100000);
    EXPECT_TRUE(FSOUND_IsPlaying(0));
    EXPECT_TRUE(allZero(FSOUND_DSP_GetSpectrum()));

    arriving.sendRest();
    soundWaitDecoded(handle);
    PcmTrack whole;
    std::string error;
    ASSERT_TRUE(decodeMp3("data/demo.mp3", whole, error)) << error;
    for (Uint32 ms : {100000u, 5000u, 150000u}) {
        setTicks(kStartTick + ms);
        FSOUND_PlaySound(0, handle);
        setTicks(kStartTick + 2 * ms);
        float expected[kSpectrumBands];
        computeSpectrum(whole.samples.data(), whole.frames(), soundPlayPosition(), expected);
        const float* got = FSOUND_DSP_GetSpectrum();
        for (int k = 0; k < kSpectrumBands; ++k)
            ASSERT_EQ(got[k], expected[k]) << "band " << k << " at " << ms << " ms";
        EXPECT_FALSE(allZero(got));
    }
}

TEST_F(SoundLayer, ClosingWhileTheMusicDecodesStopsTheDecoding)
{
    for (bool device : {false, true}) {
        soundSetDeviceless(!device);
        ScopedAudioDriver driver("dummy");
        for (int i = 0; i < 5; ++i) {
            FSOUND_Init(kMixRate, 32, 0);
            FSOUND_SAMPLE* handle = FSOUND_Sample_Load(0, "data/demo.mp3", FSOUND_LOOP_OFF, 0, 0);
            ASSERT_NE(handle, nullptr);
            FSOUND_PlaySound(0, handle);
            FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
            FSOUND_DSP_GetSpectrum();
            if (i % 2)
                SDL_Delay(static_cast<Uint32>(i * 5));
            FSOUND_Close();
        }
    }
}

}  // namespace
