// The text notation the tunes are written in, and its parser.
//
// A melody is a list of "pitch:rows" tokens, rows being sixteenth notes:
// "B4:4" is a quarter-note B above middle C, "F#4:2" an eighth, "r:8" a half
// rest. "|" marks a bar line; every bar must fill the tune's bar length
// exactly, except a shorter first one, which is a pickup played before the
// tune's first bar. Chords are "name:rows" tokens such as "G:16", "Am:8",
// "D7:8" (major, m, 7, m7). A note marked with a star, "F#4*:4", is a
// deliberate appoggiatura: it may lean on the chord tone a semitone away.
#pragma once

#include <string>
#include <vector>

struct NoteSpan {
    int row;  // from the tune's first full bar; a pickup starts below 0
    int rows;
    int midi;
    bool appoggiatura = false;
};

struct ChordSpan {
    int row;
    int rows;
    int root;  // pitch class, 0 = C
    std::vector<int> tones;  // semitones above the root, root included
};

struct Melody {
    std::vector<NoteSpan> notes;  // rests left out
    int rows;                     // length of the full bars, pickup not counted
};

// Both throw std::runtime_error naming the faulty token or bar.
Melody parseMelody(const std::string& text, int rowsPerBar);
std::vector<ChordSpan> parseChords(const std::string& text);

// "C4" = 60, "F#4" = 66, "Bb3" = 58.
int parsePitch(const std::string& name);
