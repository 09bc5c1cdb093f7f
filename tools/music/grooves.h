// Drum, bell and bass patterns, one bar each, written the way a tracker
// pattern reads: one character per sixteenth-note row. 'X' is an accented
// hit, 'x' a normal one, 'o' an open hi-hat, '.' nothing.
#pragma once

#include <string>
#include <vector>

struct Groove {
    int rowsPerBar;
    std::string kick, snare, hat, bells;
    // Bass: semitones above the chord's root, one per step of bassStepRows.
    std::vector<int> bass;
    int bassStepRows;
    int arpStepRows;  // how often the arpeggio is struck anew
};

// 4/4 straight eighths: the Jingle Bells and Deck the Halls drive.
extern const Groove kBeatGroove;
// The same with sleigh bells on every sixteenth, for the big chorus.
extern const Groove kSleighGroove;
// Busier sixteenth hats and a syncopated kick for the minor carol.
extern const Groove kDriveGroove;
// 3/4 oom-pah-pah.
extern const Groove kWaltzGroove;

// Last-bar snare fill leading into the next section (4/4 only).
extern const std::string kFillSnare;

// Velocity of a pattern character, 0 for a rest.
double hitVelocity(char c);
