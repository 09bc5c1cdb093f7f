#include "tunes.h"

namespace {
constexpr int kCommonTime = 16;
constexpr int kWaltzTime = 12;
}  // namespace

// James Lord Pierpont, 1857. G major. The C leaning on the B of the G chord
// ("sleigh" in the chorus) is the tune's own appoggiatura.
const Tune kJingleBellsVerse = {
    "Jingle Bells, verse",
    "D4:4 B4:4 A4:4 G4:4 | D4:12 D4:2 D4:2 | D4:4 B4:4 A4:4 G4:4 | E4:16 |"
    "E4:4 C5:4 B4:4 A4:4 | F#4:16 | D5:4 D5:4 C5:4 A4:4 | B4:16 |"
    "D4:4 B4:4 A4:4 G4:4 | D4:16 | D4:4 B4:4 A4:4 G4:4 | E4:12 E4:4 |"
    "E4:4 C5:4 B4:4 A4:4 | D5:4 D5:4 D5:4 D5:4 | E5:4 D5:4 C5:4 A4:4 | G4:8 D5:8",
    "G:48 C:16 Am:16 D:16 D7:16 G:16 G:48 C:16 Am:16 D:16 D7:16 G:8 D7:8",
    kCommonTime,
};

const Tune kJingleBellsChorus = {
    "Jingle Bells, chorus",
    "B4:4 B4:4 B4:8 | B4:4 B4:4 B4:8 | B4:4 D5:4 G4:6 A4:2 | B4:16 |"
    "C5:4 C5:4 C5:6 C5:2 | C5*:4 B4:4 B4:4 B4:2 B4:2 | B4:4 A4:4 A4:4 B4:4 | A4:8 D5:8 |"
    "B4:4 B4:4 B4:8 | B4:4 B4:4 B4:8 | B4:4 D5:4 G4:6 A4:2 | B4:16 |"
    "C5:4 C5:4 C5:6 C5:2 | C5*:4 B4:4 B4:4 B4:2 B4:2 | D5:4 D5:4 C5:4 A4:4 | G4:16",
    "G:64 C:16 G:16 A7:16 D7:16 G:64 C:16 G:16 D7:16 G:16",
    kCommonTime,
};

// English traditional, 18th century. E minor, with a pickup. The closing
// bar is ours: a run down and up the dominant of the next carol's key.
const Tune kGodRestYou = {
    "God Rest You Merry, Gentlemen",
    "E4:4 | E4:4 B4:4 B4:4 A4:4 | G4:4 F#4:4 E4:4 D4:4 | E4:4 F#4:4 G4:4 A4:4 | B4:12 E4:4 |"
    "E4:4 B4:4 B4:4 A4:4 | G4:4 F#4:4 E4:4 D4:4 | E4:4 F#4:4 G4:4 A4:4 | B4:12 B4:4 |"
    "C5:4 A4:4 B4:4 C5:4 | D5:4 E5:4 B4:4 A4:4 | G4:4 E4:4 F#4:4 G4:4 | A4:8 G4:4 A4:4 |"
    "B4:8 C5:4 B4:4 | B4:4 A4:4 G4:4 F#4:4 | E4:8 G4:2 F#4:2 E4:4 | A4:8 G4:4 A4:4 |"
    "B4:4 C5:4 D5:4 E5:4 | B4:4 A4:4 G4:4 F#4:4 | E4:16 |"
    "D5:2 C5:2 A4:2 F#4:2 D4:2 F#4:2 A4:2 C5:2",
    "Em:16 C:8 B7:8 Em:8 D:8 B7:16 Em:16 C:8 B7:8 Em:8 D:8 B7:16 "
    "Am:16 G:8 D:8 Em:16 Am:8 D:8 G:16 Em:8 B7:8 Em:16 Am:8 D:8 "
    "G:8 C:8 Em:8 B7:8 Em:16 D7:16",
    kCommonTime,
};

// Welsh traditional ("Nos Galan"). G major.
const Tune kDeckTheHalls = {
    "Deck the Halls",
    "D5:6 C5:2 B4:4 A4:4 | G4:4 A4:4 B4:4 G4:4 | A4:2 B4:2 C5:2 A4:2 B4:6 A4:2 | G4:4 F#4:4 G4:8 |"
    "D5:6 C5:2 B4:4 A4:4 | G4:4 A4:4 B4:4 G4:4 | A4:2 B4:2 C5:2 A4:2 B4:6 A4:2 | G4:4 F#4:4 G4:8 |"
    "A4:6 B4:2 C5:4 A4:4 | B4:6 C5:2 D5:4 A4:4 | B4:2 C#5:2 D5:4 E5:2 F#5:2 G5:4 | F#5:4 E5:4 D5:8 |"
    "D5:6 C5:2 B4:4 A4:4 | G4:4 A4:4 B4:4 G4:4 | E5:2 E5:2 E5:2 E5:2 D5:6 C5:2 | B4:4 A4:4 G4:8",
    "G:16 C:8 G:8 D7:8 G:8 G:4 D7:4 G:8 G:16 C:8 G:8 D7:8 G:8 G:4 D7:4 G:8 "
    "Am:8 D7:8 G:8 D:8 Bm:8 A7:8 D:4 A7:4 D:8 G:16 C:8 G:8 C:8 D7:8 G:4 D7:4 G:8",
    kCommonTime,
};

// English West Country traditional. G major, 3/4, with a pickup.
const Tune kWeWishYou = {
    "We Wish You a Merry Christmas",
    "D4:4 | G4:4 G4:2 A4:2 G4:2 F#4:2 | E4:4 E4:4 E4:4 | A4:4 A4:2 B4:2 A4:2 G4:2 | F#4:4 D4:4 D4:4 |"
    "B4:4 B4:2 C5:2 B4:2 A4:2 | G4:4 E4:4 D4:2 D4:2 | E4:4 A4:4 F#4:4 | G4:8 D4:4 |"
    "G4:4 G4:4 G4:4 | F#4:8 F#4:4 | G4:4 F#4:4 E4:4 | D4:8 A4:4 |"
    "B4:4 A4:2 A4:2 G4:2 G4:2 | D5:4 D4:4 D4:2 D4:2 | E4:4 A4:4 F#4:4 | G4:12",
    "G:12 C:12 A7:12 D:12 B7:12 Em:12 C:4 D7:8 G:12 "
    "G:12 D:12 A7:12 D:12 G:12 Em:12 C:4 D7:8 G:12",
    kWaltzTime,
};
