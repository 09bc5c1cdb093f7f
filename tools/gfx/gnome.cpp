// The talking gnome: a Christmas tomte, head and shoulders, facing right
// towards the speech bubble; picture 1 with the mouth shut, picture 2 open.
// The show draws him at (175, 83), just under the snowy edge of the top
// panel: the tip of his hat rises above the edge, his face (nose, mouth)
// sits below the band the raster bars sweep. Also the full figure, tomte.png.
#include <cmath>
#include <string>

#include "gfxgen.h"
#include "palette.h"
#include "shapes.h"

namespace {
constexpr int kW = 80;
constexpr int kH = 100;
constexpr int kFullW = 100;
constexpr int kFullH = 150;
constexpr double kInkW = 1.6;
constexpr int kFade = 14;  // rows over which the coat fades out
const Rgb kBeard = rgb(246, 248, 255);
const Rgb kBeardShade = rgb(186, 200, 228);

void shoulders(cairo_t* cr) {
  cairo_move_to(cr, 3, kH);
  cairo_curve_to(cr, 3, 84, 16, 76, 40, 76);
  cairo_curve_to(cr, 64, 76, 77, 84, 77, kH);
  cairo_close_path(cr);
  setVGradient(cr, 76, kH, {{0, pal::kRed}, {1, pal::kRedDark}});
  fillInk(cr, pal::kInk, kInkW);
}

void hat(cairo_t* cr) {
  // A tall cone whose tip leans back, with a fold down its front.
  cairo_move_to(cr, 10, 50);
  cairo_curve_to(cr, 14, 30, 18, 12, 26, 4);
  cairo_curve_to(cr, 30, 1, 34, 2, 36, 6);
  cairo_curve_to(cr, 48, 18, 62, 34, 70, 50);
  cairo_close_path(cr);
  setHGradient(cr, 10, 70, {{0, pal::kRedDark}, {0.45, pal::kRed}, {0.7, pal::kRedLight},
                            {1, pal::kRed}});
  fillInk(cr, pal::kInk, kInkW);
  cairo_move_to(cr, 33, 10);
  cairo_curve_to(cr, 36, 24, 46, 36, 52, 46);
  setColor(cr, pal::kRedDark, 0.7);
  cairo_set_line_width(cr, 1.2);
  cairo_stroke(cr);
  circlePath(cr, 30, 5, 5);  // pompom
  setRadial(cr, 28, 3, 6, {{0, pal::kSnow}, {1, pal::kSnowShade}});
  fillInk(cr, pal::kInk, 1.2);
}

void brim(cairo_t* cr) {
  cairo_move_to(cr, 7, 48);
  cairo_curve_to(cr, 26, 42, 54, 42, 73, 47);
  cairo_curve_to(cr, 75, 51, 74, 54, 72, 56);
  cairo_curve_to(cr, 54, 51, 26, 51, 8, 57);
  cairo_curve_to(cr, 5, 54, 5, 51, 7, 48);
  cairo_close_path(cr);
  setVGradient(cr, 42, 57, {{0, pal::kSnow}, {1, pal::kSnowShade}});
  fillInk(cr, pal::kInk, kInkW);
}

void beard(cairo_t* cr) {
  cairo_move_to(cr, 12, 54);
  cairo_curve_to(cr, 8, 70, 20, 88, 38, 98);
  cairo_curve_to(cr, 52, 90, 68, 78, 72, 56);
  cairo_curve_to(cr, 52, 54, 30, 54, 12, 54);
  cairo_close_path(cr);
  setRadial(cr, 46, 62, 40, {{0, kBeard}, {0.7, kBeard}, {1, kBeardShade}});
  fillInk(cr, pal::kInk, kInkW);
  // Curls of hair.
  const double strands[][4] = {{20, 62, 26, 84}, {30, 66, 34, 90}, {42, 74, 40, 92},
                               {54, 74, 50, 86}, {62, 64, 60, 76}};
  setColor(cr, kBeardShade);
  cairo_set_line_width(cr, 1.0);
  for (const auto& s : strands) {
    cairo_move_to(cr, s[0], s[1]);
    cairo_curve_to(cr, s[0] - 3, (s[1] + s[3]) / 2, s[2] + 3, (s[1] + s[3]) / 2, s[2], s[3]);
  }
  cairo_stroke(cr);
}

void face(cairo_t* cr) {
  // The little skin that shows between the hat brim and the beard.
  cairo_move_to(cr, 36, 55);
  cairo_curve_to(cr, 44, 52, 62, 52, 71, 55);
  cairo_line_to(cr, 70, 62);
  cairo_curve_to(cr, 60, 64, 46, 64, 38, 61);
  cairo_close_path(cr);
  setColor(cr, pal::kSkin);
  cairo_fill(cr);
  glow(cr, 66, 60, 6, rgb(240, 110, 110), 0.6);  // a cold, rosy cheek
  // A smiling, squinting eye just under the brim.
  cairo_move_to(cr, 46, 58.5);
  cairo_curve_to(cr, 48, 56, 52, 56, 54, 58.5);
  setColor(cr, pal::kInk);
  cairo_set_line_width(cr, 1.5);
  cairo_stroke(cr);
}

void nose(cairo_t* cr) {
  circlePath(cr, 63, 62, 7);
  setRadial(cr, 61, 59, 9, {{0, rgb(255, 200, 180)}, {0.6, rgb(236, 140, 120)},
                            {1, rgb(190, 90, 80)}});
  fillInk(cr, pal::kInk, kInkW);
  circlePath(cr, 61, 59.5, 1.8);
  setColor(cr, rgb(255, 255, 255), 0.85);
  cairo_fill(cr);
}

void moustache(cairo_t* cr, bool open) {
  const double lift = open ? -1.5 : 0;
  for (int side = 0; side < 2; ++side) {
    const double sx = side ? 66 : 50;
    cairo_move_to(cr, 58, 67 + lift);
    cairo_curve_to(cr, sx, 63 + lift, sx + (side ? 8 : -8), 66 + lift, sx + (side ? 6 : -8),
                   73 + lift);
    cairo_curve_to(cr, sx, 72 + lift, 60, 72 + lift, 58, 67 + lift);
    cairo_close_path(cr);
    setVGradient(cr, 63, 74, {{0, kBeard}, {1, kBeardShade}});
    fillInk(cr, pal::kInk, 1.2);
  }
}

void mouth(cairo_t* cr, bool open) {
  if (open) {
    ellipsePath(cr, 58, 77.5, 5, 4.2);
    setColor(cr, rgb(110, 20, 30));
    fillInk(cr, pal::kInk, 1.3);
    ellipsePath(cr, 58.5, 79.8, 3, 1.6);  // tongue
    setColor(cr, rgb(230, 100, 110));
    cairo_fill(cr);
  } else {
    cairo_move_to(cr, 53, 75);
    cairo_curve_to(cr, 56, 77.5, 60, 77.5, 63, 75);
    setColor(cr, pal::kInk);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
  }
}

void head(cairo_t* cr, bool open) {
  hat(cr);
  beard(cr);
  face(cr);
  brim(cr);
  mouth(cr, open);
  moustache(cr, open);
  nose(cr);
}

void makeFullFigure(const std::string& dir) {
  Canvas c(kFullW, kFullH, true);
  cairo_t* cr = c.cr();
  const double cx = kFullW / 2.0;
  // Boots and trousers, then the coat, then the head on top of it all.
  for (int side = -1; side <= 1; side += 2) {
    cairo_rectangle(cr, cx + side * 13 - 7, 118, 14, 18);
    setColor(cr, rgb(110, 116, 130));
    fillInk(cr, pal::kInk, kInkW);
    ellipsePath(cr, cx + side * 13 + side * 3, 140, 12, 7);
    setVGradient(cr, 133, 147, {{0, pal::kWood}, {1, pal::kWoodDark}});
    fillInk(cr, pal::kInk, kInkW);
  }
  cairo_move_to(cr, cx - 16, 78);
  cairo_curve_to(cr, cx - 30, 96, cx - 34, 112, cx - 32, 124);
  cairo_line_to(cr, cx + 32, 124);
  cairo_curve_to(cr, cx + 34, 112, cx + 30, 96, cx + 16, 78);
  cairo_close_path(cr);
  setHGradient(cr, cx - 34, cx + 34, {{0, pal::kRedDark}, {0.5, pal::kRed}, {1, pal::kRedDark}});
  fillInk(cr, pal::kInk, kInkW);
  fillRect(cr, cx - 33, 112, 66, 6, rgb(60, 34, 20));
  cairo_rectangle(cr, cx - 5, 111, 10, 8);
  setColor(cr, pal::kGold);
  fillInk(cr, pal::kInk, 1.0);
  // A present held at the side.
  cairo_rectangle(cr, cx + 20, 96, 22, 20);
  setColor(cr, pal::kGreen);
  fillInk(cr, pal::kInk, kInkW);
  fillRect(cr, cx + 29, 96, 4, 20, pal::kGold);
  fillRect(cr, cx + 20, 104, 22, 4, pal::kGold);
  circlePath(cr, cx + 26, 102, 4);  // mitten
  setColor(cr, rgb(60, 110, 190));
  fillInk(cr, pal::kInk, 1.2);
  cairo_save(cr);
  cairo_translate(cr, cx - kW / 2.0, 0);
  head(cr, false);
  cairo_restore(cr);
  c.savePng(dir + "/tomte.png");
}
}  // namespace

void makeGnome(const std::string& dir) {
  for (int open = 0; open < 2; ++open) {
    Canvas c(kW, kH, true);
    shoulders(c.cr());
    head(c.cr(), open != 0);
    // Fade the coat out at the foot of the picture rather than cut it off.
    cairo_set_operator(c.cr(), CAIRO_OPERATOR_DEST_OUT);
    cairo_rectangle(c.cr(), 0, kH - kFade, kW, kFade);
    setVGradient(c.cr(), kH - kFade, kH, {{0, pal::kInk, 0}, {1, pal::kInk, 1}});
    cairo_fill(c.cr());
    c.savePng(dir + (open ? "/mun_2.png" : "/mun_1.png"));
  }
  makeFullFigure(dir);
}
