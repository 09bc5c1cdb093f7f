// The rendered score: what each instrument plays, in samples, before any
// sound is made. The arranger writes it, the instruments read it.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// One sixteenth-note row of the tracker grid. 160 rows (ten 4/4 bars) make
// 18.5 s, so the full band breaks in just as the opening scene hands over
// to the main scene. About 130 beats a minute.
constexpr long kRowFrames = 5100;

enum class Part { Lead, Arp, Pad, Bass, Kick, Snare, Hat, Bells, Crash, Riser };
constexpr std::size_t kPartCount = 10;

struct Event {
    long start;   // first sample
    long length;  // samples held before the release
    std::vector<double> pitches;  // MIDI note numbers; empty for drums
    double velocity;              // 0..1
    double variant;               // per instrument: pulse duty, lead timbre, hat openness, ring time
    // The melody itself rather than an accompaniment (the lead, or the
    // arpeggio when it carries the tune), and whether a clash with the chord
    // under it is a deliberate appoggiatura written into the score.
    bool tune = false;
    bool appoggiatura = false;
    // Seconds: a tonal note that rings out from its onset, decaying freely
    // instead of holding, as the final chord does. 0 = held as usual.
    double ring = 0.0;
};

// The lead's sounds (Event::variant of a lead note), one per carol so each
// has its own colour.
enum class LeadTimbre { MusicBox, Verse, Chorus, Minor, Deck, Waltz, Bell };
constexpr int kLeadTimbres = 7;

// A stretch of the piece, for the figures that compare one with the next.
struct SongSection {
    std::string name;
    long start;
    long length;
    bool full = false;            // the whole band plays, drums and all
    bool fourOnTheFloor = false;  // a kick on every beat
};

// One bar of the drum track: where it lies and whether it is a fill.
struct DrumBar {
    long start;
    long length;
    bool fill;
};

struct Song {
    std::array<std::vector<Event>, kPartCount> parts;
    long frames = 0;  // length of the piece, tails included
    std::vector<SongSection> sections;
    std::vector<DrumBar> drumBars;

    std::vector<Event>& part(Part p) { return parts[static_cast<std::size_t>(p)]; }
    const std::vector<Event>& part(Part p) const { return parts[static_cast<std::size_t>(p)]; }
};
