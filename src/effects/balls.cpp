// The bouncing balls. On the way down a ball is drawn large and in front of
// everything; on the way up it is half size and cut away wherever it overlaps
// the middle band, so it seems to pass behind the scene. All balls share one
// scratch surface: its width and height are rewritten per ball instead of
// allocating a surface of each size.
#include "effects/balls.h"

#include <sge.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "animation.h"
#include "extra.h"
#include "globals.h"

AmigaBall amigaball[kAmigaBallSlots];
SDL_Surface* tmp_rotate;

namespace {

constexpr int kBallsSetUp = 5;  // the fifth is set up but never drawn
constexpr int kBallsDrawn = 4;
constexpr int kDrawsPerBall = 6;
constexpr int kStartRowDraw = 3;  // the fourth draw seeds the first prevY
constexpr int kStartRowRange = 250;
constexpr int kXPhaseSpacing = 60;
constexpr int kYPhaseSpacing = 25;

constexpr int kBallSide = 100;  // the pictures' size, the scratch's room
constexpr Uint16 kPivot = 50;   // centre of a ball picture

constexpr double kXSpeed = -0.015;  // radians per phase unit
constexpr double kYSpeed = -0.04;
constexpr double kXSwing = 280.0;
constexpr double kYSwing = 160.0;
constexpr int kXMiddle = 270;
constexpr int kYMiddle = 210;

constexpr double kScaleAtMiddle = 1.5;
constexpr double kShrinkRows = 180.0;  // rows off the middle per unit of zoom lost
constexpr float kRisingScale = 0.5f;
constexpr float kFullScale = 1.0f;


// The installed SGE's texture mapper drops the picture, wholly or in half,
// when its edges come within a degree of upright at a quarter turn (90 and
// 270 degrees and their neighbours, 181 and 359 at some sizes). There the
// library's plain renderer, which differs only in edge pixels, takes over.
Uint8 rendererFor(int angle)
{
    const int offQuarter = ((angle % 90) + 90) % 90;
    return (offQuarter <= 1 || offQuarter >= 89) ? 0 : SGE_TTMAP;
}

// An empty surface in `like`'s pixel format (palette included).
SDL_Surface* createLike(const SDL_Surface* like, int w, int h)
{
    const SDL_PixelFormat* f = like->format;
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, f->BitsPerPixel, f->Rmask,
                                          f->Gmask, f->Bmask, f->Amask);
    if (s && f->palette && s->format->palette)
        SDL_SetColors(s, f->palette->colors, 0, f->palette->ncolors);
    return s;
}

// The whole size x size square. Not drawImg: behind SDL 1.2's interface the
// blit takes the surface's allocated size, not its rewritten width and height.
void blitSquare(int x, int y, int size)
{
    drawImg2(screen, tmp_rotate, x, y, size, size, 0, 0);
}

}  // namespace

void initBallScratch()
{
    SDL_Surface* picture = ball.frames[ball.curFrame];
    if (tmp_rotate)
        SDL_FreeSurface(tmp_rotate);
    tmp_rotate = nullptr;
    if (!picture)
        return;  // no ball to draw: drawAmigaBalls only moves them
    SDL_Surface* s = sge_transform_surface(picture, 0, 0.0f, 1.0f, 1.0f, SGE_TTMAP);
    // Every ball is drawn into up to 100 x 100 pixels of this surface, so a
    // picture smaller than that must not decide its storage.
    if (!s || s->w < kBallSide || s->h < kBallSide) {
        const int w = std::max(s ? s->w : picture->w, kBallSide);
        const int h = std::max(s ? s->h : picture->h, kBallSide);
        if (s)
            SDL_FreeSurface(s);
        s = createLike(picture, w, h);
    }
    if (!s)
        return;
    s->w = kBallSide;
    s->h = kBallSide;
    tmp_rotate = s;
}

void setupAmigaBalls()
{
    for (int i = 0; i < kBallsSetUp; i++) {
        // Only one draw is kept, but all six advance the generator the snow
        // draws from next.
        int draws[kDrawsPerBall];
        for (int& r : draws)
            r = std::rand();
        AmigaBall& b = amigaball[i];
        b.y = draws[kStartRowDraw] % kStartRowRange;
        b.angle = 0;
        b.rising = false;
        b.xPhase = i * kXPhaseSpacing;
        b.yPhase = i * kYPhaseSpacing;
    }
}

float ballScale(int d, bool rising)
{
    float scale = static_cast<float>(kScaleAtMiddle - std::abs(d) / kShrinkRows);
    if (rising)
        scale = kRisingScale;
    if (scale > kFullScale)
        scale = kFullScale;
    return scale;
}

int ballSize(float scale)
{
    // The float scale times 100 in double: 0.7f gives 69, not 70.
    return static_cast<int>(scale * static_cast<double>(kBallSide));
}

void renderBall(SDL_Surface* picture, float scale, int angle, int size)
{
    tmp_rotate->w = size;
    tmp_rotate->h = size;
    // The clear and the transform stay within the clip rectangle; this keeps
    // them inside the square (and the storage) whatever the zoom.
    SDL_Rect square{0, 0, static_cast<Uint16>(size), static_cast<Uint16>(size)};
    SDL_SetClipRect(tmp_rotate, &square);
    sge_ClearSurface(tmp_rotate, SDL_MapRGB(screen->format, 0, 0, 0));
    const Uint16 centre = static_cast<Uint16>(size / 2);
    sge_transform(picture, tmp_rotate, static_cast<float>(angle), scale, scale, kPivot, kPivot,
                  centre, centre, rendererFor(angle));
}

void blitBall(int x, int y, bool rising, int size)
{
    if (!rising) {
        blitSquare(x, y, size);
        return;
    }
    if (y + size > kPanelTop) {
        // Only what reaches the bottom panel. Below the panel's top the source
        // row is negative and the blit moves the whole square down to y.
        drawImg2(screen, tmp_rotate, x, kPanelTop, size, y + size - kPanelTop, 0, kPanelTop - y);
    } else if (y + size > kBandTop && y < kBandTop) {
        drawImg2(screen, tmp_rotate, x, y, size, kBandTop - y, 0, 0);  // above the band
    } else if (y >= 1 && y < kBandTop) {
        blitSquare(x, y, size);
    }
    // Otherwise the square lies wholly within the band: hidden.
}

void drawAmigaBalls()
{
    animate(&ball);
    SDL_Surface* picture = ball.frames[ball.curFrame];
    // Ball 0 last, so it ends on top.
    for (int i = kBallsDrawn - 1; i >= 0; i--) {
        AmigaBall& b = amigaball[i];
        // Whole units only: frames under 10 ms leave the balls in place.
        b.xPhase = static_cast<int>(b.xPhase + dt);
        b.yPhase = static_cast<int>(b.yPhase + dt);
        b.prevY = b.y;
        const int d = toInt(static_cast<float>(std::sin(b.yPhase * kYSpeed) * kYSwing));
        b.x = toInt(static_cast<float>(std::sin(b.xPhase * kXSpeed) * kXSwing)) + kXMiddle;
        b.angle++;
        b.y = d + kYMiddle;
        if (b.y != b.prevY)
            b.rising = b.prevY > b.y;
        b.scale = ballScale(d, b.rising);
        const int size = ballSize(b.scale);
        if (!picture || !tmp_rotate)
            continue;
        renderBall(picture, b.scale, b.angle, size);
        blitBall(b.x, b.y, b.rising, size);
    }
}
