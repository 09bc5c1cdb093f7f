// A check of the score itself: two voices a semitone (or a minor ninth, or
// a semitone and octaves) apart, sounding together long enough to be heard
// as a rub, and near enough in level for the softer not to be masked. The
// voices are the melody, the chord arpeggio, each of the pad's held tones,
// the bass, and the echo of each of them. A rub is meant when it involves
// a melody note the score marks as an appoggiatura.
#pragma once

#include "dsp.h"
#include "song.h"

#include <vector>

// A rub shorter than this (100 ms) passes unheard.
constexpr long kShortestRub = kSampleRate / 10;

// Voices further apart in level than this: the softer is masked.
constexpr double kMaskedDb = 15.0;

struct Clash {
    long start;          // where the two notes first sound together
    long overlap;        // how long they do, in samples
    double melody;       // MIDI notes: the louder voice's...
    double chordTone;    // ...and the softer's
    bool appoggiatura;   // named in the score as deliberate
    Part first, second;  // whose notes they are
    bool echo;           // the softer is an echo of a note
};

std::vector<Clash> findClashes(const Song& song);

// Those not named as appoggiaturas: the ones that count against the score.
std::vector<Clash> unintendedClashes(const Song& song);

// "lead", "arp", ...
const char* partName(Part part);
