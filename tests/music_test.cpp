// The committed music, data/demo.mp3, against what the show needs from it:
// headroom, a level that fills the speakers without squashing, a spectrum
// that keeps the scope and the plasma bars moving, a loop that closes
// without a click, and a file of sensible size and length. Decoded and
// analysed with the show's own decoder and spectrum.
#include "../tools/music/measure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

namespace {

const char* const kMusic = FROSTHEM_SOURCE_DIR "/data/demo.mp3";
constexpr double kTwoPi = 6.283185307179586;

class Music : public ::testing::Test {
protected:
    // Decoding a three-minute file takes a second or so: once for all.
    static void SetUpTestSuite()
    {
        std::string error;
        decoded = decodeMp3(kMusic, track, error);
        if (decoded)
            figures = music::measureMusic(track);
        else
            decodeError = error;
    }
    void SetUp() override { ASSERT_TRUE(decoded) << kMusic << ": " << decodeError; }

    static inline PcmTrack track;
    static inline music::MusicFigures figures;
    static inline bool decoded = false;
    static inline std::string decodeError;
};

TEST_F(Music, LevelsLeaveHeadroomWithoutSoundingThin)
{
    EXPECT_LE(figures.peakDb, -1.0);
    EXPECT_EQ(figures.clipped, 0u);
    EXPECT_GE(figures.rmsDb, -18.0);
    EXPECT_LE(figures.rmsDb, -12.0);
    EXPECT_LT(std::abs(figures.dcOffset), 0.001);
}

TEST_F(Music, SpectrumKeepsTheVisualsMoving)
{
    // The scope needs at least 20 of its 80 bands lit in nearly every frame
    // once the first second is over; the plasma bars (170 px at 1.0) need
    // tall peaks often enough, and never a value past full scale.
    EXPECT_GE(figures.movingShare, 0.9);
    EXPECT_GE(figures.p95PlasmaMax, 0.3);
    EXPECT_LE(figures.p95PlasmaMax, 1.0);
    EXPECT_LE(figures.maxBand, 1.0);
}

TEST_F(Music, LoopsCleanlyAtASensibleLengthAndSize)
{
    EXPECT_GE(figures.seconds, 120.0);
    EXPECT_LE(figures.seconds, 180.0);
    // The show restarts the file the frame after it ends: both ends must be
    // near silence or the seam clicks.
    EXPECT_LT(figures.edgePeak, 0.02);
    EXPECT_LT(std::filesystem::file_size(kMusic), 6u * 1000u * 1000u);
}

TEST(MusicMeasure, CountsLitBandsAndLevels)
{
    // One second of a half-scale sine on band 20's centre: one band reading
    // what the display curve makes of 0.5, and its neighbours, far from the 20 lit bands the scope wants.
    PcmTrack tone;
    for (int n = 0; n < kMixRate; ++n) {
        const auto v = static_cast<std::int16_t>(16384.0 * std::sin(kTwoPi * 20.0 * n / kFftSize));
        tone.samples.push_back(v);
        tone.samples.push_back(v);
    }
    const music::MusicFigures m = music::measureMusic(tone);
    EXPECT_NEAR(m.seconds, 1.0, 1e-9);
    EXPECT_NEAR(m.peakDb, -6.02, 0.05);
    EXPECT_NEAR(m.rmsDb, -9.03, 0.05);
    EXPECT_NEAR(m.p95PlasmaMax, spectrumCurve(0.5f), 0.01);
    EXPECT_EQ(m.movingShare, 0.0);
    EXPECT_EQ(m.clipped, 0u);
}

}  // namespace
