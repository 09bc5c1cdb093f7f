// The talking gnome: a Christmas tomte in a floppy red cap, facing right
// towards the speech bubble; picture 1 with the mouth shut, picture 2 open.
// The show draws him at (175, 83). Below screen row 108 he is mostly hidden
// (the snowy edge at 109, the raster bars down to 149, the swaying logo from
// 145), so he peeks over the edge: cap, eye, nose and mouth fit in his top
// 26 rows, and the beard and coat below only show through the gaps. Also the
// full figure, tomte.png.
#include <cmath>
#include <string>

#include "gfxgen.h"
#include "palette.h"
#include "shapes.h"

namespace {
constexpr int kW = 80;
constexpr int kH = 100;
constexpr int kFullW = 100;
constexpr int kFullH = 130;
constexpr double kInkW = 1.5;
constexpr int kFade = 14;  // rows over which the coat fades out
const Rgb kBeard = rgb(246, 248, 255);
const Rgb kBeardShade = rgb(186, 200, 228);

void coat(cairo_t* cr, double top, double bottom)
{
    cairo_move_to(cr, 2, bottom);
    cairo_curve_to(cr, 2, top + 12, 14, top, 40, top);
    cairo_curve_to(cr, 66, top, 78, top + 12, 78, bottom);
    cairo_close_path(cr);
    setHGradient(cr, 2, 78, {{0, pal::kRedDark}, {0.55, pal::kRed}, {1, pal::kRedDark}});
    fillInk(cr, pal::kInk, kInkW);
}

// The cap lies back over the head and droops down behind it, pompom low on
// the left.
void cap(cairo_t* cr)
{
    cairo_move_to(cr, 16, 11);
    cairo_curve_to(cr, 22, 2, 40, -1, 56, 2);
    cairo_curve_to(cr, 66, 4, 71, 8, 72, 11);
    cairo_close_path(cr);
    cairo_move_to(cr, 34, 1);
    cairo_curve_to(cr, 18, 1, 8, 6, 5, 22);
    cairo_curve_to(cr, 9, 16, 14, 12, 22, 10);
    cairo_close_path(cr);
    setHGradient(cr, 4, 72,
                 {{0, pal::kRedDark}, {0.5, pal::kRed}, {0.8, pal::kRedLight}, {1, pal::kRed}});
    fillInk(cr, pal::kInk, kInkW);
    circlePath(cr, 6, 23, 4.5);
    setRadial(cr, 5, 21, 6, {{0, pal::kSnow}, {1, pal::kSnowShade}});
    fillInk(cr, pal::kInk, 1.2);
}

void brim(cairo_t* cr)
{
    cairo_move_to(cr, 13, 10);
    cairo_curve_to(cr, 30, 6, 56, 6, 74, 9);
    cairo_curve_to(cr, 76, 11, 76, 13, 74, 15);
    cairo_curve_to(cr, 56, 12, 30, 12, 14, 16);
    cairo_curve_to(cr, 12, 14, 12, 12, 13, 10);
    cairo_close_path(cr);
    setVGradient(cr, 6, 16, {{0, pal::kSnow}, {1, pal::kSnowShade}});
    fillInk(cr, pal::kInk, kInkW);
}

void beardPath(cairo_t* cr, double tip)
{
    cairo_move_to(cr, 16, 14);
    cairo_curve_to(cr, 12, tip * 0.5, 26, tip * 0.85, 42, tip);
    cairo_curve_to(cr, 56, tip * 0.8, 72, tip * 0.45, 74, 15);
    cairo_curve_to(cr, 56, 13, 30, 13, 16, 14);
    cairo_close_path(cr);
}

void beard(cairo_t* cr, double tip)
{
    beardPath(cr, tip);
    setRadial(cr, 48, 20, tip, {{0, kBeard}, {0.7, kBeard}, {1, kBeardShade}});
    fillInk(cr, pal::kInk, kInkW);
    cairo_save(cr);
    beardPath(cr, tip);
    cairo_clip(cr);
    setColor(cr, kBeardShade);
    cairo_set_line_width(cr, 1.0);
    for (int i = 0; i < 5; ++i) {
        const double x = 22 + i * 10, y0 = 24 + (i % 2) * 4;
        cairo_move_to(cr, x, y0);
        cairo_curve_to(cr, x - 3, y0 + tip * 0.2, x + 3, y0 + tip * 0.3, x - 1, y0 + tip * 0.45);
    }
    cairo_stroke(cr);
    cairo_restore(cr);
}

void face(cairo_t* cr)
{
    cairo_move_to(cr, 34, 13);
    cairo_curve_to(cr, 46, 11, 64, 11, 74, 13);
    cairo_line_to(cr, 73, 20);
    cairo_curve_to(cr, 62, 22, 46, 22, 36, 19);
    cairo_close_path(cr);
    setColor(cr, pal::kSkin);
    cairo_fill(cr);
    glow(cr, 71, 18, 5, rgb(240, 100, 100), 0.7);  // a cold, rosy cheek
    cairo_move_to(cr, 47, 17.5);                   // a smiling, squinting eye
    cairo_curve_to(cr, 49, 14.5, 53, 14.5, 55, 17.5);
    setColor(cr, pal::kInk);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_stroke(cr);
    cairo_move_to(cr, 45, 13.5);  // and its bushy brow peeking out
    cairo_curve_to(cr, 49, 11.5, 54, 11.5, 57, 13);
    setColor(cr, kBeard);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
}

void nose(cairo_t* cr)
{
    circlePath(cr, 64, 19, 6);
    setRadial(cr, 62, 16.5, 8,
              {{0, rgb(255, 200, 180)}, {0.6, rgb(236, 140, 120)}, {1, rgb(190, 90, 80)}});
    fillInk(cr, pal::kInk, kInkW);
    circlePath(cr, 62, 16.5, 1.6);
    setColor(cr, rgb(255, 255, 255), 0.85);
    cairo_fill(cr);
}

// Opening the mouth lifts the moustache and shows a dark mouth under it.
void mouth(cairo_t* cr, bool open)
{
    const double lift = open ? -1.5 : 0;
    if (open) {
        ellipsePath(cr, 62, 25.5, 4.5, 3.4);
        setColor(cr, rgb(110, 20, 30));
        fillInk(cr, pal::kInk, 1.2);
        ellipsePath(cr, 62.5, 27.3, 2.6, 1.2);  // tongue
        setColor(cr, rgb(230, 100, 110));
        cairo_fill(cr);
    }
    for (int side = 0; side < 2; ++side) {
        const double dir = side ? 1 : -1;
        cairo_move_to(cr, 62, 23 + lift);
        cairo_curve_to(cr, 62 + dir * 4, 20 + lift, 62 + dir * 11, 21 + lift, 62 + dir * 10,
                       27 + lift);
        cairo_curve_to(cr, 62 + dir * 6, 25.5 + lift, 63, 25.5 + lift, 62, 23 + lift);
        cairo_close_path(cr);
        setVGradient(cr, 20 + lift, 27 + lift, {{0, kBeard}, {1, kBeardShade}});
        fillInk(cr, pal::kInk, 1.1);
    }
    if (!open) {
        cairo_move_to(cr, 58.5, 26.5);
        cairo_curve_to(cr, 60.5, 27.8, 63.5, 27.8, 65.5, 26.5);
        setColor(cr, pal::kInk);
        cairo_set_line_width(cr, 1.3);
        cairo_stroke(cr);
    }
}

void head(cairo_t* cr, bool open, double beardTip)
{
    beard(cr, beardTip);
    face(cr);
    cap(cr);
    brim(cr);
    mouth(cr, open);
    nose(cr);
}

void makeFullFigure(const std::string& dir)
{
    Canvas c(kFullW, kFullH, true);
    cairo_t* cr = c.cr();
    const double cx = kFullW / 2.0;
    // Boots and trousers, then the coat, then the head on top of it all.
    for (int side = -1; side <= 1; side += 2) {
        cairo_rectangle(cr, cx + side * 13 - 7, 100, 14, 16);
        setColor(cr, rgb(110, 116, 130));
        fillInk(cr, pal::kInk, kInkW);
        ellipsePath(cr, cx + side * 13 + side * 3, 120, 12, 7);
        setVGradient(cr, 113, 127, {{0, pal::kWood}, {1, pal::kWoodDark}});
        fillInk(cr, pal::kInk, kInkW);
    }
    cairo_move_to(cr, cx - 20, 36);
    cairo_curve_to(cr, cx - 32, 60, cx - 36, 90, cx - 34, 104);
    cairo_line_to(cr, cx + 34, 104);
    cairo_curve_to(cr, cx + 36, 90, cx + 32, 60, cx + 20, 36);
    cairo_close_path(cr);
    setHGradient(cr, cx - 36, cx + 36, {{0, pal::kRedDark}, {0.5, pal::kRed}, {1, pal::kRedDark}});
    fillInk(cr, pal::kInk, kInkW);
    fillRect(cr, cx - 34, 90, 68, 6, rgb(60, 34, 20));
    cairo_rectangle(cr, cx - 5, 89, 10, 8);
    setColor(cr, pal::kGold);
    fillInk(cr, pal::kInk, 1.0);
    // A present held at the side.
    cairo_rectangle(cr, cx + 20, 66, 22, 20);
    setColor(cr, pal::kGreen);
    fillInk(cr, pal::kInk, kInkW);
    fillRect(cr, cx + 29, 66, 4, 20, pal::kGold);
    fillRect(cr, cx + 20, 74, 22, 4, pal::kGold);
    circlePath(cr, cx + 26, 72, 4);  // mitten
    setColor(cr, rgb(60, 110, 190));
    fillInk(cr, pal::kInk, 1.2);
    cairo_save(cr);
    cairo_translate(cr, cx - kW / 2.0, 2);
    head(cr, false, 58);
    cairo_restore(cr);
    c.savePng(dir + "/tomte.png");
}
}  // namespace

void makeGnome(const std::string& dir)
{
    constexpr double kCoatTop = 44, kBeardTip = 66;
    for (int open = 0; open < 2; ++open) {
        Canvas c(kW, kH, true);
        coat(c.cr(), kCoatTop, kH);
        head(c.cr(), open != 0, kBeardTip);
        // Fade the coat out at the foot of the picture rather than cut it off.
        cairo_set_operator(c.cr(), CAIRO_OPERATOR_DEST_OUT);
        cairo_rectangle(c.cr(), 0, kH - kFade, kW, kFade);
        setVGradient(c.cr(), kH - kFade, kH, {{0, pal::kInk, 0}, {1, pal::kInk, 1}});
        cairo_fill(c.cr());
        c.savePng(dir + (open ? "/mun_2.png" : "/mun_1.png"));
    }
    makeFullFigure(dir);
}
