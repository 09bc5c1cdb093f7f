#include "arrange.h"

#include "grooves.h"
#include "notation.h"
#include "tunes.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

constexpr int kSemitones = 12;
// Lowest root of each register: the arpeggio sparkles in E5..D#6 above the
// melody, the pad sits in G3..F#4 below it, the bass in E2..D#3.
constexpr int kArpLow = 76;
constexpr int kLeadLow = 64;
constexpr int kPadLow = 55;
constexpr int kBassLow = 40;

// Pulse widths: the thin 12.5 % one for the music-box opening, the minor
// carol and the arpeggio, 25 % for the other carols, the hollow square for
// the closing chord.
constexpr double kThinPulse = 0.125;
constexpr double kQuarterPulse = 0.25;
constexpr double kSquare = 0.5;

// The opening: eight bars of the Jingle Bells chorus played softly over a
// growing band, then two bars of dominant with a snare roll and a riser.
constexpr int kIntroBars = 10;
constexpr int kIntroThemeBars = 8;
constexpr int kBar = 16;
constexpr int kHatsFromBar = 4;
constexpr int kFullHatsFromBar = 6;
constexpr int kKickFromBar = 6;
constexpr int kRollFromBar = 8;
// Over the roll the lead climbs the dominant seventh twice, the second time
// on up to the top, and leaves the downbeat to the band.
const char* const kIntroClimb =
    "D4:2 F#4:2 A4:2 C5:2 D5:2 C5:2 A4:2 F#4:2 | D4:2 F#4:2 A4:2 C5:2 D5:2 F#5:2 A5:2 C6:2";

// The close: the home chord for two 3/4 bars and half a bar more, fading.
constexpr int kEndingRows = 30;

struct Section {
    const Tune* tune;
    int transpose;
    const Groove* groove;
    double leadDuty;
};

const Section kSections[] = {
    {&kJingleBellsVerse, 0, &kBeatGroove, kQuarterPulse},
    {&kJingleBellsChorus, 0, &kSleighGroove, kQuarterPulse},
    {&kGodRestYou, 0, &kDriveGroove, kThinPulse},
    {&kDeckTheHalls, 0, &kBeatGroove, kQuarterPulse},
    {&kWeWishYou, 2, &kWaltzGroove, kQuarterPulse},
};

int wrapUp(int pitchClass, int low)
{
    return low + ((pitchClass - low) % kSemitones + kSemitones) % kSemitones;
}

std::vector<double> voicing(const ChordSpan& chord, int transpose, int low)
{
    const int root = wrapUp(chord.root + transpose, low);
    std::vector<double> pitches;
    for (int tone : chord.tones)
        pitches.push_back(root + tone);
    return pitches;
}

int bassRoot(const ChordSpan& chord, int transpose) { return wrapUp(chord.root + transpose, kBassLow); }

// The chord sounding at `row` (rows relative to the tune).
const ChordSpan& chordAt(const std::vector<ChordSpan>& chords, int row)
{
    for (const ChordSpan& c : chords)
        if (row >= c.row && row < c.row + c.rows)
            return c;
    return chords.back();
}

class Writer {
public:
    void add(Part part, int row, int rows, std::vector<double> pitches, double velocity, double variant = 0.0)
    {
        song_.part(part).push_back({row * kRowFrames, rows * kRowFrames, std::move(pitches), velocity, variant});
    }
    void hit(Part part, int row, double velocity, double variant = 0.0) { add(part, row, 1, {}, velocity, variant); }

    // Every hit of a one-bar pattern, velocities scaled by `gain`.
    void pattern(Part part, int barRow, const std::string& hits, double gain = 1.0)
    {
        for (std::size_t r = 0; r < hits.size(); ++r)
            if (const double v = hitVelocity(hits[r]); v > 0.0)
                hit(part, barRow + static_cast<int>(r), v * gain, hits[r] == 'o' ? 1.0 : 0.0);
    }

    Song finish(int rows)
    {
        song_.frames = rows * kRowFrames;
        for (auto& events : song_.parts)
            std::stable_sort(events.begin(), events.end(),
                             [](const Event& a, const Event& b) { return a.start < b.start; });
        return std::move(song_);
    }

private:
    Song song_;
};

Melody melodyOf(const Tune& tune)
{
    try {
        return parseMelody(tune.melody, tune.rowsPerBar);
    } catch (const std::runtime_error& e) {
        throw std::runtime_error(std::string(tune.name) + ": " + e.what());
    }
}

void checkFits(const Tune& tune, const Melody& melody, const std::vector<ChordSpan>& chords)
{
    const int chordRows = chords.empty() ? 0 : chords.back().row + chords.back().rows;
    if (chordRows != melody.rows || melody.rows % tune.rowsPerBar != 0)
        throw std::runtime_error(std::string(tune.name) + ": chords cover " + std::to_string(chordRows) +
                                 " rows, melody " + std::to_string(melody.rows));
}

void writeLead(Writer& w, int start, const Melody& melody, int transpose, double duty, int untilRow, double velocity)
{
    for (const NoteSpan& n : melody.notes)
        if (n.row < untilRow)
            w.add(Part::Lead, start + n.row, n.rows, {double(n.midi + transpose)}, velocity, duty);
}

