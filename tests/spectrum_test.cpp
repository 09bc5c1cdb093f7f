// The spectrum computed from decoded music: band placement, full-scale
// calibration, the mono mix and where the analysed window starts.
#include <gtest/gtest.h>

#include <cstdlib>
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
        // half height and nowhere else.
        EXPECT_NEAR(s[band - 1], 0.5f, 0.001f);
        EXPECT_NEAR(s[band + 1], 0.5f, 0.001f);
        for (int k = 0; k < kSpectrumBands; ++k) {
            if (std::abs(k - band) > 1) {
                EXPECT_LT(s[k], 0.001f) << "band " << k;
            }
        }
    }
}

TEST(Spectrum, MagnitudeFollowsAmplitude)
{
    for (double amplitude : {0.5, 0.25, 0.01})
        EXPECT_NEAR(spectrumOf(toneTrack(64, amplitude, kFftSize))[64], amplitude, 0.002) << amplitude;
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
    EXPECT_NEAR(spectrumOf(leftOnly)[40], 0.5f, 0.001f);
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
