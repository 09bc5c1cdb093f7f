// Four spinning balls swinging around the middle band.
// The show's own names (`amigaball`, `drawAmigaBalls` and the rest) are kept
// as they have always been, odd as some may look: they are the show's
// vocabulary.
#pragma once

#include <SDL.h>

struct AmigaBall {
    int x;       // left edge of the ball's box, this frame
    int y;       // top edge of the ball's box, this frame
    int angle;   // degrees, one more every drawn frame
    float scale; // 0.5 (rising) ... 1.0
    int xPhase;  // time counter of the sideways swing
    int yPhase;  // time counter of the bounce
    int prevY;   // y of the previous frame
    // Moving up: the row grew smaller since the previous frame. When the row
    // stands still (at the turning points, or in frames under 10 ms) the
    // ball keeps the direction it had, so it does not flicker between its
    // rising and falling sizes. False at set-up: on the first frame an
    // unchanged row counts as not moving up.
    bool rising;
};

constexpr int kAmigaBallSlots = 100;

extern AmigaBall amigaball[kAmigaBallSlots];
extern SDL_Surface* tmp_rotate;  // scratch surface the balls are rotated into

// Creates the scratch surface from the ball animation's current picture.
void initBallScratch();
// Sets up the ball table; draws from rand, before the snow does.
void setupAmigaBalls();
void drawAmigaBalls();

// The steps of one ball, for the tests.
// Zoom of a ball `d` rows off the bounce's middle; a rising ball is halved.
float ballScale(int d, bool rising);
// Side of the square a ball of `scale` is drawn into.
int ballSize(float scale);
// Rotates and scales `picture` into the top-left size x size square of
// tmp_rotate, over a cleared background.
void renderBall(SDL_Surface* picture, float scale, int angle, int size);
// Blits that square to the screen at (x, y); a rising ball hides behind the
// middle band.
void blitBall(int x, int y, bool rising, int size);
