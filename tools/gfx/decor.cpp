// Two decorative borders: a spruce garland hung with baubles for the top and
// a candy-cane ribbon for the bottom.
#include <cmath>
#include <string>

#include "common/rng.h"
#include "gfxgen.h"
#include "holly.h"
#include "palette.h"
#include "shapes.h"

namespace {
constexpr int kW = 640;
constexpr int kH = 16;
constexpr double kBaubleStep = 64;
constexpr double kStripe = 10;  // candy stripe width along the ribbon

void makeGarland(const std::string& dir)
{
    Canvas c(kW, kH, true);
    cairo_t* cr = c.cr();
    Rng rng(1612);
    // Needles: many short strokes in greens along a gently swagged line.
    auto swag = [](double x) { return 5 + 2.5 * std::fabs(std::sin(x * 3.14159 / kBaubleStep)); };
    for (int i = 0; i < 900; ++i) {
        const double x = rng.range(-4, kW + 4), y = swag(x) + rng.range(-2.5, 2.5);
        const double a = rng.range(0, 6.283), len = rng.range(2.5, 4.5);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x + len * std::cos(a), y + len * std::sin(a));
        setColor(cr, mix(pal::kGreenDark, pal::kGreenLight, rng.unit() * 0.7));
        cairo_set_line_width(cr, 1.1);
        cairo_stroke(cr);
    }
    const Rgb colours[] = {pal::kRed, pal::kGold, rgb(60, 110, 200)};
    for (int i = 0; i * kBaubleStep < kW; ++i) {
        const double x = kBaubleStep / 2 + i * kBaubleStep, y = swag(x) + 6;
        const Rgb col = colours[i % 3];
        circlePath(cr, x, y, 4.2);
        setRadial(cr, x - 1.5, y - 1.5, 5.5,
                  {{0, scaled(col, 1.7)}, {0.5, col}, {1, scaled(col, 0.45)}});
        fillInk(cr, pal::kInk, 0.9);
        fillRect(cr, x - 1.2, y - 6, 2.4, 2, pal::kGoldLight);
    }
    for (int i = 0; i * kBaubleStep < kW; ++i)
        holly(cr, i * kBaubleStep, swag(i * kBaubleStep), 0.45);
    c.savePng(dir + "/border_uppe.png");
}

void makeRibbon(const std::string& dir)
{
    Canvas c(kW, kH, true);
    cairo_t* cr = c.cr();
    constexpr double kTop = 3, kBottom = 13;
    cairo_rectangle(cr, 0, kTop, kW, kBottom - kTop);
    setColor(cr, pal::kSnow);
    cairo_fill(cr);
    cairo_save(cr);
    cairo_rectangle(cr, 0, kTop, kW, kBottom - kTop);
    cairo_clip(cr);
    for (double x = -kH; x < kW + kH; x += 2 * kStripe) {
        cairo_move_to(cr, x, kBottom);
        cairo_line_to(cr, x + kStripe, kBottom);
        cairo_line_to(cr, x + kStripe + (kBottom - kTop), kTop);
        cairo_line_to(cr, x + (kBottom - kTop), kTop);
        cairo_close_path(cr);
    }
    setColor(cr, pal::kRed);
    cairo_fill(cr);
    // Round it: light along the top, shade along the bottom.
    cairo_rectangle(cr, 0, kTop, kW, kBottom - kTop);
    setVGradient(
        cr, kTop, kBottom,
        {{0, rgb(255, 255, 255), 0.55}, {0.35, rgb(255, 255, 255), 0}, {1, pal::kInk, 0.45}});
    cairo_fill(cr);
    cairo_restore(cr);
    fillRect(cr, 0, kTop - 1, kW, 1, pal::kGold);
    fillRect(cr, 0, kBottom, kW, 1, pal::kGoldDark);
    c.savePng(dir + "/border_nere.png");
}
}  // namespace

void makeDecor(const std::string& dir)
{
    makeGarland(dir);
    makeRibbon(dir);
}
