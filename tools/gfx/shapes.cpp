#include "shapes.h"

#include <cmath>

#include "common/rng.h"
#include "palette.h"

namespace {
constexpr double kPi = 3.14159265358979323846;

void addStops(cairo_pattern_t* p, std::initializer_list<Stop> stops)
{
    for (const Stop& s : stops)
        cairo_pattern_add_color_stop_rgba(p, s.at, s.color.r, s.color.g, s.color.b, s.alpha);
}

void usePattern(cairo_t* cr, cairo_pattern_t* p, std::initializer_list<Stop> stops)
{
    addStops(p, stops);
    cairo_set_source(cr, p);
    cairo_pattern_destroy(p);
}
}  // namespace

void circlePath(cairo_t* cr, double cx, double cy, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_close_path(cr);
}

void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry)
{
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    circlePath(cr, 0, 0, 1);
    cairo_restore(cr);
}

void roundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -kPi / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, kPi / 2);
    cairo_arc(cr, x + r, y + h - r, r, kPi / 2, kPi);
    cairo_arc(cr, x + r, y + r, r, kPi, 1.5 * kPi);
    cairo_close_path(cr);
}

void setVGradient(cairo_t* cr, double y0, double y1, std::initializer_list<Stop> stops)
{
    usePattern(cr, cairo_pattern_create_linear(0, y0, 0, y1), stops);
}

void setHGradient(cairo_t* cr, double x0, double x1, std::initializer_list<Stop> stops)
{
    usePattern(cr, cairo_pattern_create_linear(x0, 0, x1, 0), stops);
}

void setRadial(cairo_t* cr, double cx, double cy, double r, std::initializer_list<Stop> stops)
{
    usePattern(cr, cairo_pattern_create_radial(cx, cy, 0, cx, cy, r), stops);
}

void fillInk(cairo_t* cr, Rgb ink, double width)
{
    cairo_fill_preserve(cr);
    setColor(cr, ink);
    cairo_set_line_width(cr, width);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
}

void fillInk(cairo_t* cr, Rgb fill, Rgb ink, double width)
{
    setColor(cr, fill);
    fillInk(cr, ink, width);
}

void fillRect(cairo_t* cr, double x, double y, double w, double h, Rgb c, double alpha)
{
    cairo_rectangle(cr, x, y, w, h);
    setColor(cr, c, alpha);
    cairo_fill(cr);
}

void glow(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha)
{
    setRadial(cr, cx, cy, r, {{0, c, alpha}, {0.35, c, alpha * 0.45}, {1, c, 0}});
    circlePath(cr, cx, cy, r);
    cairo_fill(cr);
}

void starField(cairo_t* cr, Rng& rng, double x, double y, double w, double h, int count)
{
    constexpr double kBrightShare = 0.08;
    for (int i = 0; i < count; ++i) {
        const double sx = std::floor(x + rng.unit() * w) + 0.5;
        const double sy = std::floor(y + rng.unit() * h) + 0.5;
        const double level = rng.range(0.25, 1.0);
        const bool bright = rng.unit() < kBrightShare;
        const Rgb tint = mix(pal::kSnow, rng.unit() < 0.5 ? pal::kIce : pal::kGoldLight, 0.4);
        if (bright) {
            glow(cr, sx, sy, 4.5, tint, 0.5);
            setColor(cr, pal::kSnow, 0.8);
            cairo_set_line_width(cr, 1);
            cairo_move_to(cr, sx - 4, sy);
            cairo_line_to(cr, sx + 4, sy);
            cairo_move_to(cr, sx, sy - 4);
            cairo_line_to(cr, sx, sy + 4);
            cairo_stroke(cr);
        }
        circlePath(cr, sx, sy, bright ? 1.1 : 0.6);
        setColor(cr, tint, level);
        cairo_fill(cr);
    }
}

