#include "holly.h"

#include <cmath>

#include "palette.h"
#include "shapes.h"

namespace {
constexpr int kSpikes = 3;  // scallops per leaf side

// One leaf along +x from the origin, `len` long.
void leaf(cairo_t* cr, double len)
{
    const double w = len * 0.32;
    cairo_move_to(cr, 0, 0);
    for (int side = 0; side < 2; ++side) {
        const double sgn = side ? 1 : -1;
        for (int i = 1; i <= kSpikes; ++i) {
            const double x0 = len * (side ? kSpikes - i + 1 : i - 1) / kSpikes;
            const double x1 = len * (side ? kSpikes - i : i) / kSpikes;
            const double bulge = w * std::sin(3.14159 * (x0 + x1) / 2 / len);
            cairo_curve_to(cr, x0 + (x1 - x0) * 0.3, sgn * bulge * 0.6, x0 + (x1 - x0) * 0.7,
                           sgn * bulge * 0.6, x1, sgn * w * std::sin(3.14159 * x1 / len) * 1.2);
        }
    }
    cairo_close_path(cr);
}
}  // namespace

void holly(cairo_t* cr, double x, double y, double scale)
{
    const double angles[] = {-0.5, 2.7};
    for (double a : angles) {
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, a);
        leaf(cr, 17 * scale);
        setHGradient(cr, 0, 17 * scale,
                     {{0, pal::kGreenDark}, {0.5, pal::kGreen}, {1, pal::kGreenLight}});
        fillInk(cr, pal::kInk, 1.0);
        cairo_move_to(cr, 1, 0);
        cairo_line_to(cr, 15 * scale, 0);
        setColor(cr, pal::kGreenLight, 0.8);
        cairo_set_line_width(cr, 0.8);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    const double berries[][2] = {{-2.5, -1.5}, {2.5, -2}, {0, 2.5}};
    for (const auto& b : berries) {
        const double bx = x + b[0] * scale, by = y + b[1] * scale;
        circlePath(cr, bx, by, 3.0 * scale);
        setRadial(cr, bx - 1, by - 1, 3.5 * scale,
                  {{0, pal::kRedLight}, {0.5, pal::kRed}, {1, pal::kRedDark}});
        fillInk(cr, pal::kInk, 0.9);
    }
}
