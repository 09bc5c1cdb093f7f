// The invitation, typed page by page into the speech bubble.
// The show's own names (`printMsg`, `msgpos`, `currentsection` and the rest)
// are kept as they have always been, odd as some may look: they are the show's
// vocabulary.
#pragma once

#include <SDL.h>

// The whole message: pages separated by '#', lines by '<', ended by '@'.
constexpr int kIntroMessageLength = 1947;
extern const char intromessage[kIntroMessageLength + 1];

// Typing state; it starts at the beginning of the message and is never reset
// by the show itself.
extern const char* currentsection;  // first character of the page on screen
extern int msgpos;                  // last position of that page typed so far
extern int printer_finished;        // 1 once the end mark is reached
extern Uint32 lastprint;            // tick of the last advance

// Hands one character (as a one-character string) to the font output at a
// cell's top-left corner. Tests replace it to see what is drawn where.
using GlyphOut = void (*)(char* glyph, Sint16 x, Sint16 y);
extern GlyphOut typewriterGlyphOut;

// (x, y): screen position of the first cell of a page's first line.
void printMsg(int x, int y);

// Types `text` in place of `intromessage`, from its start: a text that keeps
// the same rules, held by the caller for the whole run.
void useMessage(const char* text);

// Back to the start of the message with the font output as the glyph drawer,
// for tests that need a fresh run in one process.
void resetTypewriter();
