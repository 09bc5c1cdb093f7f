#include "scenery.h"

#include <cmath>

#include "common/rng.h"
#include "palette.h"
#include "shapes.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kInkWidth = 1.2;
}  // namespace

void nightSky(cairo_t* cr, Rng& rng, double w, double horizon, int stars)
{
    cairo_rectangle(cr, 0, 0, w, horizon);
    setVGradient(cr, 0, horizon,
                 {{0, pal::kNightTop}, {0.55, pal::kNight}, {1, pal::kNightHorizon}});
    cairo_fill(cr);
    // Northern lights: a few soft green-to-violet veils leaning across the sky.
    for (int band = 0; band < 3; ++band) {
        const double y0 = horizon * rng.range(0.15, 0.45);
        const double phase = rng.range(0, 2 * kPi);
        cairo_move_to(cr, 0, y0);
        for (double x = 0; x <= w; x += 8)
            cairo_line_to(cr, x, y0 + std::sin(x / 90 + phase) * horizon * 0.12);
        for (double x = w; x >= 0; x -= 8)
            cairo_line_to(cr, x, y0 + horizon * 0.22 + std::sin(x / 70 + phase) * horizon * 0.1);
        cairo_close_path(cr);
        setVGradient(
            cr, y0 - horizon * 0.1, y0 + horizon * 0.35,
            {{0, rgb(140, 80, 200), 0}, {0.4, rgb(60, 220, 150), 0.10}, {1, rgb(60, 220, 150), 0}});
        cairo_fill(cr);
    }
    starField(cr, rng, 0, 0, w, horizon * 0.9, stars);
}

void moon(cairo_t* cr, double cx, double cy, double r)
{
    glow(cr, cx, cy, r * 3.2, rgb(200, 220, 255), 0.28);
    circlePath(cr, cx, cy, r);
    setRadial(cr, cx - r * 0.35, cy - r * 0.35, r * 1.5,
              {{0, rgb(255, 252, 230)}, {0.7, rgb(240, 232, 196)}, {1, rgb(206, 196, 160)}});
    cairo_fill(cr);
    // Seas: fixed spots so the moon always has the same face.
    const double seas[][3] = {
        {-0.3, -0.2, 0.28}, {0.25, 0.1, 0.2}, {-0.05, 0.4, 0.16}, {0.35, -0.35, 0.12}};
    for (const auto& s : seas) {
        circlePath(cr, cx + s[0] * r, cy + s[1] * r, s[2] * r);
        setColor(cr, rgb(190, 180, 150), 0.55);
        cairo_fill(cr);
    }
}

void snowHills(cairo_t* cr, Rng& rng, double w, double base, double waves, double bottom,
               double tint)
{
    const double p1 = rng.range(0, 2 * kPi), p2 = rng.range(0, 2 * kPi);
    const double f1 = rng.range(0.008, 0.014), f2 = rng.range(0.02, 0.03);
    cairo_move_to(cr, -2, bottom);
    for (double x = -2; x <= w + 2; x += 4) {
        const double y = base - waves * (0.6 * std::sin(x * f1 + p1) + 0.4 * std::sin(x * f2 + p2));
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, w + 2, bottom);
    cairo_close_path(cr);
    const Rgb top = mix(pal::kSnow, pal::kSnowDeep, tint);
    const Rgb low = mix(pal::kSnowShade, pal::kNightHorizon, tint);
    setVGradient(cr, base - waves, bottom, {{0, top}, {1, low}});
    fillInk(cr, mix(pal::kSnowDeep, pal::kInk, 0.3 + tint * 0.4), 1.0);
}

void smoke(cairo_t* cr, double x, double y, double height)
{
    for (int i = 0; i < 6; ++i) {
        const double t = i / 5.0;
        const double r = 2 + t * height * 0.12;
        circlePath(cr, x + std::sin(t * 4) * height * 0.15 + t * height * 0.2, y - t * height, r);
        setColor(cr, rgb(200, 210, 235), 0.28 * (1 - t * 0.7));
        cairo_fill(cr);
    }
}

void cottage(cairo_t* cr, Rng& rng, double x, double baseY, double w, double h, Rgb wall)
{
    const double roofH = h * 0.55;
    const double wallTop = baseY - h + roofH * 0.5;
    // Chimney first, the roof covers its foot.
    const double chx = x + w * 0.68;
    fillRect(cr, chx, wallTop - roofH * 0.85, w * 0.1, roofH * 0.7, rgb(120, 60, 50));
    cairo_rectangle(cr, chx, wallTop - roofH * 0.85, w * 0.1, roofH * 0.7);
    setColor(cr, pal::kInk);
    cairo_set_line_width(cr, kInkWidth);
    cairo_stroke(cr);
    smoke(cr, chx + w * 0.05, wallTop - roofH * 0.9, h * 0.9);
    // Walls: painted boards, darker towards the ground.
    cairo_rectangle(cr, x, wallTop, w, baseY - wallTop);
    setVGradient(cr, wallTop, baseY, {{0, wall}, {1, scaled(wall, 0.6)}});
    fillInk(cr, pal::kInk, kInkWidth);
    // Windows glowing with lamplight, with crossbars.
    const int windows = w > h * 1.3 ? 2 : 1;
    for (int i = 0; i < windows; ++i) {
        const double ww = w * 0.22, wh = (baseY - wallTop) * 0.45;
        const double wx = x + w * (windows == 1 ? 0.39 : 0.14 + i * 0.5);
        const double wy = wallTop + (baseY - wallTop) * 0.22;
        glow(cr, wx + ww / 2, wy + wh / 2, ww * 1.6, pal::kWindow, 0.35);
        cairo_rectangle(cr, wx, wy, ww, wh);
        setRadial(cr, wx + ww / 2, wy + wh / 2, ww, {{0, rgb(255, 240, 180)}, {1, pal::kWindow}});
        fillInk(cr, pal::kInk, kInkWidth);
        setColor(cr, pal::kInk, 0.8);
        cairo_set_line_width(cr, 1);
        cairo_move_to(cr, wx + ww / 2, wy);
        cairo_line_to(cr, wx + ww / 2, wy + wh);
        cairo_move_to(cr, wx, wy + wh / 2);
        cairo_line_to(cr, wx + ww, wy + wh / 2);
        cairo_stroke(cr);
    }
    // Roof: a thick blanket of snow over dark eaves.
    const double over = w * 0.1;
    cairo_move_to(cr, x - over, wallTop + 2);
    cairo_line_to(cr, x + w / 2, wallTop - roofH);
    cairo_line_to(cr, x + w + over, wallTop + 2);
    cairo_close_path(cr);
    fillInk(cr, rgb(70, 40, 40), pal::kInk, kInkWidth);
    cairo_move_to(cr, x - over - 1, wallTop + 1);
    cairo_curve_to(cr, x + w * 0.1, wallTop - roofH * 0.5, x + w * 0.35, wallTop - roofH - 3,
                   x + w / 2, wallTop - roofH - 3);
    cairo_curve_to(cr, x + w * 0.65, wallTop - roofH - 3, x + w * 0.9, wallTop - roofH * 0.5,
                   x + w + over + 1, wallTop + 1);
    cairo_curve_to(cr, x + w * 0.7, wallTop - 2 + rng.range(0, 3), x + w * 0.3, wallTop + 3,
                   x - over - 1, wallTop + 1);
    cairo_close_path(cr);
    setVGradient(cr, wallTop - roofH, wallTop + 2, {{0, pal::kSnow}, {1, pal::kSnowShade}});
    fillInk(cr, pal::kSnowDeep, 1.0);
}
