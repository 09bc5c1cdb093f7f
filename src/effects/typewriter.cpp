#include "effects/typewriter.h"

#include <cstdlib>

#include "assets.h"
#include "clock.h"
#include "globals.h"
#include "party/font_code.h"
#include "party/letters.h"

// Each run of spaces is a pause: before a '<' it holds the line, at the end
// of a page it keeps the finished page up. The character before a '#' is
// never shown, the one before '@' is.
const char intromessage[kIntroMessageLength + 1] =
    "           "  // lead-in
    "#HEY THERE!                   "
    "#YES, YOU! LISTEN TO AN <"
    "OLD GNOME FOR A MINUTE.            "
    "#ONCE I RAN THE BIGGEST LAN <"
    "PARTIES ABOVE THE ARCTIC CIRCLE.          "
    "#HUNDREDS OF NERDS CAME.     <"
    "ON SKIS. <"
    "WITH CRT SCREENS.                "
    "#BUT THE YEARS WENT BY...     <"
    "NOBODY COMES TO PLAY <"
    "WITH ME ANY MORE.              "
    "#MAYBE IT WAS MY RULE:     <"
    "NO PIZZA AFTER MIDNIGHT.               "
    "#NOW I PLAY QUAKE WITH BOTS.     <"
    "THEY LET ME WIN. OUT OF PITY.                 "
    "#I EVEN SENT INVITATIONS ON <"
    "FLOPPY DISKS.           <"
    "NOBODY CAME.              "
    "#KIDS ASKED: WHAT'S A FLOPPY?         "
    "#SO THIS YEAR I ASKED THE <"
    "YOUNG ONES. THEY HAVE A PARTY!              "
    "#I CAN COME IF I BRING THE <"
    "GINGERBREAD. SO WELCOME TO...                         "
    "#<"
    "          FROSTHEM LAN<"
    "     CHRISTMAS 2005 EDITION                "
    "#THERE WILL BE COMPETITIONS:   <"
    "QUAKE, WORMS, DEMO AND MUSIC, <"
    "AND THE GREAT GINGERBREAD <"
    "EATING CONTEST!                     "
    "#THE RULES? <"
    "NO HANDS.              "
    "#MY RECORD IS FORTY-TWO.       <"
    "THEN I FAINTED.               "
    "#THERE IS A SAUNA!  <"
    "AND A ROLL IN THE SNOW AFTER.             "
    "#COLD DRINKS, HOT GLOGG AND <"
    "COFFEE TO WAKE A BEAR.              "
    "#AND ME, WITH MY STORIES. <"
    "ALL NIGHT LONG.         "
    "#IT ALL HAPPENS FROM THE 17TH <"
    "TO THE 19TH OF DECEMBER.                "
    "#BRING YOUR COMPUTER AND A <"
    "SLEEPING BAG.                   "
    "#AND IF YOU <"
    "STAY HOME...          "
    "#YOUR STOCKING GETS COAL.      <"
    "AND LUTEFISK.               "
    "#I KNOW WHERE YOU LIVE.   <"
    "I WORK FOR SANTA. I HAVE A LIST.                 "
    "#AND YOUR MOUSE BALL WILL <"
    "MYSTERIOUSLY DISAPPEAR.        "
    "#YOU'VE BEEN WARNED!       "
    "#CODE:     FROSTHEM CREW      <"
    "GRAPHICS: FROSTHEM CREW     <"
    "MUSIC:    FROSTHEM CREW              "
    "#GNOME VOICE: ME. NOBODY <"
    "ELSE WANTED THE JOB.                "
    "#SEE YOU THERE! I'M THE ONE <"
    "IN THE RED HAT.            "
    "#          FROSTHEM LAN  <"
    "         CHRISTMAS 2005  <"
    "         17-19 DECEMBER  <"
    "      FROSTHEM.EXAMPLE.ORG                      @";

const char* currentsection = intromessage;
int msgpos = 0;
int printer_finished = 0;
Uint32 lastprint = 0;

namespace {

constexpr char kPageBreak = '#';
constexpr char kLineBreak = '<';
constexpr char kEndMark = '@';

// Every character takes one cell of this grid, whatever its glyph's width.
constexpr int kCellWidth = 10;
constexpr int kLineHeight = 20;

// Pause before the next position: a fresh random 20..89 ms on every call, so
// the typing stutters like a hand on the keys.
constexpr Uint32 kPaceMinMs = 20;
constexpr int kPaceSpreadMs = 70;

// The accented letters past '~' go through their own view of the font:
// sge_BF_textout reads its text as signed chars.
void fontGlyph(char* glyph, Sint16 x, Sint16 y)
{
    const unsigned char code = static_cast<unsigned char>(glyph[0]);
    if (code < kFirstExtraCode)
        sge_BF_textout(screen, font, glyph, x, y);
    else
        drawFontCode(screen, font, code, x, y);
}

}  // namespace

GlyphOut typewriterGlyphOut = fontGlyph;

void printMsg(int x, int y)
{
    // Looking one position ahead keeps '#' and '@' out of the walk below, and
    // turns the page before the old page's last (blank) position is shown.
    const char next = currentsection[msgpos + 1];
    if (next == kEndMark)
        printer_finished = 1;
    if (next == kPageBreak) {
        currentsection += msgpos + 2;
        msgpos = 0;
    }

    char glyph[2] = {0, 0};
    int lineOffset = 0;
    int lineY = y;
    for (int i = 0; i <= msgpos; i++) {
        if (currentsection[i] == kLineBreak) {
            lineY += kLineHeight;
            lineOffset = kCellWidth * i + kCellWidth;
            continue;
        }
        glyph[0] = currentsection[i];
        typewriterGlyphOut(glyph, static_cast<Sint16>(x + kCellWidth * i - lineOffset),
                           static_cast<Sint16>(lineY));
    }

    // One random number per call, even after the end, so the draws that
    // follow in the shared sequence stay where they are.
    const Uint32 now = getTicks();
    const Uint32 threshold = static_cast<Uint32>(std::rand() % kPaceSpreadMs) + kPaceMinMs;
    if (now - lastprint > threshold) {
        if (!printer_finished)
            msgpos++;
        lastprint = getTicks();
    }
}

void useMessage(const char* text)
{
    currentsection = text;
}

void resetTypewriter()
{
    currentsection = intromessage;
    msgpos = 0;
    printer_finished = 0;
    lastprint = 0;
    typewriterGlyphOut = fontGlyph;
}
