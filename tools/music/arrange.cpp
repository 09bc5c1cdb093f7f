#include "arrange.h"

#include "grooves.h"
#include "notation.h"
#include "tunes.h"
#include "writer.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace {

constexpr int kSemitones = 12;
// Lowest root of each register: the arpeggio sparkles in E5..D#6 above the
// melody, the pad sits in G3..F#4 below it, the bass in E2..D#3.
constexpr int kArpLow = 76;
constexpr int kPadLow = 55;
constexpr int kBassLow = 40;

// Pulse widths of the arpeggio: the hollow square for the chords (all tone,
// no spike, so it stays loud without peaking), the brighter 25 % one when
// it carries the tune.
constexpr double kArpPulse = 0.5;
constexpr double kTunePulse = 0.25;

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

// Every fourth bar the drums play their fill.
constexpr int kFillEvery = 4;
// In a breakdown the melody moves to the arpeggio, doubled an octave up.
constexpr int kArpTuneUp = 12;
// The breakdown is the quiet stretch of the piece.
constexpr double kBreakdownArp = 0.7;
constexpr double kBreakdownPad = 0.75;
constexpr double kBreakdownBass = 0.5;
constexpr double kBreakdownBells = 0.5;

// The band breaks in stronger still for its first bars; then the verse
// goes on without the arpeggio, which the chorus brings back.
constexpr int kEntryBars = 2;
constexpr double kEntryBand = 1.2;

// The close: the last carol is in A, the piece starts in G. Two bars lead
// back down, A to D7, the dominant of G; then the home chord is struck
// under a drum pickup that rolls straight into the opening's first bar.
const char* const kTurnaroundLead = "A4:4 C#5:4 E5:4 G5:4 | F#5:4 D5:4 A4:4 C5:4";
const char* const kTurnaroundChords = "A:8 A7:8 D:8 D7:8";
constexpr int kHomeRoot = 7;  // G
constexpr int kFinalLead = 71;  // B4, where the opening's melody starts
constexpr double kHomeRingSeconds = 0.6;
// The pickup: the kick pushing ahead of the beat, the snare rolling up from half
// strength up to accents on every sixteenth of the last beat, so the roll
// lands on the restart.
const Drums kPickup = {"X.....X...X.....", "..x.x.x.xxxxXXXX", "x.x.x.x........."};
constexpr double kPickupGain = 0.8;

// The lead grows with the band, up to this.
constexpr double kLoudestLead = 1.15;

// The weight of the four-on-the-floor kick: how much sub it carries.
constexpr double kFourOnTheFloorSub = 0.6;

// The arranger's means of making each carol bigger than the last, all in
// one row of the table below.
struct Section {
    const char* name;
    const Tune* tune;
    int transpose;
    const Groove* groove;
    LeadTimbre lead;
    int breakdownBars;  // first bars: drums out, the arpeggio carries the tune
    double band;        // strength of the accompaniment; past 1 only the
                        // arpeggio, the lead and the kick's sub grow
    int leadLift;       // the lead raised by this many semitones
    int arpLift;        // the chord arpeggio raised by this many semitones
    int arpStepRows;    // 0: as the groove strikes it; kNoArp: only in the entry bars
};

constexpr int kNoArp = -1;
constexpr int kOctaveUp = kSemitones;

