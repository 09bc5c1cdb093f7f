// Drum, bell and bass patterns, one bar each, written the way a tracker
// pattern reads: one character per sixteenth-note row. 'X' is an accented
// hit, 'x' a normal one, 'o' an open hi-hat, '.' nothing.
#pragma once

#include <string>
#include <vector>

struct Drums {
    std::string kick, snare, hat;
};

struct Groove {
    int rowsPerBar;
    Drums beat;
    // Played in place of the beat every fourth bar, so the phrase is heard
    // turning.
    Drums fill;
    std::string bells;
    // Bass: semitones above the chord's root, one per step of bassStepRows.
    std::vector<int> bass;
    int bassStepRows;
    int arpStepRows;  // how often the arpeggio is struck anew
};

// Jingle Bells verse: a light half-time kick under eighth hats, the sleigh
// bells saved for the chorus.
extern const Groove kVerseGroove;
// Jingle Bells chorus: four on the floor, offbeat hats, sleigh bells on
// every sixteenth.
extern const Groove kSleighGroove;
// Busier sixteenth hats and a syncopated kick for the minor carol, dark,
// without bells.
extern const Groove kDriveGroove;
// Deck the Halls: a skipping kick and a shuffled hat.
extern const Groove kSkipGroove;
// 3/4 oom-pah-pah.
extern const Groove kWaltzGroove;
// Deck the Halls driven harder: the kick on every beat with a skip before
// the third, the shuffled hat kept, the sleigh bells back in sixteenths.
extern const Groove kDeckGroove;
// The finale's waltz: a kick on every beat, the snare on two and three,
// hats and sleigh bells in sixteenths.
extern const Groove kFinaleGroove;

// The last bar of a section: the snare rolls into the next one.
Drums rollInto(int rowsPerBar);

// Whether the groove's kick falls on every beat.
bool fourOnTheFloor(const Groove& g);

// Velocity of a pattern character, 0 for a rest.
double hitVelocity(char c);
