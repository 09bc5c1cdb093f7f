// The traditional carols the tune is arranged from, as written in our
// notation (notation.h): melody and chords, in their plain keys. All four
// are public-domain folk and carol melodies, written down from memory.
#pragma once

struct Tune {
    const char* name;
    const char* melody;
    const char* chords;
    int rowsPerBar;  // 16 for 4/4, 12 for 3/4
};

extern const Tune kJingleBellsVerse;
extern const Tune kJingleBellsChorus;
extern const Tune kGodRestYou;
extern const Tune kDeckTheHalls;
extern const Tune kWeWishYou;
