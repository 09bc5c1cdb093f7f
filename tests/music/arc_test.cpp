// Tests of how the piece builds and comes round: the figures that measure
// it, the score's new rules (bass and echoes keep out of the melody's way)
// and the mixer's width rider.
#include "arcfigures.h"
#include "arrange.h"
#include "dsp.h"
#include "duckfigure.h"
#include "harmony.h"
#include "instruments.h"
#include "mixer.h"
#include "spectra.h"
#include "writer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

namespace {

std::vector<float> sine(double hz, double seconds, double level = 0.5)
{
    std::vector<float> x(static_cast<std::size_t>(seconds * kSampleRate));
    for (std::size_t s = 0; s < x.size(); ++s)
        x[s] = static_cast<float>(level * std::sin(kTwoPi * hz * double(s) / kSampleRate));
    return x;
}

std::vector<std::int16_t> stereoOf(const std::vector<float>& left, const std::vector<float>& right)
{
    std::vector<std::int16_t> out(2 * left.size());
    for (std::size_t s = 0; s < left.size(); ++s) {
        out[2 * s] = static_cast<std::int16_t>(std::lround(left[s] * 32767.0));
        out[2 * s + 1] = static_cast<std::int16_t>(std::lround(right[s] * 32767.0));
    }
    return out;
}

TEST(ArcFigures, OnsetsAreCountedOncePerStrike)
{
    // Decaying noise bursts, struck `rate` times a second.
    for (double rate : {2.0, 4.0, 8.0}) {
        std::vector<float> x(10 * kSampleRate);
        std::uint32_t seed = 1;
        const long every = std::lround(kSampleRate / rate);
        for (std::size_t s = 0; s < x.size(); ++s) {
            seed = seed * 1664525u + 1013904223u;
            const double t = double(long(s) % every) / kSampleRate;
            x[s] = static_cast<float>((double(seed >> 8) / double(1 << 24) - 0.5) * std::exp(-t / 0.02));
        }
        EXPECT_NEAR(onsetRate(x, 0, x.size()), rate, 0.25 * rate) << rate;
    }
    EXPECT_EQ(onsetRate(sine(440.0, 5.0), 0, 100), 0.0);  // too short to judge
}

TEST(ArcFigures, OctaveLevelsSeparateSubFromMids)
{
    const std::vector<double> power = powerSpectrum(sine(55.0, 2.0), 0, 2 * kSampleRate);
    EXPECT_GT(octaveLevelDb(power, 63.0) - octaveLevelDb(power, 250.0), 40.0);
    // Two sines of one level, one in each octave, read alike.
    std::vector<float> both = sine(60.0, 2.0, 0.25);
    const std::vector<float> mid = sine(500.0, 2.0, 0.25);
    for (std::size_t s = 0; s < both.size(); ++s)
        both[s] += mid[s];
    const std::vector<double> p2 = powerSpectrum(both, 0, both.size());
    EXPECT_NEAR(octaveLevelDb(p2, 63.0), octaveLevelDb(p2, 500.0), 0.5);
}

TEST(ArcFigures, LeanIsFoundInTheStretchWhereItIs)
{
    // 30 s even, except 10 s from second 12 where the left is 3 dB up.
    std::vector<float> left = sine(440.0, 30.0, 0.3), right = left;
    const double up = std::pow(10.0, 3.0 / 20.0);
    for (std::size_t s = 12 * kSampleRate; s < 22 * std::size_t(kSampleRate); ++s)
        left[s] = static_cast<float>(left[s] * up);
    double at = -1.0;
    EXPECT_NEAR(worstLean(stereoOf(left, right), 10.0, 1.0, at), 3.0, 0.05);
    EXPECT_EQ(at, 12.0);
    EXPECT_NEAR(worstLean(stereoOf(right, right), 10.0, 1.0, at), 0.0, 1e-9);
}

TEST(ArcFigures, SeamStepAndCrackle)
{
    Song song;  // no sections: only the whole-file figures
    std::vector<float> x = sine(220.0, 4.0, 0.5);
    // A clean loop: the sine ends where it starts, at the same level.
    ArcFigures f = measureArc(stereoOf(x, x), song);
    EXPECT_LT(f.seamStepDb, 0.5);
    EXPECT_LT(f.seamClickDb, 3.0);
    // A ring-out 40 dB down before a start faded in over 10 ms: a cliff,
    // not a click.
    for (std::size_t s = x.size() * 3 / 4; s < x.size(); ++s)
        x[s] = static_cast<float>(x[s] * 0.01);
    const std::size_t fade = kSampleRate / 100;
    for (std::size_t s = 0; s < fade; ++s)
        x[s] = static_cast<float>(x[s] * (0.5 - 0.5 * std::cos(kPi * double(s) / fade)));
    f = measureArc(stereoOf(x, x), song);
    EXPECT_NEAR(f.seamStepDb, 40.0, 1.0);
    EXPECT_LT(f.seamClickDb, 3.0);
    // A file cut off mid-swing clicks.
    x.back() = 0.5f;
    EXPECT_GT(measureArc(stereoOf(x, x), song).seamClickDb, 10.0);
}

TEST(ArcFigures, EntryAndRiseOfTheFullSections)
{
    // An opening, then two full sections 3 and 5 dB louder, then a quiet
    // one that is not full and does not count.
    Song song;
    const long five = 5 * kSampleRate;
    song.sections = {{"opening", 0, five}, {"a", five, five, true}, {"b", 2 * five, five, true},
                     {"coda", 3 * five, five}};
    std::vector<float> x = sine(1000.0, 20.0, 0.1);
    const double steps[] = {0.0, 3.0, 5.0, -10.0};
    for (std::size_t s = 0; s < x.size(); ++s)
        x[s] = static_cast<float>(x[s] * std::pow(10.0, steps[s / five] / 20.0));
    const ArcFigures f = measureArc(stereoOf(x, x), song);
    ASSERT_EQ(f.sections.size(), 4u);
    EXPECT_NEAR(f.entryLiftLu, 3.0, 0.1);
    EXPECT_NEAR(f.fullRiseLeastLu, 2.0, 0.1);
    EXPECT_NEAR(f.fullRiseTotalLu, 2.0, 0.1);
    EXPECT_NEAR(f.sections[0].centroidHz, 1000.0, 30.0);
}

TEST(Score, BassStepsAsideForTheMelody)
{
    Writer w;
    w.melody(Part::Lead, 0, 8, 66.0, false, 1.0, 0.0);  // F#4
    w.bass(0, 2, 41.0, 43.0, 1.0);  // F under F#: the root G instead
    w.bass(2, 2, 50.0, 43.0, 1.0);  // D, a chord tone, stays
    w.bass(4, 2, 41.0, 41.0, 1.0);  // a root that rubs too: a rest
    const Song song = w.finish(16 * kRowFrames);
    ASSERT_EQ(song.part(Part::Bass).size(), 2u);
    EXPECT_EQ(song.part(Part::Bass)[0].pitches.front(), 43.0);
    EXPECT_EQ(song.part(Part::Bass)[1].pitches.front(), 50.0);
    EXPECT_TRUE(unintendedClashes(song).empty());
}

TEST(Score, ChordsWaitForTheMelodysEcho)
{
    // C5 for a beat, then a B major chord: its C (a semitone under C) waits
    // until the C's echo has passed; a chord whose every tone rubs sits out.
    Writer w;
    w.melody(Part::Lead, 0, 4, 72.0, false, 1.0, 0.0);
    w.chord(Part::Pad, 4, 8, {59.0, 63.0, 71.0}, 1.0);
    w.chord(Part::Arp, 4, 2, {59.0, 71.0}, 1.0);
    const Song song = w.finish(16 * kRowFrames);
    for (const Event& e : song.part(Part::Pad)) {
        if (e.pitches.front() == 71.0) {
            EXPECT_GE(e.start, long(kEchoRows + 4) * kRowFrames);
        }
    }
    EXPECT_TRUE(song.part(Part::Arp).empty());
    EXPECT_TRUE(unintendedClashes(song).empty());
}

TEST(Score, VoicesFarApartInLevelDoNotRub)
{
    // A bass note a minor ninth and octaves under a melody note: heard
    // against the note (and its echo) at full strength, masked when far
    // below both.
    for (const auto& [velocity, rubs] : {std::pair{1.0, true}, {0.3, true}, {0.01, false}}) {
        Song song;
        song.frames = 16 * kRowFrames;
        Event note{0, 8 * kRowFrames, {64.0}, 1.0, 0.0};
        note.tune = true;
        song.part(Part::Lead).push_back(note);
        song.part(Part::Bass).push_back({0, 8 * kRowFrames, {39.0}, velocity, 0.0});
        EXPECT_EQ(!unintendedClashes(song).empty(), rubs) << velocity;
    }
}

TEST(Kick, SubAddsThumpAndStillEndsAtZero)
{
    const std::vector<float> plain = renderSingleNote(Part::Kick, 0.0);
    const std::vector<float> heavy = renderSingleNote(Part::Kick, 1.0);
    const double gain = octaveLevelDb(powerSpectrum(heavy, 0, kSampleRate), 63.0) -
                        octaveLevelDb(powerSpectrum(plain, 0, kSampleRate), 63.0);
    EXPECT_GT(gain, 3.0);
    EXPECT_LT(tailShare(heavy), 0.01);
}

TEST(Arrangement, FourOnTheFloorKicksCarryTheSub)
{
    const Song song = arrangeSong();
    int full = 0, steady = 0;
    for (const SongSection& s : song.sections) {
        full += s.full ? 1 : 0;
        steady += s.fourOnTheFloor ? 1 : 0;
        for (const Event& k : song.part(Part::Kick)) {
            if (k.start >= s.start && k.start < s.start + s.length) {
                EXPECT_EQ(k.variant > 0.0, s.fourOnTheFloor) << s.name << " " << double(k.start) / kSampleRate;
            }
        }
    }
    EXPECT_EQ(full, 4);
    EXPECT_GE(steady, 2);
}

TEST(Mixer, BassGivesWayUnderTheKick)
{
    // Two bars of bass alone, then two with a kick on every beat.
    Writer w;
    for (int row = 0; row < 64; row += 2)
        w.add(Part::Bass, row, 2, {43.0}, 1.0);
    for (int row = 32; row < 64; row += 4)
        w.hit(Part::Kick, row, 1.0, 0.6);
    const Song song = w.finish(64 * kRowFrames);
    MixDetail mix;
    mixSong(song, &mix);
    EXPECT_LE(bassDuckDb(song, mix), -3.0);
}

TEST(Mixer, WidthRiderEvensOutALeaningStretch)
{
    // Twelve seconds of lead alone, panned left on the desk: narrowed until
    // no 10 s stretch leans more than 1.5 dB.
    Writer w;
    for (int row = 0; row < 100; row += 4)
        w.melody(Part::Lead, row, 4, 67.0 + row % 8, false, 1.0, 0.0);
    const Song song = w.finish(104 * kRowFrames);
    double at = 0.0;
    EXPECT_LE(worstLean(mixSong(song), 10.0, 1.0, at), 1.5);
}

}  // namespace
