#include <cmath>

#include "common/rng.h"
#include "palette.h"
#include "props.h"
#include "shapes.h"

namespace {
const Rgb kBeige = rgb(214, 206, 180);
const Rgb kCase = rgb(60, 64, 80);
constexpr double kInkW = 1.2;
}  // namespace

void crt(cairo_t* cr, Rng& rng, double x, double y, double w, Rgb glowColour)
{
    const double h = w * 0.78;
    glow(cr, x + w / 2, y + h * 0.45, w * 1.1, glowColour, 0.22);
    // Foot, then the case, then the curved glass with its glow.
    cairo_rectangle(cr, x + w * 0.3, y + h - 1, w * 0.4, w * 0.12);
    setColor(cr, scaled(kBeige, 0.75));
    fillInk(cr, pal::kInk, kInkW);
    roundedRectPath(cr, x, y, w, h, w * 0.06);
    setVGradient(cr, y, y + h, {{0, kBeige}, {1, scaled(kBeige, 0.7)}});
    fillInk(cr, pal::kInk, kInkW);
    const double sx = x + w * 0.1, sy = y + h * 0.1, sw = w * 0.8, sh = h * 0.72;
    roundedRectPath(cr, sx, sy, sw, sh, w * 0.08);
    setRadial(cr, sx + sw / 2, sy + sh / 2, sw * 0.7,
              {{0, mix(glowColour, rgb(255, 255, 255), 0.35)},
               {0.7, glowColour},
               {1, scaled(glowColour, 0.45)}});
    fillInk(cr, pal::kInk, kInkW);
    // Something on the screen: rows of text or a little landscape of blocks.
    cairo_save(cr);
    roundedRectPath(cr, sx, sy, sw, sh, w * 0.08);
    cairo_clip(cr);
    if (rng.unit() < 0.5) {
        for (double ly = sy + sh * 0.18; ly < sy + sh * 0.85; ly += std::max(2.0, sh * 0.14)) {
            fillRect(cr, sx + sw * 0.12, ly, sw * rng.range(0.3, 0.75), std::max(1.0, sh * 0.06),
                     rgb(255, 255, 255), 0.55);
        }
    } else {
        for (double bx = sx; bx < sx + sw; bx += sw / 6) {
            const double bh = sh * rng.range(0.15, 0.45);
            fillRect(cr, bx, sy + sh - bh, sw / 6 - 0.5, bh, scaled(glowColour, 0.45), 0.9);
        }
        circlePath(cr, sx + sw * 0.7, sy + sh * 0.3, sh * 0.1);
        setColor(cr, rgb(255, 255, 220), 0.8);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    // Reflection on the glass.
    cairo_move_to(cr, sx + sw * 0.12, sy + sh * 0.3);
    cairo_curve_to(cr, sx + sw * 0.15, sy + sh * 0.12, sx + sw * 0.3, sy + sh * 0.1, sx + sw * 0.45,
                   sy + sh * 0.1);
    setColor(cr, rgb(255, 255, 255), 0.5);
    cairo_set_line_width(cr, std::max(1.0, w * 0.03));
    cairo_stroke(cr);
    circlePath(cr, x + w * 0.88, y + h * 0.91, std::max(0.8, w * 0.025));  // power light
    setColor(cr, rgb(90, 255, 120));
    cairo_fill(cr);
}

void pcTower(cairo_t* cr, double x, double baseY, double w, double h)
{
    roundedRectPath(cr, x, baseY - h, w, h, 2);
    setHGradient(cr, x, x + w, {{0, scaled(kBeige, 0.8)}, {0.3, kBeige}, {1, scaled(kBeige, 0.6)}});
    fillInk(cr, pal::kInk, kInkW);
    for (int bay = 0; bay < 2; ++bay) {
        cairo_rectangle(cr, x + w * 0.15, baseY - h + h * (0.1 + bay * 0.12), w * 0.7, h * 0.08);
        setColor(cr, scaled(kBeige, 0.85));
        fillInk(cr, scaled(pal::kInk, 2), 0.8);
    }
    circlePath(cr, x + w / 2, baseY - h * 0.35, w * 0.08);
    setColor(cr, rgb(90, 255, 120));
    cairo_fill(cr);
}

void keyboard(cairo_t* cr, double x, double y, double w)
{
    const double h = w * 0.22;
    cairo_move_to(cr, x + w * 0.04, y);
    cairo_line_to(cr, x + w * 0.96, y);
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x, y + h);
    cairo_close_path(cr);
    setColor(cr, kBeige);
    fillInk(cr, pal::kInk, kInkW);
    for (int row = 0; row < 3; ++row)
        for (double kx = x + w * 0.08; kx < x + w * 0.9; kx += w * 0.07) {
            fillRect(cr, kx + row, y + h * (0.18 + row * 0.26), w * 0.05, h * 0.18,
                     scaled(kBeige, 0.7));
        }
}

