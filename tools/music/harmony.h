// A check of the score itself: melody notes that rub a semitone (or a minor
// ninth) against a chord tone held under them. Heard as sour unless the
// rub is short or written as an appoggiatura.
#pragma once

#include "song.h"

#include <vector>

struct Clash {
    long start;          // where the two notes first sound together
    long overlap;        // how long they do, in samples
    double melody;       // MIDI notes
    double chordTone;
    bool appoggiatura;   // named in the score as deliberate
};

// Every melody note (an event marked `tune`) against every tone of the pad
// and of the chord arpeggio sounding with it, overlaps longer than a
// sixteenth only.
std::vector<Clash> findClashes(const Song& song);

// Those not named as appoggiaturas: the ones that count against the score.
std::vector<Clash> unintendedClashes(const Song& song);
