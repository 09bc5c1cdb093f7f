// The program's icon: a red Christmas ball with a gold cap and a hanging
// loop, a band of gold and a shine. Drawn afresh at each size, with the cap
// and band snapped to whole pixels so the small sizes stay crisp.
#include <algorithm>
#include <cmath>
#include <string>

#include "gfxgen.h"
#include "palette.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int kSizes[] = {32, 48, 128, 256};

// Proportions of the icon's side.
constexpr double kBallCentreY = 0.58;
constexpr double kBallRadius = 0.40;
constexpr double kCapWidth = 0.22;
constexpr double kCapHeight = 0.10;
constexpr double kLoopRadius = 0.07;
constexpr double kBandHeight = 0.07;

double snap(double v)
{
    return std::round(v);
}

void drawLoop(cairo_t* cr, double s, double capTop)
{
    const double line = std::max(1.5, s * 0.03);
    cairo_set_line_width(cr, line);
    setColor(cr, pal::kGoldDark);
    cairo_arc(cr, s / 2, capTop - s * kLoopRadius + line / 2, s * kLoopRadius, 0, 2 * kPi);
    cairo_stroke(cr);
}

void drawCap(cairo_t* cr, double s, double capTop, double capBottom)
{
    const double w = snap(s * kCapWidth);
    const double x = snap((s - w) / 2);
    cairo_pattern_t* metal = cairo_pattern_create_linear(x, 0, x + w, 0);
    cairo_pattern_add_color_stop_rgb(metal, 0, pal::kGoldDark.r, pal::kGoldDark.g,
                                     pal::kGoldDark.b);
    cairo_pattern_add_color_stop_rgb(metal, 0.35, pal::kGoldLight.r, pal::kGoldLight.g,
                                     pal::kGoldLight.b);
    cairo_pattern_add_color_stop_rgb(metal, 1, pal::kGoldDark.r, pal::kGoldDark.g,
                                     pal::kGoldDark.b);
    cairo_rectangle(cr, x, capTop, w, capBottom - capTop);
    cairo_set_source(cr, metal);
    cairo_fill(cr);
    cairo_pattern_destroy(metal);
}

void drawBall(cairo_t* cr, double s)
{
    const double cx = s / 2, cy = s * kBallCentreY, r = s * kBallRadius;
    cairo_pattern_t* glass =
        cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.05, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(glass, 0, pal::kRedLight.r, pal::kRedLight.g,
                                     pal::kRedLight.b);
    cairo_pattern_add_color_stop_rgb(glass, 0.45, pal::kRed.r, pal::kRed.g, pal::kRed.b);
    cairo_pattern_add_color_stop_rgb(glass, 1, pal::kRedDark.r, pal::kRedDark.g, pal::kRedDark.b);
    cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
    cairo_set_source(cr, glass);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(glass);

    // The gold band across the middle, clipped to the ball.
    cairo_save(cr);
    cairo_clip(cr);
    const double band = std::max(2.0, snap(s * kBandHeight));
    setColor(cr, pal::kGold);
    cairo_rectangle(cr, 0, snap(cy - band / 2), s, band);
    cairo_fill(cr);
    cairo_restore(cr);

    // The shine: a soft white oval at the upper left.
    cairo_save(cr);
    cairo_translate(cr, cx - r * 0.42, cy - r * 0.45);
    cairo_rotate(cr, -0.6);
    cairo_scale(cr, r * 0.26, r * 0.14);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    setColor(cr, pal::kSnow, 0.75);
    cairo_fill(cr);

    // A dark rim so the ball reads on light and dark panels alike.
    cairo_set_line_width(cr, std::max(1.0, s / 48));
    setColor(cr, pal::kInk, 0.8);
    cairo_arc(cr, cx, cy, r - cairo_get_line_width(cr) / 2, 0, 2 * kPi);
    cairo_stroke(cr);
}

void makeIcon(const std::string& path, int size)
{
    Canvas c(size, size, true);
    cairo_t* cr = c.cr();
    const double s = size;
    const double ballTop = s * (kBallCentreY - kBallRadius);
    const double capBottom = snap(ballTop + s * 0.03);
    const double capTop = snap(capBottom - s * kCapHeight);
    drawLoop(cr, s, capTop);
    drawBall(cr, s);
    drawCap(cr, s, capTop, capBottom);
    c.savePng(path);
}
}  // namespace

void makeIcons(const std::string& dir)
{
    for (const int size : kSizes)
        makeIcon(dir + "/frosthem_" + std::to_string(size) + ".png", size);
}