void table(cairo_t* cr, double x0, double x1, double top, double floorY, Rgb wood)
{
    const double thick = 5;
    for (double lx : {x0 + 6, x1 - 10}) {
        cairo_rectangle(cr, lx, top + thick, 4, floorY - top - thick);
        setColor(cr, scaled(wood, 0.5));
        fillInk(cr, pal::kInk, kInkW);
    }
    cairo_rectangle(cr, x0, top, x1 - x0, thick);
    setVGradient(cr, top, top + thick, {{0, scaled(wood, 1.25)}, {1, scaled(wood, 0.7)}});
    fillInk(cr, pal::kInk, kInkW);
}

void cables(cairo_t* cr, Rng& rng, double x0, double y0, double x1, double y1, int count)
{
    const Rgb colours[] = {rgb(240, 220, 40),  rgb(60, 140, 255), pal::kRed,      rgb(40, 200, 90),
                           rgb(230, 230, 230), rgb(255, 140, 30), rgb(60, 60, 70)};
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int i = 0; i < count; ++i) {
        const double ax = rng.range(x0, x1), ay = rng.range(y0, y1);
        const double bx = rng.range(x0, x1), by = rng.range(y0, y1);
        const double c1x = rng.range(x0 - 30, x1 + 30), c1y = rng.range(y0, y1 + 20);
        const double c2x = rng.range(x0 - 30, x1 + 30), c2y = rng.range(y0, y1 + 20);
        const Rgb c = colours[rng.below(7)];
        for (int pass = 0; pass < 2; ++pass) {
            cairo_move_to(cr, ax, ay);
            cairo_curve_to(cr, c1x, c1y, c2x, c2y, bx, by);
            setColor(cr, pass ? c : pal::kInk);
            cairo_set_line_width(cr, pass ? 2.0 : 3.6);
            cairo_stroke(cr);
        }
    }
}

void networkSwitch(cairo_t* cr, Rng& rng, double x, double y, double w, double h, int ports)
{
    roundedRectPath(cr, x, y, w, h, 3);
    setVGradient(cr, y, y + h, {{0, scaled(kCase, 1.5)}, {0.15, kCase}, {1, scaled(kCase, 0.6)}});
    fillInk(cr, pal::kInk, 1.5);
    const int perRow = ports / 2;
    const double pw = w * 0.8 / perRow, px0 = x + w * 0.16;
    for (int i = 0; i < ports; ++i) {
        const int row = i / perRow, col = i % perRow;
        const double px = px0 + col * pw, py = y + h * (0.2 + row * 0.38);
        cairo_rectangle(cr, px + pw * 0.12, py, pw * 0.76, h * 0.26);
        setColor(cr, rgb(16, 18, 26));
        fillInk(cr, rgb(150, 156, 170), 0.8);
        // Link and activity lights above each port.
        const bool on = rng.unit() < 0.8;
        const Rgb led = rng.unit() < 0.7 ? rgb(80, 255, 110) : rgb(255, 190, 40);
        const double lx = px + pw * 0.5, ly = py - h * 0.07;
        if (on)
            glow(cr, lx, ly, pw * 0.7, led, 0.6);
        circlePath(cr, lx, ly, std::max(1.0, pw * 0.12));
        setColor(cr, on ? led : scaled(led, 0.25));
        cairo_fill(cr);
    }
    // The maker's badge on the left.
    roundedRectPath(cr, x + w * 0.025, y + h * 0.25, w * 0.1, h * 0.5, 2);
    setColor(cr, scaled(kCase, 1.8));
    cairo_fill(cr);
}
