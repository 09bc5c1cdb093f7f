// Decoding MP3 files into the device's format. The tones under tests/data
// are made by tools/testdata from a synthesized sine on band 20's centre at
// half of full scale, half a second long.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "decode.h"
#include "sound_tones.h"
#include "spectrum.h"

namespace {

constexpr int kToneBand = 20;
constexpr double kToneAmplitude = 0.5;
constexpr std::size_t kToneFrames = kMixRate / 2;
// LAME's Info tag lets the decoder trim its delay and padding; allow a
// little slack for the resampler's rounding.
constexpr std::size_t kFrameSlack = 64;

PcmTrack decodeOk(const char* path)
{
    PcmTrack track;
    std::string error;
    EXPECT_TRUE(decodeMp3(path, track, error)) << error;
    return track;
}

void expectTone(const PcmTrack& track)
{
    EXPECT_NEAR(static_cast<double>(track.frames()), kToneFrames, kFrameSlack);
    float bands[kSpectrumBands];
    computeSpectrum(track.samples.data(), track.frames(), track.frames() / 2, bands);
    EXPECT_EQ(peakBand(bands), kToneBand);
    EXPECT_NEAR(bands[kToneBand], kToneAmplitude, 0.05);
}

TEST(Decode, StereoFileAtTheMixRate)
{
    expectTone(decodeOk("tests/data/sine861_44k_stereo.mp3"));
}

TEST(Decode, MonoFileAtHalfRateIsResampledAndWidened)
{
    const PcmTrack track = decodeOk("tests/data/sine861_22k_mono.mp3");
    expectTone(track);
    for (std::size_t i = 0; i + 1 < track.samples.size(); i += kMixChannels)
        ASSERT_EQ(track.samples[i], track.samples[i + 1]) << "frame " << i / kMixChannels;
}

TEST(Decode, FailuresGiveAReasonAndNoSamples)
{
    PcmTrack track = toneTrack(1, 1.0, 16);
    std::string error;
    EXPECT_FALSE(decodeMp3("tests/data/no-such-file.mp3", track, error));
    EXPECT_EQ(error, std::strerror(ENOENT));
    EXPECT_EQ(track.frames(), 0u);

    const std::string noise = testing::TempDir() + "frosthem_noise.mp3";
    std::mt19937 gen(7);
    std::FILE* f = std::fopen(noise.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    for (int i = 0; i < 8192; ++i)
        std::fputc(static_cast<int>(gen() & 0xff), f);
    std::fclose(f);
    error.clear();
    EXPECT_FALSE(decodeMp3(noise.c_str(), track, error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(track.frames(), 0u);

    // A directory opens but cannot be read as a stream.
    error.clear();
    EXPECT_FALSE(decodeMp3("tests", track, error));
    EXPECT_FALSE(error.empty());
    std::remove(noise.c_str());
}

}  // namespace
