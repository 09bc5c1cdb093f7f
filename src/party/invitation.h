// The invitation as an organiser writes it, compiled to the text the
// typewriter types: pages split by '#', lines by '<', the end marked by '@',
// pauses made of spaces, every character a font code (see letters.h).
//
// Readable format (UTF-8): one paragraph per page, one text line per line,
// blank lines between pages, lines starting with '#' are comments. Pauses
// follow from the text: a word gap at each line end, and a hold at the page
// end that grows with the page. Marks in braces:
//   {pause N}  at a line's end: N typing positions of pause after it (for
//              the page's last line: the hold before the page turns)
//   {centre}   at a line's start: centred in the bubble ({center} too)
//   {blank}    a line of its own: an empty line
//   {{         the letter '{'
// Raw format: a first line "{raw}", then the typewriter's own text, with
// line ends in the file left out.
#pragma once

#include <string>
#include <vector>

#include "party/problem.h"

// Cells of a line inside the speech bubble, lines a page holds.
constexpr int kBubbleCells = 32;
constexpr int kBubbleLines = 4;

// The text before the first page: it keeps the bubble empty for a moment
// once the main scene starts.
constexpr int kLeadInSpaces = 11;
// Default pauses: one word gap at a line end; at a page end, a base hold
// and one more position for every eight the page takes to type.
constexpr int kLineEndGap = 1;
constexpr int kHoldBase = 10;
constexpr int kHoldPositionsPerStep = 8;
// Longer pauses are typos: a thousand positions are about a minute.
constexpr int kMaxPause = 1000;

constexpr char kPageMark = '#';
constexpr char kLineMark = '<';
constexpr char kEndMark = '@';

struct CompiledInvitation {
    std::string raw;                  // the typewriter's text, no terminating mark past '@'
    std::vector<SourcePlace> places;  // where in the file each byte of `raw` comes from
};

// Compiles an invitation file's contents; what cannot be compiled is added to
// `problems` under the name `file`.
CompiledInvitation compileInvitation(const std::string& text, const std::string& file,
                                     Problems& problems);
