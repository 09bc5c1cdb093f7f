// The picture strip. The revealed part of the current picture is drawn as it
// is; the rest of the strip repeats the first unrevealed column, so the
// picture seems to unroll from a streak.
#include "effects/pictures.h"

#include "assets.h"
#include "clock.h"
#include "extra.h"
#include "globals.h"

int currentbajs = 0;
int bajs_cur_x = 0;
Uint32 lastbajs = 0;

namespace {

constexpr int kStripY = kPanelTop;
constexpr int kRevealRows = 300;  // cut to the strip by the screen's bottom
constexpr int kStreakRows = kScreenHeight - kStripY;  // the strip's height
constexpr int kStripWidth = kScreenWidth;
constexpr float kWipeSpeed = 5.0f;  // pixels per dt unit
constexpr Uint32 kHoldMs = 10000;
constexpr int kPictures = 12;

}  // namespace

void drawBajs()
{
    SDL_Surface* picture = bajssurface[currentbajs];
    drawImg2(screen, picture, 0, kStripY, bajs_cur_x, kRevealRows, 0, 0);
    // One blit per column, up to the picture's own width.
    for (int i = bajs_cur_x; i < picture->w; i++)
        drawImg2(screen, picture, i, kStripY, 1, kStreakRows, bajs_cur_x, 0);

    bajs_cur_x += toInt(dt * kWipeSpeed);
    if (bajs_cur_x > kStripWidth)
        bajs_cur_x = kStripWidth;

    // Unsigned difference, so a wrapped tick count still times correctly.
    if (getTicks() - lastbajs > kHoldMs) {
        bajs_cur_x = 0;
        lastbajs = getTicks();
        currentbajs = (currentbajs + 1) % kPictures;
    }
}
