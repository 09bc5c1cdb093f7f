// Tests of the music generator itself: the notation, the arrangement's
// timing and the renderer's determinism and click-free edges. The finished
// file is checked against its figures in tests/music_test.cpp.
#include "arrange.h"
#include "dsp.h"
#include "instruments.h"
#include "mixer.h"
#include "notation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>

TEST(Notation, PitchesAndPickups)
{
    EXPECT_EQ(parsePitch("C4"), 60);
    EXPECT_EQ(parsePitch("F#4"), 66);
    EXPECT_EQ(parsePitch("Bb3"), 58);
    EXPECT_EQ(parsePitch("B#3"), 60);

    const Melody m = parseMelody("D4:4 | G4:8 r:4 A4:4 | B4:16", 16);
    ASSERT_EQ(m.notes.size(), 4u);
    EXPECT_EQ(m.notes[0].row, -4);  // the pickup comes before the first bar
    EXPECT_EQ(m.notes[1].row, 0);
    EXPECT_EQ(m.notes[2].row, 12);  // after the rest
    EXPECT_EQ(m.notes[3].row, 16);
    EXPECT_EQ(m.rows, 32);
}

TEST(Notation, RejectsWhatDoesNotAddUp)
{
    EXPECT_THROW(parseMelody("G4:8 | A4:4 A4:4 A4:4", 16), std::runtime_error);  // short bar after the first
    EXPECT_THROW(parseMelody("G4:16 | H4:16", 16), std::runtime_error);
    EXPECT_THROW(parseMelody("G4:0 G4:16", 16), std::runtime_error);
    EXPECT_THROW(parseChords("G:16 Gsus9:16"), std::runtime_error);

    const std::vector<ChordSpan> chords = parseChords("G:12 Am:4 D7:16");
    ASSERT_EQ(chords.size(), 3u);
    EXPECT_EQ(chords[1].row, 12);
    EXPECT_EQ(chords[1].root, 9);
    EXPECT_EQ(chords[1].tones, (std::vector<int>{0, 3, 7}));
    EXPECT_EQ(chords[2].tones.size(), 4u);
}

TEST(Arrangement, FitsTheShow)
{
    const Song song = arrangeSong();
    const double seconds = double(song.frames) / kSampleRate;
    EXPECT_GE(seconds, 120.0);
    EXPECT_LE(seconds, 180.0);

    // The band breaks in with a crash as the opening scene ends (18.5 s),
    // and nothing plays past the end of the piece.
    const std::vector<Event>& crashes = song.part(Part::Crash);
    ASSERT_FALSE(crashes.empty());
    EXPECT_NEAR(double(crashes.front().start) / kSampleRate, 18.5, 0.1);
    for (const auto& events : song.parts)
        for (const Event& e : events)
            EXPECT_LE(e.start + e.length, song.frames);
}

TEST(Mixer, SameSongSameSamplesAndSilentEdges)
{
    Song song;
    song.frames = 2 * kSampleRate;
    for (int i = 0; i < 6; ++i)
        song.part(Part::Lead).push_back({i * 8000L, 8000L, {67.0 + i}, 1.0, 0.25});
    song.part(Part::Kick).push_back({0, 1000, {}, 1.0, 0.0});
    song.part(Part::Bells).push_back({22050, 1000, {}, 1.0, 0.0});

    const std::vector<std::int16_t> a = mixSong(song);
    const std::vector<std::int16_t> b = mixSong(song);
    ASSERT_EQ(a.size(), std::size_t(2 * song.frames));
    EXPECT_EQ(a, b);
    // Fades at both ends: the loop's seam starts and ends on silence.
    EXPECT_EQ(a[0], 0);
    EXPECT_EQ(a[1], 0);
    EXPECT_EQ(a[a.size() - 2], 0);
    EXPECT_EQ(a.back(), 0);
}

double rms(const std::vector<float>& x, long from, long to)
{
    double sum = 0.0;
    for (long s = from; s < to; ++s)
        sum += double(x[s]) * x[s];
    return std::sqrt(sum / double(to - from));
}

TEST(Lead, CutOffNoteHandsOverItsLevel)
{
    // A note cut off by the next one (a pickup over a held note) hands over
    // its level: restarting the envelope from zero would dip and click.
    const long note = kSampleRate / 3;
    const long window = kSampleRate / 200;
    std::vector<float> out(3 * note);
    renderLead({{0, 2 * note, {67.0}, 1.0, 0.25}, {note, note, {67.0}, 1.0, 0.25}}, out);
    const double before = rms(out, note - window, note);
    const double after = rms(out, note, note + window);
    EXPECT_GT(before, 0.1);
    EXPECT_GT(after, 0.8 * before);
    EXPECT_LT(after, 1.5 * before);
}

TEST(Lead, RepeatedNotesAreArticulated)
{
    // Two back-to-back notes of one pitch: the first lets go before the
    // second starts, so the level falls near silence between them.
    const long note = kSampleRate / 4;
    const long window = kSampleRate / 500;
    std::vector<float> out(3 * note);
    renderLead({{0, note, {71.0}, 1.0, 0.25}, {note, note, {71.0}, 1.0, 0.25}}, out);
    EXPECT_LT(rms(out, note - window, note), 0.1 * rms(out, note / 2 - window, note / 2));
}
