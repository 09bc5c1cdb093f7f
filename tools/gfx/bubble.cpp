// The speech bubble that the invitation is typed into. It frames the text
// grid (cells from x 290 to 600, rows 30 to 110 on screen, the bubble drawn
// at 238, 17) with a margin, and its tail points down-left at the gnome's
// mouth. A sprig of holly sits on its corner.
#include <cmath>
#include <string>

#include "gfxgen.h"
#include "holly.h"
#include "palette.h"
#include "shapes.h"

namespace {
constexpr int kW = 384;
constexpr int kH = 112;
// Body, in the picture's own coordinates.
constexpr double kLeft = 38, kTop = 4, kRight = 378, kBottom = 104;
constexpr double kCorner = 20;
constexpr double kTextBottom = 110 - 17;  // last text row, in picture rows
// Tail: its root on the left edge, low down, its tip by the gnome's mouth.
constexpr double kTailRoot0 = 62, kTailRoot1 = 96, kTipX = 10, kTipY = 96;
constexpr double kInk = 2.6;
constexpr double kShadowOffset = 4;

void bodyPath(cairo_t* cr, double dx, double dy)
{
    roundedRectPath(cr, kLeft + dx, kTop + dy, kRight - kLeft, kBottom - kTop, kCorner);
}

void tailPath(cairo_t* cr, double dx, double dy)
{
    // Leaves the body sideways and sweeps down-left to the tip, like a comma.
    const double root = kLeft + 8;
    cairo_new_sub_path(cr);
    cairo_move_to(cr, root + dx, kTailRoot0 + dy);
    cairo_curve_to(cr, kLeft - 12 + dx, kTailRoot0 + 4 + dy, kTipX + 14 + dx, kTipY - 10 + dy,
                   kTipX + dx, kTipY + dy);
    cairo_curve_to(cr, kTipX + 18 + dx, kTipY + 2 + dy, kLeft - 8 + dx, kTailRoot1 + 2 + dy,
                   root + dx, kTailRoot1 + dy);
    cairo_close_path(cr);
}

// Body and tail are filled one after the other: as one path their opposite
// windings would leave the overlap empty. Between the two, `between` may
// draw on the body alone.
template <typename Between>
void fillShape(cairo_t* cr, double dx, double dy, Between between)
{
    bodyPath(cr, dx, dy);
    cairo_pattern_t* fill = cairo_pattern_reference(cairo_get_source(cr));
    cairo_fill(cr);
    between();
    cairo_set_source(cr, fill);
    cairo_pattern_destroy(fill);
    tailPath(cr, dx, dy);
    cairo_fill(cr);
}
}  // namespace

void makeBubble(const std::string& dir)
{
    Canvas c(kW, kH, true);
    cairo_t* cr = c.cr();
    cairo_push_group(cr);
    setColor(cr, pal::kInk);
    fillShape(cr, kShadowOffset, kShadowOffset, [] {});
    cairo_pop_group_to_source(cr);
    cairo_paint_with_alpha(cr, 0.35);
    // Outline of the union: stroke both parts at twice the width, then fill
    // both, which covers the strokes where they overlap inside.
    bodyPath(cr, 0, 0);
    tailPath(cr, 0, 0);
    setColor(cr, pal::kInk);
    cairo_set_line_width(cr, 2 * kInk);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
    // The font's soft edges are blended towards pure white, so the tint
    // starts only below the last text line (screen row 110).
    setVGradient(cr, kTextBottom, kBottom, {{0, rgb(255, 255, 255)}, {1, rgb(214, 228, 250)}});
    fillShape(cr, 0, 0, [cr] {
        // A thin inner rim, as if the bubble were a pane of ice; the tail's
        // fill then covers it where the tail joins.
        roundedRectPath(cr, kLeft + 3.5, kTop + 3.5, kRight - kLeft - 7, kBottom - kTop - 7,
                        kCorner - 3.5);
        setColor(cr, pal::kIce, 0.7);
        cairo_set_line_width(cr, 1.0);
        cairo_stroke(cr);
    });

    holly(cr, kLeft + 4, kTop + 6, 1.0);
    c.savePng(dir + "/bubbla.png");
}
