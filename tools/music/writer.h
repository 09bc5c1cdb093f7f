// Writes the score row by row, as a tracker musician fills a pattern. It
// remembers the melody it has been given, so the chords and the bass
// written after it can keep out of its way: a tone a semitone (or a minor
// ninth) from a melody note is left out while that note sounds or echoes,
// unless the note is a written appoggiatura, which is meant to rub.
#pragma once

#include "grooves.h"
#include "song.h"

#include <string>
#include <vector>

class Writer {
public:
    Event& add(Part part, int row, int rows, std::vector<double> pitches, double velocity, double variant = 0.0);
    void hit(Part part, int row, double velocity, double variant = 0.0) { add(part, row, 1, {}, velocity, variant); }
    // Every hit of a one-bar pattern, velocities scaled by `gain`.
    void pattern(Part part, int barRow, const std::string& hits, double gain = 1.0, double variant = 0.0);
    // A bar of kick, snare and hats, remembered for the drum figures; `sub`
    // is how much low sine the kick carries.
    void drums(int barRow, const Drums& d, bool fill, double gain = 1.0, double sub = 0.0);
    void section(const std::string& name, int row, int rows, bool full = false, bool fourOnTheFloor = false);

    // A note of the tune itself, on whichever part carries it.
    Event& melody(Part part, int row, int rows, double pitch, bool appoggiatura, double velocity, double variant);
    // A chord on the arpeggio (struck as one event) or the pad (each tone
    // held on its own, so a tone can drop out under one melody note and
    // come back after it).
    void chord(Part part, int row, int rows, const std::vector<double>& pitches, double velocity,
               double variant = 0.0);

    // A bass step: `pitch` unless it would rub a melody note over it, then
    // the chord's `root`, and a rest if even that rubs.
    void bass(int row, int rows, double pitch, double root, double velocity);

    Song finish(long frames);

private:
    struct Note {
        int row, rows;
        double pitch;
    };
    // Whether a melody note rubs `tone` for more than `longest` rows of
    // [row, row + rows).
    bool rubs(double tone, int row, int rows, int longest) const;

    Song song_;
    std::vector<Note> melody_;  // appoggiaturas left out: they may rub
};
