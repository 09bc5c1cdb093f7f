// The pictures out in the snow: the venue at night, the morning after, and
// the advent candles in the window looking out on the night.
#include <cmath>

#include "common/rng.h"
#include "holly.h"
#include "palette.h"
#include "pictures.h"
#include "props.h"
#include "scenery.h"
#include "shapes.h"
#include "text.h"

namespace {
constexpr double kInkW = 1.3;
constexpr double kGround = 88;  // where the snow meets the buildings
}  // namespace

void venueBuilding(cairo_t* cr, double x, double baseY, double scale, bool lit)
{
    Rng rng(71);
    const double w = 300 * scale, wallH = 46 * scale, roofH = 30 * scale;
    const double wallTop = baseY - wallH;
    const Rgb wall = rgb(150, 56, 46);
    // Roof first: the wall's top edge covers its foot.
    cairo_move_to(cr, x - 10 * scale, wallTop + 2);
    cairo_line_to(cr, x + 34 * scale, wallTop - roofH);
    cairo_line_to(cr, x + w - 34 * scale, wallTop - roofH);
    cairo_line_to(cr, x + w + 10 * scale, wallTop + 2);
    cairo_close_path(cr);
    setColor(cr, rgb(60, 40, 44));
    fillInk(cr, pal::kInk, kInkW);
    cairo_rectangle(cr, x, wallTop, w, wallH);
    setVGradient(cr, wallTop, baseY, {{0, wall}, {1, scaled(wall, 0.55)}});
    fillInk(cr, pal::kInk, kInkW);
    // Vertical boards.
    setColor(cr, scaled(wall, 0.7));
    cairo_set_line_width(cr, 0.8);
    for (double bx = x + 6 * scale; bx < x + w; bx += 6 * scale) {
        cairo_move_to(cr, bx, wallTop + 1);
        cairo_line_to(cr, bx, baseY - 1);
    }
    cairo_stroke(cr);
    // Windows either side of the door, with gamers' heads against the glow.
    const double ww = 20 * scale, wh = 17 * scale, wy = wallTop + 10 * scale;
    const double doorX = x + w / 2 - 13 * scale;
    for (int i = 0; i < 8; ++i) {
        const double wx = x + 14 * scale + i * 35 * scale + (i >= 4 ? 26 * scale : 0);
        if (lit)
            glow(cr, wx + ww / 2, wy + wh / 2, ww * 1.5, pal::kWindow, 0.45);
        cairo_rectangle(cr, wx, wy, ww, wh);
        if (lit) {
            const Rgb screen = i % 3 == 0 ? pal::kScreen : pal::kWindow;
            setRadial(cr, wx + ww / 2, wy + wh / 2, ww, {{0, rgb(255, 244, 200)}, {1, screen}});
        } else {
            setVGradient(cr, wy, wy + wh, {{0, rgb(120, 140, 190)}, {1, rgb(50, 60, 100)}});
        }
        fillInk(cr, pal::kInk, kInkW);
        if (lit && rng.unit() < 0.7) {  // a gamer seen against the light
            cairo_save(cr);
            cairo_rectangle(cr, wx, wy, ww, wh);
            cairo_clip(cr);
            const double hx = wx + ww * rng.range(0.3, 0.7), hy = wy + wh * 0.62;
            circlePath(cr, hx, hy, 3.2 * scale);
            ellipsePath(cr, hx, wy + wh + 1, 7 * scale, 5 * scale);
            setColor(cr, rgb(70, 40, 50), 0.85);
            cairo_fill(cr);
            cairo_restore(cr);
        }
        fillRect(cr, wx - 1, wy + wh, ww + 2, 2.5 * scale, pal::kSnow);  // snow on the sill
    }
    // Door with a lamp, and the sign above it.
    if (lit)
        glow(cr, doorX + 13 * scale, baseY - 10 * scale, 40 * scale, pal::kWindow, 0.4);
    cairo_rectangle(cr, doorX, baseY - 28 * scale, 26 * scale, 28 * scale);
    setColor(cr, lit ? rgb(255, 214, 130) : rgb(70, 50, 40));
    fillInk(cr, pal::kInk, kInkW);
    fillRect(cr, doorX + 12.5 * scale, baseY - 28 * scale, 1, 28 * scale, pal::kInk);
    roundedRectPath(cr, doorX - 16 * scale, wallTop + 3 * scale, 58 * scale, 11 * scale, 2);
    setColor(cr, pal::kInk);
    fillInk(cr, pal::kGold, 1);
    useFont(cr, Face::SansBold, 9 * scale);
    outlinedText(cr, "LAN PARTY", doorX + 13 * scale, wallTop + 11.5 * scale,
                 lit ? pal::kGoldLight : scaled(pal::kGold, 0.7), pal::kInk, 1.5);
    // Thick snow on the roof.
    cairo_move_to(cr, x - 12 * scale, wallTop + 2);
    cairo_curve_to(cr, x + 10 * scale, wallTop - roofH * 0.6, x + 30 * scale,
                   wallTop - roofH - 5 * scale, x + 40 * scale, wallTop - roofH - 5 * scale);
    cairo_line_to(cr, x + w - 40 * scale, wallTop - roofH - 5 * scale);
    cairo_curve_to(cr, x + w - 30 * scale, wallTop - roofH - 5 * scale, x + w - 10 * scale,
                   wallTop - roofH * 0.6, x + w + 12 * scale, wallTop + 2);
    cairo_curve_to(cr, x + w * 0.7, wallTop - 3 * scale, x + w * 0.3, wallTop + 4 * scale,
                   x - 12 * scale, wallTop + 2);
    cairo_close_path(cr);
    setVGradient(cr, wallTop - roofH, wallTop, {{0, pal::kSnow}, {1, pal::kSnowShade}});
    fillInk(cr, pal::kSnowDeep, 1);
    if (lit)
        fairyLights(cr, rng, x - 8 * scale, x + w + 8 * scale, wallTop + 3, 6 * scale, 26);
}