void firTree(cairo_t* cr, double x, double baseY, double height, Rgb body, Rgb ink, bool snowy)
{
    constexpr int kTiers = 4;
    const double trunkH = height * 0.1;
    const double crownH = height - trunkH;
    const double halfBase = height * 0.34;
    const double lw = std::max(0.8, height / 60);
    fillRect(cr, x - height * 0.04, baseY - trunkH - 1, height * 0.08, trunkH + 1, pal::kWoodDark);
    // Tiers from the bottom up, each a drooping triangle that overlaps the
    // one below, so the outline reads as boughs.
    for (int t = 0; t < kTiers; ++t) {
        const double f0 = double(t) / kTiers;
        const double bottom = baseY - trunkH - crownH * f0 * 0.82;
        const double top = baseY - trunkH - crownH * std::min(1.0, f0 * 0.82 + 0.42);
        const double half = halfBase * (1.0 - f0 * 0.72);
        const double tipY = t == kTiers - 1 ? baseY - height : top;
        cairo_move_to(cr, x, tipY);
        cairo_curve_to(cr, x + half * 0.4, bottom - (bottom - tipY) * 0.5, x + half * 0.8,
                       bottom - 2, x + half, bottom);
        cairo_curve_to(cr, x + half * 0.5, bottom - height * 0.03, x - half * 0.5,
                       bottom - height * 0.03, x - half, bottom);
        cairo_curve_to(cr, x - half * 0.8, bottom - 2, x - half * 0.4,
                       bottom - (bottom - tipY) * 0.5, x, tipY);
        cairo_close_path(cr);
        setVGradient(cr, tipY, bottom, {{0, scaled(body, 1.35)}, {1, scaled(body, 0.8)}});
        fillInk(cr, ink, lw);
        if (snowy) {
            // Snow rests on the upper edge of each tier's left and right slope.
            const double sy = bottom - (bottom - tipY) * 0.35;
            cairo_move_to(cr, x - half * 0.62, sy + 2);
            cairo_curve_to(cr, x - half * 0.3, sy - (bottom - tipY) * 0.35, x + half * 0.3,
                           sy - (bottom - tipY) * 0.3, x + half * 0.66, sy + 2);
            cairo_curve_to(cr, x + half * 0.3, sy - 1, x - half * 0.3, sy - 1, x - half * 0.62,
                           sy + 2);
            cairo_close_path(cr);
            setColor(cr, pal::kSnow, 0.92);
            cairo_fill(cr);
        }
    }
}

void crystal(cairo_t* cr, double cx, double cy, double r, Rgb c, double lineWidth)
{
    setColor(cr, c);
    cairo_set_line_width(cr, lineWidth);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int arm = 0; arm < 6; ++arm) {
        const double a = arm * kPi / 3 - kPi / 2;
        const double ex = cx + r * std::cos(a), ey = cy + r * std::sin(a);
        cairo_move_to(cr, cx, cy);
        cairo_line_to(cr, ex, ey);
        // A pair of side twigs near the tip of each arm.
        const double bx = cx + r * 0.6 * std::cos(a), by = cy + r * 0.6 * std::sin(a);
        for (int side = -1; side <= 1; side += 2) {
            const double b = a + side * kPi / 4;
            cairo_move_to(cr, bx, by);
            cairo_line_to(cr, bx + r * 0.32 * std::cos(b), by + r * 0.32 * std::sin(b));
        }
    }
    cairo_stroke(cr);
}

void snowCap(cairo_t* cr, Rng& rng, double x0, double x1, double y, double height)
{
    const double span = x1 - x0;
    const int humps = std::max(2, static_cast<int>(span / (height * 2.2)));
    cairo_move_to(cr, x0 - 1, y + 1);
    double px = x0 - 1;
    for (int i = 0; i < humps; ++i) {
        const double nx = x0 + span * (i + 1) / humps + (i == humps - 1 ? 1 : 0);
        const double h = height * rng.range(0.6, 1.0);
        cairo_curve_to(cr, px + (nx - px) * 0.1, y - h, nx - (nx - px) * 0.1, y - h, nx,
                       y - h * 0.25);
        px = nx;
    }
    cairo_line_to(cr, x1 + 1, y + 1);
    // A few drips hang over the edge.
    cairo_curve_to(cr, x1 - span * 0.3, y + height * 0.45, x0 + span * 0.3, y + height * 0.2,
                   x0 - 1, y + 1);
    cairo_close_path(cr);
    setVGradient(cr, y - height, y + height * 0.4,
                 {{0, pal::kSnow}, {0.65, pal::kSnow}, {1, pal::kSnowShade}});
    fillInk(cr, pal::kSnowDeep, 0.8);
}
