// The spectrum computed from decoded music: band placement, full-scale
// calibration, the display curve, the mono mix and where the analysed window
// starts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <vector>

#include "sound_tones.h"
#include "spectrum.h"

namespace {

constexpr std::size_t kTwoBlocks = 2 * kFftSize;

std::vector<float> spectrumOf(const PcmTrack& track, std::size_t position = 0)
{
    std::vector<float> bands(kSpectrumBands, -1.0f);
    computeSpectrum(track.samples.data(), track.frames(), position, bands.data());
    return bands;
}

TEST(Spectrum, FullScaleSineOnABandCentreReadsOneInThatBandOnly)
{
    for (int band : {3, 20, 100, 300, 500}) {
        SCOPED_TRACE(band);
        const std::vector<float> s = spectrumOf(toneTrack(band, 1.0, kFftSize));
        EXPECT_EQ(peakBand(s.data()), band);
        EXPECT_NEAR(s[band], 1.0f, 0.001f);
        // The Hann window spreads a centred tone over its two neighbours at
        // half its magnitude and nowhere else.
        EXPECT_NEAR(s[band - 1], spectrumCurve(0.5f), 0.001f);
        EXPECT_NEAR(s[band + 1], spectrumCurve(0.5f), 0.001f);
        for (int k = 0; k < kSpectrumBands; ++k) {
            if (std::abs(k - band) > 1) {
                EXPECT_LT(s[k], 0.001f) << "band " << k;
            }
        }
    }
}

TEST(Spectrum, QuieterSinesReadOnTheDisplayCurve)
{
    // -20 dB reads ln(11) / ln(101), a bar half the height of full scale;
    // -40 dB still shows, -80 dB is as good as nothing.
    EXPECT_NEAR(spectrumOf(toneTrack(64, 0.1, kFftSize))[64], 0.5196f, 0.002f);
    EXPECT_NEAR(spectrumOf(toneTrack(64, 0.5, kFftSize))[64], 0.8519f, 0.002f);
    EXPECT_NEAR(spectrumOf(toneTrack(64, 0.01, kFftSize))[64], 0.1502f, 0.002f);
    EXPECT_LT(spectrumOf(toneTrack(64, 0.0001, kFftSize))[64], 0.005f);
}

TEST(Spectrum, LouderNeverReadsLowerAndEveryValueStaysInRange)
{
    // A sweep from -90 dB to full scale in 1 dB steps, through the whole
    // analysis, with every band checked.
    std::vector<float> previous(kSpectrumBands, 0.0f);
    for (int db = -90; db <= 0; ++db) {
        SCOPED_TRACE(db);
        const std::vector<float> s = spectrumOf(toneTrack(100, std::pow(10.0, db / 20.0), kFftSize));
        for (int k = 0; k < kSpectrumBands; ++k)
            ASSERT_TRUE(s[k] >= 0.0f && s[k] <= 1.0f) << "band " << k << " reads " << s[k];
        EXPECT_GE(s[100], previous[100]);
        previous = s;
    }

    // The curve itself, from far below the quietest 16-bit sample to far
    // past full scale.
    float last = 0.0f;
    for (float m = 1e-12f; m < 1e6f; m *= 1.01f) {
        const float v = spectrumCurve(m);
        ASSERT_GE(v, last) << m;
        ASSERT_LE(v, 1.0f) << m;
        last = v;
    }
    EXPECT_EQ(spectrumCurve(0.0f), 0.0f);
    EXPECT_EQ(spectrumCurve(1.0f), 1.0f);
    EXPECT_EQ(spectrumCurve(std::numeric_limits<float>::infinity()), 1.0f);
    EXPECT_EQ(spectrumCurve(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    EXPECT_EQ(spectrumCurve(-1.0f), 0.0f);
}

TEST(Spectrum, FullScaleSquareWaveStaysAtOne)
{
    // A full-scale square wave's fundamental measures 4/pi, past the sine
    // that defines 1.0; it reads 1.0, not more.
    PcmTrack square;
    for (std::size_t n = 0; n < kFftSize; ++n) {
        const std::int16_t v = (n / 8) % 2 ? -32767 : 32767;
        square.samples.push_back(v);
        square.samples.push_back(v);
    }
    const std::vector<float> s = spectrumOf(square);
    EXPECT_EQ(s[64], 1.0f);
    for (float v : s)
        EXPECT_LE(v, 1.0f);
}

TEST(Spectrum, ChannelsAreMixedToMono)
{
    PcmTrack opposed;
    appendTone(opposed, 40, 1.0, kFftSize, -1);
    for (float v : spectrumOf(opposed))
        EXPECT_EQ(v, 0.0f);

    PcmTrack leftOnly = toneTrack(40, 1.0, kFftSize);
    for (std::size_t i = 1; i < leftOnly.samples.size(); i += kMixChannels)
        leftOnly.samples[i] = 0;
    EXPECT_NEAR(spectrumOf(leftOnly)[40], spectrumCurve(0.5f), 0.001f);
}

TEST(Spectrum, SilenceAndThePastEndReadZero)
{
    PcmTrack silence;
    silence.samples.assign(kTwoBlocks * kMixChannels, 0);
    for (float v : spectrumOf(silence))
        EXPECT_EQ(v, 0.0f);

    const PcmTrack tone = toneTrack(10, 1.0, kFftSize);
    for (std::size_t position : {tone.frames(), tone.frames() + 1, std::size_t(-1)})
        for (float v : spectrumOf(tone, position))
            EXPECT_EQ(v, 0.0f);

    float bands[kSpectrumBands];
    computeSpectrum(nullptr, 0, 0, bands);
    for (float v : bands)
        EXPECT_EQ(v, 0.0f);
}

TEST(Spectrum, WindowStartsAtThePosition)
{
    PcmTrack track;
    appendTone(track, 8, 0.0, kFftSize);
    appendTone(track, 8, 1.0, kFftSize);
    EXPECT_LT(spectrumOf(track, 0)[8], 0.001f);
    EXPECT_NEAR(spectrumOf(track, kFftSize)[8], 1.0f, 0.001f);
    // Half a block of tone before the end: read, but weaker.
    const float tail = spectrumOf(track, track.frames() - kFftSize / 2)[8];
    EXPECT_GT(tail, 0.1f);
    EXPECT_LT(tail, 0.9f);
}

}  // namespace
