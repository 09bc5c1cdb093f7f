// The bottom layer of the main scene: columns of one letter each that bob
// together and lean sideways like swinging ropes, the lower rows further out.
#include "effects/bgtext.h"

#include <cmath>

#include "assets.h"
#include "extra.h"
#include "globals.h"
#include "party/font_code.h"
#include "party/letters.h"
#include "show_party.h"

const char bgtext[] = "FROSTHEMLANFROSTHEMLANFROSTHEMLAN FROSTHEM LAN";
int bgtextx[kBgTextSlots];
int bgtextx2[kBgTextSlots];

namespace {

// The font output, with the accented letters past '~' drawn through their
// own view of the font (sge_BF_textout reads its text as signed chars).
SDL_Rect letterOut(SDL_Surface* dst, sge_bmpFont* f, char* text, Sint16 x, Sint16 y)
{
    const unsigned char code = static_cast<unsigned char>(text[0]);
    if (code < kFirstExtraCode)
        return sge_BF_textout(dst, f, text, x, y);
    drawFontCode(dst, f, code, x, y);
    return SDL_Rect{x, y, 0, 0};
}

}  // namespace

BgTextOut bgTextOut = letterOut;

namespace {

constexpr int kColumns = 25;
constexpr int kRows = 8;
constexpr int kStartSpacing = 2;  // phase units between neighbouring columns

constexpr double kBobSpeed = 1.1;   // vertical phase units per 10 ms
constexpr double kSwaySpeed = 1.5;  // sideways phase units per 10 ms
constexpr double kBobToRadians = 0.1;
constexpr double kSwayToRadians = 0.01;

constexpr int kColumnSpacing = 35;
constexpr int kFirstColumnX = -90;
constexpr int kRowSpacing = 40;
constexpr int kFirstRowY = 80;
constexpr double kBobHeight = 20.0;
constexpr double kSwayAtTop = 40.0;
constexpr int kSwayPerRow = 10;

// Truncation toward zero, not rounding; the text call takes 16-bit positions.
Sint16 textCoord(double v)
{
    return static_cast<Sint16>(v);
}

}  // namespace

BgLetterPos bgLetterPos(int column, int row)
{
    const double bob = std::sin(kBobToRadians * bgtextx[column]);
    const double sway = std::sin(kSwayToRadians * bgtextx2[column]);
    const double y = kBobHeight * bob + (kRowSpacing * row + kFirstRowY);
    const double x = sway * (kSwayPerRow * row) +
                     (kSwayAtTop * sway + kFirstColumnX + kColumnSpacing * column);
    return {textCoord(x), textCoord(y)};
}

void initBgText()
{
    for (int i = 0; i < kBgTextSlots; i++) {
        bgtextx[i] = kStartSpacing * i;
        bgtextx2[i] = kStartSpacing * i;
    }
}

void drawBgText()
{
    const char* letters = showParty.background.empty() ? bgtext : showParty.background.c_str();
    for (int i = 0; i < kColumns; i++) {
        // Whole units, the same for every column, so the columns keep their
        // spacing; the phases move before the column is drawn.
        bgtextx[i] += toInt(static_cast<float>(dt * kBobSpeed));
        bgtextx2[i] += toInt(static_cast<float>(dt * kSwaySpeed));
        // The line feed goes along to the font routine, which draws nothing
        // for it.
        char text[] = {letters[i], '\n', '\0'};
        for (int r = 0; r < kRows; r++) {
            const BgLetterPos p = bgLetterPos(i, r);
            bgTextOut(screen, font_intro, text, p.x, p.y);
        }
    }
}