void sceneVenue(cairo_t* cr)
{
    Rng rng(101);
    nightSky(cr, rng, kPicW, 100, 110);
    moon(cr, 585, 34, 13);
    snowHills(cr, rng, kPicW, 66, 10, kPicH, 0.5);
    for (int i = 0; i < 20; ++i)
        firTree(cr, rng.range(10, 630), 72 + rng.range(0, 6), rng.range(14, 24),
                mix(pal::kGreenDark, pal::kNight, 0.4), pal::kInk, true);
    snowHills(cr, rng, kPicW, kGround, 3, kPicH, 0.0);
    venueBuilding(cr, 170, kGround, 1.0, true);
    // Lamplight on the snow in front of the windows.
    cairo_save(cr);
    cairo_scale(cr, 1, 0.25);
    glow(cr, 320, (kGround + 8) * 4, 170, pal::kWindow, 0.3);
    cairo_restore(cr);
    firTree(cr, 70, kGround + 4, 62, pal::kGreen, pal::kInk, true);
    firTree(cr, 120, kGround + 2, 44, pal::kGreen, pal::kInk, true);
    firTree(cr, 540, kGround + 4, 56, pal::kGreen, pal::kInk, true);
    snowman(cr, 500, kGround + 6, 34);
    // Footprints to the door.
    for (int i = 0; i < 9; ++i) {
        const double t = i / 8.0;
        ellipsePath(cr, 320 + (i % 2 ? 3 : -3) - t * 60, kGround + 4 + t * 24, 2.2, 1.2);
        setColor(cr, pal::kSnowDeep, 0.7);
        cairo_fill(cr);
    }
}

void sceneDawn(cairo_t* cr)
{
    Rng rng(1220);
    constexpr double kHorizon = 72;
    cairo_rectangle(cr, 0, 0, kPicW, kPicH);
    setVGradient(cr, 0, kHorizon,
                 {{0, rgb(40, 58, 130)},
                  {0.45, rgb(150, 110, 170)},
                  {0.8, rgb(250, 150, 120)},
                  {1, rgb(255, 214, 150)}});
    cairo_fill(cr);
    starField(cr, rng, 0, 0, kPicW, 22, 25);
    glow(cr, 470, kHorizon, 120, rgb(255, 230, 160), 0.7);
    circlePath(cr, 470, kHorizon, 16);
    setColor(cr, rgb(255, 244, 200));
    cairo_fill(cr);
    // Far hills blushing pink, near snow in blue morning shade.
    snowHills(cr, rng, kPicW, kHorizon, 6, kPicH, 0.1);
    cairo_rectangle(cr, 0, kHorizon - 10, kPicW, 40);
    setVGradient(
        cr, kHorizon - 10, kHorizon + 30,
        {{0, rgb(255, 170, 160), 0}, {0.4, rgb(255, 170, 160), 0.35}, {1, rgb(255, 170, 160), 0}});
    cairo_fill(cr);
    for (int i = 0; i < 14; ++i)
        firTree(cr, rng.range(260, 630), kHorizon + 4 + rng.range(0, 4), rng.range(10, 20),
                mix(pal::kGreenDark, rgb(90, 60, 90), 0.5), pal::kInk, true);
    snowHills(cr, rng, kPicW, kGround + 4, 4, kPicH, 0.0);
    venueBuilding(cr, 30, kGround + 2, 0.62, false);
    smoke(cr, 120, 46, 30);
    // A long trail of footprints towards the sunrise, and the night's cans.
    for (int i = 0; i < 16; ++i) {
        const double t = i / 15.0;
        ellipsePath(cr, 150 + t * 290 + (i % 2 ? 2 : -2), kGround + 18 - t * 14, 2.4 - t,
                    1.2 - t * 0.5);
        setColor(cr, pal::kSnowDeep, 0.7);
        cairo_fill(cr);
    }
    const Rgb cans[] = {pal::kRed, rgb(40, 150, 70), rgb(40, 90, 200)};
    for (int i = 0; i < 3; ++i) {
        cairo_save(cr);
        cairo_translate(cr, 250 + i * 26, kGround + 12 + (i % 2) * 4);
        cairo_rotate(cr, 1.2 + i * 0.5);
        sodaCan(cr, -4, 4, 11, cans[i]);
        cairo_restore(cr);
    }
    snowman(cr, 590, kGround + 10, 40);
}

