// Decoding MP3 files into the device's format. The tones under tests/data
// are made by tools/testdata from a synthesized sine on band 20's centre at
// half of full scale, half a second long.
#include <gtest/gtest.h>

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
    EXPECT_NEAR(bands[kToneBand], spectrumCurve(kToneAmplitude), 0.025);
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

}  // namespace
