// How lively the committed music makes the scope and the plasma bars, with
// the figures musiccheck prints; and those figures on tracks whose answer is
// known.
#include "lively.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "sound_tones.h"
#include "spectrum.h"

namespace {

const char* const kMusic = FROSTHEM_SOURCE_DIR "/data/demo.mp3";
constexpr std::size_t kSeconds = kMixRate;

TEST(Lively, CommittedMusicKeepsTheScopeAndThePlasmaMoving)
{
    PcmTrack track;
    std::string error;
    ASSERT_TRUE(decodeMp3(kMusic, track, error)) << kMusic << ": " << error;
    const music::LivelyFigures m = music::measureLively(track);
    std::string report(4096, '\0');
    std::FILE* out = fmemopen(report.data(), report.size(), "w");
    ASSERT_NE(out, nullptr);
    const bool ok = music::printLively(m, out);
    std::fclose(out);
    EXPECT_TRUE(ok) << report.c_str();
}

TEST(Lively, SilenceIsStill)
{
    PcmTrack silence;
    silence.samples.assign(30 * kSeconds * kMixChannels, 0);
    const music::LivelyFigures m = music::measureLively(silence);
    EXPECT_EQ(m.plasmaPixelsMedian, 0.0);
    EXPECT_EQ(m.loudFrameShare, 0.0);
    EXPECT_EQ(m.fullHeightShare, 0.0);
    EXPECT_EQ(m.scopeLitMedian, 0.0);
    EXPECT_EQ(m.scopeLoudestMedian, 0.0);
}

TEST(Lively, SteadyToneDrawsItsBandAndTwoNeighbours)
{
    // A full-scale tone on band 40: a full bar (170 rows) and two neighbours
    // at half its magnitude, on four sides.
    const music::LivelyFigures m = music::measureLively(toneTrack(40, 1.0, 30 * kSeconds));
    const int neighbourRows = static_cast<int>(std::lround(spectrumCurve(0.5f) * 170.0f));
    EXPECT_EQ(m.plasmaPixelsMedian, 4.0 * (170 + 2 * neighbourRows));
    EXPECT_EQ(m.loudFrameShare, 1.0);
    EXPECT_NEAR(m.fullHeightShare, 1.0 / 320, 1e-4);
    EXPECT_EQ(m.scopeLitMedian, 3.0);
    EXPECT_EQ(m.scopeVisibleLitMedian, 3.0);
    EXPECT_NEAR(m.scopeLoudestMedian, 1.0, 0.001);
}

TEST(Lively, BarsFollowASwellingTone)
{
    // The tone swells and fades every four seconds, in steps of one block:
    // a band-centred tone fills a block with whole cycles, so the steps
    // join without a click. The curve bends the bars' growth, so the
    // match with the loudness is close but not straight.
    constexpr double kTwoPi = 6.283185307179586;
    constexpr int kBlocksPerSwell = 4 * kMixRate / kFftSize;
    PcmTrack swell;
    for (int b = 0; b < 15 * kBlocksPerSwell; ++b)
        appendTone(swell, 40, 0.5 - 0.5 * std::cos(kTwoPi * b / kBlocksPerSwell), kFftSize);
    EXPECT_GT(music::measureLively(swell).loudnessCorrelation, 0.75);
}

}  // namespace