void sceneCandles(cairo_t* cr)
{
    Rng rng(1124);
    constexpr double kSill = 82;
    // The room wall, warm in candlelight, and a window onto the night.
    cairo_rectangle(cr, 0, 0, kPicW, kPicH);
    setVGradient(cr, 0, kPicH, {{0, rgb(70, 36, 30)}, {1, rgb(30, 14, 16)}});
    cairo_fill(cr);
    const double wx = 120, wy = 12, ww = 400, wh = kSill - wy;
    cairo_save(cr);
    cairo_rectangle(cr, wx, wy, ww, wh);
    cairo_clip(cr);
    cairo_translate(cr, wx, wy);
    nightSky(cr, rng, ww, wh, 50);
    moon(cr, 330, 22, 10);
    snowHills(cr, rng, ww, wh - 18, 6, wh, 0.45);
    for (int i = 0; i < 12; ++i)
        firTree(cr, rng.range(0, ww), wh - 14 + rng.range(0, 6), rng.range(14, 26),
                mix(pal::kGreenDark, pal::kNight, 0.5), pal::kInk, true);
    for (int i = 0; i < 40; ++i) {
        circlePath(cr, rng.range(0, ww), rng.range(0, wh), rng.range(0.8, 1.8));
        setColor(cr, pal::kSnow, 0.85);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // Window frame and cross bars, painted white.
    setColor(cr, rgb(236, 230, 218));
    cairo_set_line_width(cr, 6);
    cairo_rectangle(cr, wx, wy, ww, wh);
    cairo_move_to(cr, wx + ww / 2, wy);
    cairo_line_to(cr, wx + ww / 2, wy + wh);
    cairo_move_to(cr, wx, wy + wh * 0.45);
    cairo_line_to(cr, wx + ww, wy + wh * 0.45);
    cairo_stroke(cr);
    // The sill, and on it a birch log with four burning candles.
    cairo_rectangle(cr, wx - 20, kSill, ww + 40, 8);
    setVGradient(cr, kSill, kSill + 8, {{0, rgb(250, 246, 236)}, {1, rgb(170, 160, 150)}});
    fillInk(cr, pal::kInk, kInkW);
    roundedRectPath(cr, 210, kSill - 14, 220, 14, 7);
    setVGradient(cr, kSill - 14, kSill, {{0, rgb(250, 248, 240)}, {1, rgb(190, 186, 176)}});
    fillInk(cr, pal::kInk, kInkW);
    for (int i = 0; i < 14; ++i)  // birch bark marks
        fillRect(cr, 216 + i * 15 + rng.range(0, 6), kSill - 12 + rng.range(0, 8), rng.range(4, 8),
                 1.5, pal::kInk, 0.8);
    const double heights[] = {44, 38, 32, 26};  // burnt down one week each
    for (int i = 0; i < 4; ++i)
        candle(cr, 250 + i * 48, kSill - 12, 11, heights[i], rgb(200, 20, 40));
    for (int i = 0; i < 5; ++i)
        holly(cr, 222 + i * 48, kSill - 11, 0.7);
    // Candlelight warms the whole picture.
    glow(cr, 320, 40, 260, rgb(255, 190, 100), 0.18);
}