void writeSection(Writer& w, int start, const Section& s)
{
    const Tune& tune = *s.tune;
    const Groove& g = *s.groove;
    const Melody melody = melodyOf(tune);
    const std::vector<ChordSpan> chords = parseChords(tune.chords);
    checkFits(tune, melody, chords);

    writeLead(w, start, melody, s.transpose, s.leadDuty, melody.rows, 1.0);
    w.hit(Part::Crash, start, 1.0);

    for (int row = 0; row < melody.rows; row += g.arpStepRows) {
        const bool onBeat = row % (2 * g.arpStepRows) == 0;
        w.add(Part::Arp, start + row, g.arpStepRows, voicing(chordAt(chords, row), s.transpose, kArpLow),
              onBeat ? 1.0 : 0.75, kThinPulse);
    }
    for (const ChordSpan& c : chords)
        w.add(Part::Pad, start + c.row, c.rows, voicing(c, s.transpose, kPadLow), 1.0);
    for (int row = 0; row < melody.rows; row += g.bassStepRows) {
        const int step = (row % g.rowsPerBar) / g.bassStepRows;
        const int pitch = bassRoot(chordAt(chords, row), s.transpose) + g.bass[step % g.bass.size()];
        w.add(Part::Bass, start + row, g.bassStepRows, {double(pitch)}, step % 2 == 0 ? 1.0 : 0.8);
    }

    const int bars = melody.rows / g.rowsPerBar;
    for (int bar = 0; bar < bars; ++bar) {
        const int barRow = start + bar * g.rowsPerBar;
        const bool fill = bar == bars - 1 && g.rowsPerBar == kBar;
        w.pattern(Part::Kick, barRow, g.kick);
        w.pattern(Part::Snare, barRow, fill ? kFillSnare : g.snare);
        w.pattern(Part::Hat, barRow, fill ? g.hat.substr(0, kBar / 2) : g.hat);
        w.pattern(Part::Bells, barRow, g.bells);
    }
}

// Melody, arpeggio and pad play at full strength from the first bar, so the
// scope has plenty to draw; the build-up is in the rhythm (bells, then hats,
// then the kick, then the snare roll and the riser), and the band breaking
// in at bar 11 still lands as an event.
int writeIntro(Writer& w)
{
    const Tune& tune = kJingleBellsChorus;
    const Melody melody = melodyOf(tune);
    std::vector<ChordSpan> chords = parseChords(tune.chords);
    const int themeRows = kIntroThemeBars * kBar;
    const int rows = kIntroBars * kBar;
    const ChordSpan dominant = chordAt(chords, themeRows - 1);

    writeLead(w, 0, melody, 0, kThinPulse, themeRows, 1.0);
    const Melody climb = parseMelody(kIntroClimb, kBar);
    writeLead(w, kRollFromBar * kBar, climb, 0, kQuarterPulse, climb.rows, 0.8);
    for (int row = 0; row < rows; row += 2) {
        const double rise = double(row) / rows;
        const ChordSpan& chord = row < themeRows ? chordAt(chords, row) : dominant;
        const int bar = row / kBar;
        w.add(Part::Arp, row, 2, voicing(chord, 0, kArpLow), 0.85 + 0.15 * rise, kThinPulse);
        if (row % kBar == 0)
            w.add(Part::Pad, row, kBar, voicing(chord, 0, kPadLow), 1.0);
        if (row % kBar == 0 && bar < kRollFromBar)
            w.add(Part::Bass, row, kBar, {double(bassRoot(chord, 0))}, 0.8);
        if (bar >= kRollFromBar)
            w.add(Part::Bass, row, 2, {double(bassRoot(chord, 0) + (row % 4 ? kSemitones : 0))}, 0.7 + 0.3 * rise);
    }
    for (int bar = 0; bar < kIntroBars; ++bar) {
        const int barRow = bar * kBar;
        const double rise = double(bar + 1) / kIntroBars;
        w.pattern(Part::Bells, barRow, bar < kHatsFromBar ? "X...x...X...x..." : "X.x.x.x.X.x.x.x.", 0.5 + 0.5 * rise);
        if (bar >= kHatsFromBar)
            w.pattern(Part::Hat, barRow, bar < kFullHatsFromBar ? "..x...x...x...x." : "x.x.x.x.x.x.x.x.", rise);
        if (bar >= kKickFromBar)
            w.pattern(Part::Kick, barRow, "X...x...X...x...", rise);
    }
    const int rollRows = rows - kRollFromBar * kBar;
    for (int r = 0; r < rollRows; ++r) {
        const bool sixteenths = r >= kBar;
        if (sixteenths || r % 2 == 0)
            w.hit(Part::Snare, kRollFromBar * kBar + r, 0.25 + 0.75 * r / rollRows);
    }
    w.add(Part::Riser, kRollFromBar * kBar, rollRows, {}, 1.0);
    return rows;
}

int writeEnding(Writer& w, int start, int transpose)
{
    const ChordSpan home{0, kEndingRows, 7, {0, 4, 7}};
    const int held = kEndingRows;
    w.hit(Part::Crash, start, 1.0);
    w.hit(Part::Kick, start, 1.0);
    // Held into the fade at the very end, so the loop closes on the chord.
    w.add(Part::Lead, start, held, {double(wrapUp(home.root + transpose, kLeadLow))}, 1.0, kSquare);
    w.add(Part::Arp, start, held, voicing(home, transpose, kArpLow), 1.0, kSquare);
    w.add(Part::Pad, start, held, voicing(home, transpose, kPadLow), 1.0);
    w.add(Part::Bass, start, held, {double(bassRoot(home, transpose))}, 1.0);
    for (int r = 0; r < held / 2; r += 2)
        w.hit(Part::Bells, start + r, 1.0 - double(r) / held);
    return held;
}

}  // namespace

Song arrangeSong()
{
    Writer w;
    int row = writeIntro(w);
    int transpose = 0;
    for (const Section& s : kSections) {
        writeSection(w, row, s);
        row += melodyOf(*s.tune).rows;
        transpose = s.transpose;
    }
    row += writeEnding(w, row, transpose);
    return w.finish(row);
}
