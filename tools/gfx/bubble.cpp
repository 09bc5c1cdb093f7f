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
constexpr int kH = 128;
// Body, in the picture's own coordinates.
constexpr double kLeft = 38, kTop = 4, kRight = 378, kBottom = 104;
constexpr double kCorner = 20;
// Tail: its root on the lower edge and its tip towards the gnome's mouth.
constexpr double kTailRoot0 = 52, kTailRoot1 = 92, kTipX = 6, kTipY = 125;
constexpr double kInk = 2.6;
constexpr double kShadowOffset = 4;

void bodyPath(cairo_t* cr, double dx, double dy) {
  roundedRectPath(cr, kLeft + dx, kTop + dy, kRight - kLeft, kBottom - kTop, kCorner);
}

void tailPath(cairo_t* cr, double dx, double dy) {
  // Leaves the body downwards and sweeps left to the tip, like a comma.
  cairo_new_sub_path(cr);
  cairo_move_to(cr, kTailRoot0 + dx, kBottom - 8 + dy);
  cairo_curve_to(cr, kTailRoot0 + dx, kBottom + 8 + dy, kTipX + 30 + dx, kTipY - 8 + dy,
                 kTipX + dx, kTipY + dy);
  cairo_curve_to(cr, kTipX + 40 + dx, kTipY + 2 + dy, kTailRoot1 - 10 + dx, kBottom + 14 + dy,
                 kTailRoot1 + dx, kBottom - 8 + dy);
  cairo_close_path(cr);
}

// Body and tail are filled one after the other: as one path their opposite
// windings would leave the overlap empty.
void fillShape(cairo_t* cr, double dx, double dy) {
  bodyPath(cr, dx, dy);
  cairo_fill_preserve(cr);
  cairo_new_path(cr);
  tailPath(cr, dx, dy);
  cairo_fill(cr);
}
}  // namespace

void makeBubble(const std::string& dir) {
  Canvas c(kW, kH, true);
  cairo_t* cr = c.cr();
  cairo_push_group(cr);
  setColor(cr, pal::kInk);
  fillShape(cr, kShadowOffset, kShadowOffset);
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
  // White where the text goes; a cool tint only below the last line.
  setVGradient(cr, kTop, kTipY, {{0, rgb(255, 255, 255)}, {0.74, rgb(255, 255, 255)},
                                 {1, rgb(206, 222, 248)}});
  fillShape(cr, 0, 0);
  // A thin inner rim, as if the bubble were a pane of ice.
  roundedRectPath(cr, kLeft + 3.5, kTop + 3.5, kRight - kLeft - 7, kBottom - kTop - 7,
                  kCorner - 3.5);
  setColor(cr, pal::kIce, 0.7);
  cairo_set_line_width(cr, 1.0);
  cairo_stroke(cr);

  holly(cr, kLeft + 4, kTop + 6, 1.0);
  c.savePng(dir + "/bubbla.png");
}
