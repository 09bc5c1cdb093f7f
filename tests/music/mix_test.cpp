// Tests of what keeps the mix clean: envelopes that end at zero, a score
// free of sour notes, and a limiter that takes no more than it must.
#include "arrange.h"
#include "dsp.h"
#include "harmony.h"
#include "instruments.h"
#include "limiter.h"
#include "writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(Envelopes, EveryVoiceEndsAtZero)
{
    for (std::size_t p = 0; p < kPartCount; ++p) {
        const Part part = static_cast<Part>(p);
        const int variants = part == Part::Lead ? kLeadTimbres : 1;
        for (int v = 0; v < variants; ++v)
            EXPECT_LT(tailShare(renderSingleNote(part, v)), 0.01) << "part " << p << " variant " << v;
    }
}

TEST(Envelopes, ACutTailIsSeen)
{
    // A decaying sine stopped while still at a third of its peak, the way
    // the kick used to end.
    std::vector<float> cut(4410);
    for (std::size_t s = 0; s < cut.size(); ++s)
        cut[s] = static_cast<float>(std::exp(-double(s) / 4000.0) * std::cos(kTwoPi * 50.0 * s / kSampleRate));
    EXPECT_GT(tailShare(cut), 0.3);

    // A ringing chord decays on its own and still closes at zero.
    std::vector<float> out(6 * kSampleRate);
    Event chord{0, 4 * kSampleRate, {55.0, 59.0, 62.0}, 1.0, 0.0};
    chord.ring = 1.0;
    renderPad({chord}, out);
    EXPECT_LT(tailShare(out), 0.01);
}

Song padUnder(double melody, int rows, bool appoggiatura)
{
    Song song;
    song.frames = 32 * kRowFrames;
    song.part(Part::Pad).push_back({0, 16 * kRowFrames, {59.0, 63.0, 66.0}, 1.0, 0.0});  // B major
    Event note{4 * kRowFrames, rows * kRowFrames, {melody}, 1.0, 0.0};
    note.tune = true;
    note.appoggiatura = appoggiatura;
    song.part(Part::Lead).push_back(note);
    return song;
}

TEST(Harmony, SemitonesAndMinorNinthsAgainstTheChordAreFound)
{
    EXPECT_EQ(unintendedClashes(padUnder(62.0, 4, false)).size(), 1u);  // D against D#
    EXPECT_EQ(unintendedClashes(padUnder(76.0, 4, false)).size(), 1u);  // E5, a minor ninth over D#4
    EXPECT_EQ(unintendedClashes(padUnder(62.0, 1, false)).size(), 1u);  // a sixteenth, 116 ms, is heard
    EXPECT_TRUE(unintendedClashes(padUnder(62.0, 4, true)).empty());    // written as an appoggiatura
    EXPECT_EQ(findClashes(padUnder(62.0, 4, true)).size(), 1u);
    EXPECT_TRUE(unintendedClashes(padUnder(71.0, 4, false)).empty());   // B, a chord tone
}

TEST(Harmony, ChordsMakeRoomForTheMelody)
{
    Writer w;
    w.melody(Part::Lead, 4, 4, 62.0, false, 1.0, 0.0);
    w.chord(Part::Pad, 0, 16, {59.0, 63.0, 66.0}, 1.0);
    w.chord(Part::Arp, 4, 2, {71.0, 75.0, 78.0}, 1.0);
    const Song song = w.finish(32 * kRowFrames);
    EXPECT_TRUE(unintendedClashes(song).empty());
    // The D# drops out under the D and comes back after it.
    int sharps = 0;
    for (const Event& e : song.part(Part::Pad))
        sharps += e.pitches.front() == 63.0 ? 1 : 0;
    EXPECT_EQ(sharps, 2);
    EXPECT_EQ(song.part(Part::Arp).front().pitches, (std::vector<double>{71.0, 78.0}));
}

TEST(Harmony, TheArrangementHasNoSourNotes)
{
    for (const Clash& c : unintendedClashes(arrangeSong()))
        ADD_FAILURE() << c.melody << " against " << c.chordTone << " at " << double(c.start) / kSampleRate << " s";
}

TEST(Limiter, TakesOnlyWhatAKickTrainNeeds)
{
    // Kicks peaking at 1.0 every half second into a ceiling 1 dB lower:
    // the gain must dip about 1 dB at each and be back in between.
    const double ceiling = std::pow(10.0, -1.0 / 20.0);
    std::vector<float> left(3 * kSampleRate), right;
    for (std::size_t s = 0; s < left.size(); ++s) {
        const double t = double(s % (kSampleRate / 2)) / kSampleRate;
        left[s] = static_cast<float>(std::exp(-t / 0.05) * std::sin(kTwoPi * 60.0 * t + kPi / 2.0));
    }
    right = left;
    const std::vector<float> gain = limiterGain(left, right, {ceiling, 0.005, 0.08});
    ASSERT_EQ(gain.size(), left.size());
    float least = 1.0f;
    for (std::size_t s = 0; s < left.size(); ++s) {
        EXPECT_LE(std::fabs(left[s] * gain[s]), ceiling + 1e-6) << s;
        least = std::min(least, gain[s]);
    }
    EXPECT_GE(-20.0 * std::log10(least), 0.9);
    EXPECT_LE(-20.0 * std::log10(least), 1.1);
    // Recovered before the next kick's look-ahead begins.
    EXPECT_GT(gain[kSampleRate / 2 - kSampleRate / 50], 0.99f);
    // Quiet material passes untouched.
    const std::vector<float> quiet(1000, 0.5f);
    for (float g : limiterGain(quiet, quiet, {ceiling, 0.005, 0.08}))
        EXPECT_EQ(g, 1.0f);
}

TEST(Arrangement, FillsBreakdownsAndAnEndThatRollsRound)
{
    const Song song = arrangeSong();
    // A fill at least every eighth bar of drums.
    int sinceFill = 0;
    for (const DrumBar& bar : song.drumBars) {
        sinceFill = bar.fill ? 0 : sinceFill + 1;
        EXPECT_LT(sinceFill, 8) << double(bar.start) / kSampleRate;
    }
    // Breakdowns: no kick until their last bar, which rolls into the band.
    int breakdowns = 0;
    for (const SongSection& s : song.sections) {
        if (s.name.find("breakdown") == std::string::npos)
            continue;
        ++breakdowns;
        const long quietUntil = s.start + s.length - 16 * kRowFrames;
        for (const Event& k : song.part(Part::Kick))
            EXPECT_FALSE(k.start >= s.start && k.start < quietUntil) << s.name;
    }
    EXPECT_GE(breakdowns, 1);
    // The last bar: the home chord, G, held to the very end (its B waits
    // for the melody's last C to pass) under a drum fill whose snare plays
    // on into the last sixteenth, the pickup into the first bar.
    const DrumBar& last = song.drumBars.back();
    EXPECT_TRUE(last.fill);
    EXPECT_EQ(last.start + last.length, song.frames);
    std::vector<long> home;
    for (const Event& pad : song.part(Part::Pad))
        if (pad.start >= last.start) {
            EXPECT_EQ(pad.start + pad.length, song.frames);
            home.push_back(std::lround(pad.pitches.front()) % 12);
        }
    std::sort(home.begin(), home.end());
    home.erase(std::unique(home.begin(), home.end()), home.end());
    EXPECT_EQ(home, (std::vector<long>{2, 7, 11}));
    EXPECT_EQ(song.part(Part::Snare).back().start, song.frames - kRowFrames);
}

}  // namespace