const Section kSections[] = {
    {"Jingle Bells, verse", &kJingleBellsVerse, 0, &kVerseGroove, LeadTimbre::Verse, 0, 1.0, 0, 0, kNoArp},
    {"Jingle Bells, chorus", &kJingleBellsChorus, 0, &kSleighGroove, LeadTimbre::Chorus, 0, 0.9, 0, kOctaveUp, 0},
    {"God Rest You Merry", &kGodRestYou, 0, &kDriveGroove, LeadTimbre::Minor, 8, 1.1, 0, 0, 1},
    {"Deck the Halls", &kDeckTheHalls, 0, &kDeckGroove, LeadTimbre::Deck, 0, 1.1, kOctaveUp, kOctaveUp, 0},
    {"We Wish You a Merry Christmas", &kWeWishYou, 2, &kFinaleGroove, LeadTimbre::Chorus, 8, 1.45, kOctaveUp, 0, 0},
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

// A bell on every beat, the first accented.
std::string quarters(int rowsPerBar)
{
    std::string hits(rowsPerBar, '.');
    for (int r = 0; r < rowsPerBar; r += 4)
        hits[r] = r == 0 ? 'X' : 'x';
    return hits;
}

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

void writeLead(Writer& w, int start, const Melody& melody, int transpose, LeadTimbre timbre, int fromRow, int untilRow,
               double velocity)
{
    for (const NoteSpan& n : melody.notes)
        if (n.row >= fromRow && n.row < untilRow) {
            w.melody(Part::Lead, start + n.row, n.rows, n.midi + transpose, n.appoggiatura, velocity, double(timbre));
        }
}

// The arpeggio playing the melody itself, in octaves, as a tracker's
// arpeggio command would.
void writeArpTune(Writer& w, int start, const Melody& melody, int transpose, int untilRow)
{
    for (const NoteSpan& n : melody.notes)
        if (n.row < untilRow) {
            const double m = n.midi + transpose + kArpTuneUp;
            w.melody(Part::Arp, start + n.row, n.rows, m, n.appoggiatura, kBreakdownArp, kTunePulse).pitches.push_back(
                m + kSemitones);
        }
}

// `entry`: the band's first section after the opening, whose first bars
// break in at full strength.
void writeSection(Writer& w, int start, const Section& s, bool entry)
{
    const Tune& tune = *s.tune;
    const Groove& g = *s.groove;
    const Melody melody = melodyOf(tune);
    const std::vector<ChordSpan> chords = parseChords(tune.chords);
    checkFits(tune, melody, chords);
    const int breakdownRows = s.breakdownBars * g.rowsPerBar;
    const auto breakdown = [&](int row) { return row < breakdownRows; };
    const int entryRows = entry ? kEntryBars * g.rowsPerBar : 0;
    const auto band = [&](int row) { return row < entryRows ? kEntryBand : s.band; };
    const bool full = s.arpStepRows != kNoArp;
    const bool steady = fourOnTheFloor(g);
    // The kick's sub grows with the band, its click and body do not.
    const auto sub = [&](int row) { return steady ? kFourOnTheFloorSub * band(row) : 0.0; };
    const int arpStep = s.arpStepRows > 0 ? s.arpStepRows : g.arpStepRows;
    // A section without the arpeggio still has it in its entry bars.
    const int arpRows = s.arpStepRows == kNoArp ? entryRows : melody.rows;

    if (breakdownRows > 0) {
        w.section(std::string(s.name) + ", breakdown", start, breakdownRows);
        w.section(s.name, start + breakdownRows, melody.rows - breakdownRows, full, steady);
        writeArpTune(w, start, melody, s.transpose, breakdownRows);
    } else {
        w.section(s.name, start, melody.rows, full, steady);
    }
    writeLead(w, start, melody, s.transpose + s.leadLift, s.lead, breakdownRows > 0 ? breakdownRows : -kBar,
              melody.rows, std::clamp(s.band, 1.0, kLoudestLead));
    w.hit(Part::Crash, start, 1.0);

    for (int row = breakdownRows; row < arpRows; row += arpStep) {
        const bool onBeat = row % (2 * arpStep) == 0;
        w.chord(Part::Arp, start + row, arpStep, voicing(chordAt(chords, row), s.transpose, kArpLow + s.arpLift),
                band(row) * (onBeat ? 1.0 : 0.75), kArpPulse);
    }
    for (const ChordSpan& c : chords)
        w.chord(Part::Pad, start + c.row, c.rows, voicing(c, s.transpose, kPadLow),
                breakdown(c.row) ? kBreakdownPad : std::min(1.0, band(c.row)));
    for (int row = 0; row < melody.rows; row += g.bassStepRows) {
        const int step = (row % g.rowsPerBar) / g.bassStepRows;
        const ChordSpan& chord = chordAt(chords, row);
        const double root = bassRoot(chord, s.transpose);
        if (row < breakdownRows) {
            if (row % g.rowsPerBar == 0)
                w.bass(start + row, g.rowsPerBar, root, root, kBreakdownBass);
            continue;
        }
        w.bass(start + row, g.bassStepRows, root + g.bass[step % g.bass.size()], root,
               std::min(1.0, band(row)) * (step % 2 == 0 ? 1.0 : 0.8));
    }

    const int bars = melody.rows / g.rowsPerBar;
    for (int bar = 0; bar < bars; ++bar) {
        const int barRow = start + bar * g.rowsPerBar;
        const double level = band(bar * g.rowsPerBar);
        // The drums keep their strength; the band grows around them.
        const double drums = std::min(1.0, level);
        const double thump = sub(bar * g.rowsPerBar);
        if (bar < s.breakdownBars) {
            w.pattern(Part::Bells, barRow, quarters(g.rowsPerBar), kBreakdownBells);
            if (bar == s.breakdownBars - 1) {
                w.drums(barRow, rollInto(g.rowsPerBar), true);
                w.add(Part::Riser, barRow, g.rowsPerBar, {}, 1.0);
            }
            continue;
        }
        if ((bar == s.breakdownBars && bar > 0) || (entryRows > 0 && bar * g.rowsPerBar == entryRows))
            w.hit(Part::Crash, barRow, 1.0);
        if (bar == bars - 1)
            w.drums(barRow, rollInto(g.rowsPerBar), true, drums, thump);
        else if ((bar + 1) % kFillEvery == 0)
            w.drums(barRow, g.fill, true, drums, thump);
        else
            w.drums(barRow, g.beat, false, drums, thump);
        w.pattern(Part::Bells, barRow, g.bells, level);
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

    w.section("opening", 0, rows);
    writeLead(w, 0, melody, 0, LeadTimbre::MusicBox, -kBar, themeRows, 1.0);
    const Melody climb = parseMelody(kIntroClimb, kBar);
    writeLead(w, kRollFromBar * kBar, climb, 0, LeadTimbre::Verse, -kBar, climb.rows, 0.8);
    for (int row = 0; row < rows; row += 2) {
        const double rise = double(row) / rows;
        const ChordSpan& chord = row < themeRows ? chordAt(chords, row) : dominant;
        const int bar = row / kBar;
        w.chord(Part::Arp, row, 2, voicing(chord, 0, kArpLow), 0.85 + 0.15 * rise, kArpPulse);
        if (row % kBar == 0)
            w.chord(Part::Pad, row, kBar, voicing(chord, 0, kPadLow), 1.0);
        if (row % kBar == 0 && bar < kRollFromBar)
            w.add(Part::Bass, row, kBar, {double(bassRoot(chord, 0))}, 0.8);
        if (bar >= kRollFromBar)
            w.add(Part::Bass, row, 2, {double(bassRoot(chord, 0) + (row % 4 ? kSemitones : 0))}, 0.5 + 0.3 * rise);
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

// Returns the length of the close in samples. It ends on the pickup into
// the opening's first bar, so the piece rolls round when the show restarts
// it.
long writeEnding(Writer& w, int start)
{
    const Melody lead = parseMelody(kTurnaroundLead, kBar);
    const std::vector<ChordSpan> chords = parseChords(kTurnaroundChords);
    w.section("turnaround and pickup", start, lead.rows + kBar);
    writeLead(w, start, lead, 0, LeadTimbre::Chorus, 0, lead.rows, 1.0);
    for (const ChordSpan& c : chords) {
        w.chord(Part::Pad, start + c.row, c.rows, voicing(c, 0, kPadLow), 1.0);
        for (int row = c.row; row < c.row + c.rows; row += 2)
            w.add(Part::Bass, start + row, 2, {double(bassRoot(c, 0) + (row % 4 ? kSemitones : 0))}, 1.0);
    }
    w.drums(start, kSleighGroove.beat, false);
    w.drums(start + kBar, kSleighGroove.beat, false);

    // The home chord, struck by the bell and held under the pickup.
    const int hit = start + lead.rows;
    const ChordSpan home{0, kBar, kHomeRoot, {0, 4, 7}};
    w.hit(Part::Crash, hit, 1.0);
    w.hit(Part::Bells, hit, 1.0);
    const auto ring = [](Event& e) { e.ring = kHomeRingSeconds; };
    ring(w.melody(Part::Lead, hit, kBar, kFinalLead, false, 1.0, double(LeadTimbre::Bell)));
    for (int row = 0; row < kBar; row += 2)
        w.chord(Part::Arp, hit + row, 2, voicing(home, 0, kArpLow), row % 4 ? 0.75 : 1.0, kArpPulse);
    w.chord(Part::Pad, hit, kBar, voicing(home, 0, kPadLow), 1.0);
    for (int row = 0; row < kBar; row += 2)
        w.add(Part::Bass, hit + row, 2, {double(bassRoot(home, 0) + (row % 4 ? kSemitones : 0))}, 1.0);
    w.drums(hit, kPickup, true, kPickupGain);
    return long(lead.rows + kBar) * kRowFrames;
}

}  // namespace

Song arrangeSong()
{
    Writer w;
    int row = writeIntro(w);
    for (const Section& s : kSections) {
        writeSection(w, row, s, &s == &kSections[0]);
        row += melodyOf(*s.tune).rows;
    }
    const long frames = long(row) * kRowFrames + writeEnding(w, row);
    return w.finish(frames);
}
