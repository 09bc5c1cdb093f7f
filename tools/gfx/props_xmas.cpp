#include <cmath>

#include "common/rng.h"
#include "palette.h"
#include "props.h"
#include "shapes.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr double kInkW = 1.2;
constexpr double kHeadR = 9;  // head radius at scale 1

void shirt(cairo_t* cr, double x, double y, double s, Rgb c)
{
    cairo_move_to(cr, x - 19 * s, y + 40 * s);
    cairo_curve_to(cr, x - 19 * s, y + 24 * s, x - 12 * s, y + 19 * s, x, y + 19 * s);
    cairo_curve_to(cr, x + 12 * s, y + 19 * s, x + 19 * s, y + 24 * s, x + 19 * s, y + 40 * s);
    cairo_close_path(cr);
    setVGradient(cr, y + 19 * s, y + 40 * s, {{0, c}, {1, scaled(c, 0.55)}});
    fillInk(cr, pal::kInk, kInkW);
}

void hat(cairo_t* cr, double x, double y, double s, Hat hat)
{
    if (hat == Hat::Santa) {
        cairo_move_to(cr, x - 9.5 * s, y + 5 * s);
        cairo_curve_to(cr, x - 6 * s, y - 6 * s, x + 6 * s, y - 10 * s, x + 15 * s, y + 2 * s);
        cairo_line_to(cr, x + 9.5 * s, y + 5 * s);
        cairo_close_path(cr);
        setColor(cr, pal::kRed);
        fillInk(cr, pal::kInk, kInkW);
        roundedRectPath(cr, x - 10.5 * s, y + 3.5 * s, 21 * s, 4.5 * s, 2 * s);
        setColor(cr, pal::kSnow);
        fillInk(cr, pal::kInk, kInkW);
        circlePath(cr, x + 15 * s, y + 2.5 * s, 2.8 * s);
        setColor(cr, pal::kSnow);
        fillInk(cr, pal::kInk, kInkW);
    } else if (hat == Hat::Beanie) {
        cairo_arc(cr, x, y + 8 * s, 9.8 * s, kPi, 2 * kPi);
        cairo_close_path(cr);
        setColor(cr, rgb(40, 110, 200));
        fillInk(cr, pal::kInk, kInkW);
        fillRect(cr, x - 9.8 * s, y + 5 * s, 19.6 * s, 3 * s, pal::kSnow);
    }
}

void headphones(cairo_t* cr, double x, double y, double s)
{
    cairo_arc(cr, x, y + 9 * s, 10.5 * s, kPi * 1.05, kPi * 1.95);
    setColor(cr, rgb(40, 40, 50));
    cairo_set_line_width(cr, 2.5 * s);
    cairo_stroke(cr);
    for (int side = -1; side <= 1; side += 2) {
        ellipsePath(cr, x + side * 9.5 * s, y + 10 * s, 3 * s, 4.5 * s);
        setColor(cr, rgb(60, 60, 76));
        fillInk(cr, pal::kInk, kInkW);
    }
}
}  // namespace

void personBack(cairo_t* cr, double x, double y, double s, Rgb shirtColour, Rgb hair, Hat h,
                bool phones)
{
    shirt(cr, x, y, s, shirtColour);
    circlePath(cr, x, y + kHeadR * s, kHeadR * s);
    setRadial(cr, x - 3 * s, y + 5 * s, 12 * s, {{0, scaled(hair, 1.4)}, {1, hair}});
    fillInk(cr, pal::kInk, kInkW);
    hat(cr, x, y, s, h);
    if (phones)
        headphones(cr, x, y, s);
}

void personFront(cairo_t* cr, double x, double y, double s, Rgb shirtColour, Rgb hair, Hat h,
                 bool chewing)
{
    shirt(cr, x, y, s, shirtColour);
    const double cy = y + kHeadR * s;
    if (chewing) {  // puffed cheeks
        ellipsePath(cr, x, cy + 1 * s, 10.5 * s, 9 * s);
    } else {
        circlePath(cr, x, cy, kHeadR * s);
    }
    setRadial(cr, x - 2 * s, cy - 2 * s, 12 * s, {{0, pal::kSkin}, {1, scaled(pal::kSkin, 0.8)}});
    fillInk(cr, pal::kInk, kInkW);
    // Hair over the forehead.
    cairo_arc(cr, x, cy, kHeadR * s, kPi * 1.05, kPi * 1.95);
    cairo_curve_to(cr, x + 4 * s, cy - 4 * s, x - 4 * s, cy - 5 * s, x - kHeadR * s, cy - 1 * s);
    cairo_close_path(cr);
    setColor(cr, hair);
    fillInk(cr, pal::kInk, kInkW);
    for (int side = -1; side <= 1; side += 2) {
        circlePath(cr, x + side * 3.3 * s, cy + 0.5 * s, 1.3 * s);
        setColor(cr, pal::kInk);
        cairo_fill(cr);
        circlePath(cr, x + side * 6 * s, cy + 4 * s, 1.8 * s);
        setColor(cr, rgb(240, 120, 120), 0.6);
        cairo_fill(cr);
    }
    if (chewing) {
        ellipsePath(cr, x, cy + 5 * s, 2.6 * s, 1.8 * s);
        setColor(cr, rgb(120, 40, 40));
        cairo_fill(cr);
    } else {
        cairo_arc(cr, x, cy + 2.5 * s, 3.5 * s, 0.2 * kPi, 0.8 * kPi);
        setColor(cr, pal::kInk);
        cairo_set_line_width(cr, 1.1 * s);
        cairo_stroke(cr);
    }
    hat(cr, x, y, s, h);
}

void xmasTree(cairo_t* cr, Rng& rng, double x, double baseY, double h)
{
    present(cr, x - h * 0.3, baseY, h * 0.16, h * 0.12, pal::kRed, pal::kGold);
    firTree(cr, x, baseY, h, pal::kGreen, pal::kInk, false);
    // Baubles and lights scattered inside the crown's outline.
    const Rgb colours[] = {pal::kRed, pal::kGold, rgb(70, 130, 230), pal::kSnow};
    for (int i = 0; i < static_cast<int>(h / 4); ++i) {
        const double t = rng.range(0.12, 0.88);  // height up the crown
        const double halfW = h * 0.3 * (1 - t);
        const double bx = x + rng.range(-halfW, halfW), by = baseY - h * 0.1 - t * h * 0.85;
        const Rgb c = colours[rng.below(4)];
        if (rng.unit() < 0.5) {
            glow(cr, bx, by, 4, pal::kGoldLight, 0.6);
            circlePath(cr, bx, by, 1.1);
            setColor(cr, pal::kGoldLight);
            cairo_fill(cr);
        } else {
            circlePath(cr, bx, by, std::max(1.6, h * 0.025));
            setRadial(cr, bx - 0.8, by - 0.8, h * 0.035,
                      {{0, scaled(c, 1.6)}, {1, scaled(c, 0.6)}});
            fillInk(cr, pal::kInk, 0.7);
        }
    }
    // The star on top.
    const double sy = baseY - h, sr = std::max(4.0, h * 0.07);
    glow(cr, x, sy, sr * 3, pal::kGoldLight, 0.6);
    cairo_move_to(cr, x, sy - sr);
    for (int i = 1; i < 10; ++i) {
        const double a = -kPi / 2 + i * kPi / 5, r = (i % 2) ? sr * 0.45 : sr;
        cairo_line_to(cr, x + r * std::cos(a), sy + r * std::sin(a));
    }
    cairo_close_path(cr);
    setColor(cr, pal::kGold);
    fillInk(cr, pal::kGoldDark, 0.8);
}

void present(cairo_t* cr, double x, double baseY, double w, double h, Rgb box, Rgb ribbon)
{
    cairo_rectangle(cr, x, baseY - h, w, h);
    setVGradient(cr, baseY - h, baseY, {{0, scaled(box, 1.2)}, {1, scaled(box, 0.7)}});
    fillInk(cr, pal::kInk, kInkW);
    fillRect(cr, x + w * 0.42, baseY - h, w * 0.16, h, ribbon);
    fillRect(cr, x, baseY - h * 0.6, w, h * 0.14, ribbon);
    for (int side = -1; side <= 1; side += 2) {
        ellipsePath(cr, x + w / 2 + side * w * 0.14, baseY - h - h * 0.1, w * 0.14, h * 0.12);
        setColor(cr, ribbon);
        fillInk(cr, pal::kInk, 0.8);
    }
}

void candle(cairo_t* cr, double x, double baseY, double w, double h, Rgb body)
{
    const double top = baseY - h;
    glow(cr, x, top - w * 0.9, w * 5, pal::kWindow, 0.35);
    cairo_rectangle(cr, x - w / 2, top, w, h);
    setHGradient(cr, x - w / 2, x + w / 2,
                 {{0, scaled(body, 0.7)}, {0.35, scaled(body, 1.3)}, {1, scaled(body, 0.6)}});
    fillInk(cr, pal::kInk, kInkW);
    // A drip of wax and the wick.
    ellipsePath(cr, x - w * 0.2, top + w * 0.5, w * 0.18, w * 0.5);
    setColor(cr, scaled(body, 1.3));
    cairo_fill(cr);
    fillRect(cr, x - 0.5, top - w * 0.3, 1, w * 0.3, pal::kInk);
    const double fy = top - w * 0.3;
    cairo_move_to(cr, x, fy - w * 1.3);
    cairo_curve_to(cr, x + w * 0.5, fy - w * 0.6, x + w * 0.45, fy, x, fy);
    cairo_curve_to(cr, x - w * 0.45, fy, x - w * 0.5, fy - w * 0.6, x, fy - w * 1.3);
    cairo_close_path(cr);
    setRadial(cr, x, fy - w * 0.3, w * 0.9,
              {{0, rgb(255, 255, 230)}, {0.5, rgb(255, 220, 90)}, {1, rgb(255, 130, 30)}});
    cairo_fill(cr);
}

void snowman(cairo_t* cr, double x, double baseY, double h)
{
    const double r[] = {h * 0.24, h * 0.18, h * 0.13};
    double cy = baseY - r[0];
    for (int i = 0; i < 3; ++i) {
        circlePath(cr, x, cy, r[i]);
        setRadial(cr, x - r[i] * 0.4, cy - r[i] * 0.4, r[i] * 1.6,
                  {{0, pal::kSnow}, {0.7, pal::kSnowShade}, {1, pal::kSnowDeep}});
        fillInk(cr, pal::kInk, kInkW);
        if (i < 2)
            cy -= r[i] + r[i + 1] * 0.8;
    }
    // Coal eyes and smile, carrot nose, buttons.
    for (int side = -1; side <= 1; side += 2) {
        circlePath(cr, x + side * r[2] * 0.35, cy - r[2] * 0.2, std::max(0.9, r[2] * 0.1));
        setColor(cr, pal::kInk);
        cairo_fill(cr);
    }
    for (int i = -2; i <= 2; ++i) {
        circlePath(cr, x + i * r[2] * 0.17, cy + r[2] * 0.45 - (2 - std::abs(i)) * r[2] * 0.07,
                   std::max(0.6, r[2] * 0.06));
        cairo_fill(cr);
    }
    cairo_move_to(cr, x, cy - r[2] * 0.08);
    cairo_line_to(cr, x + r[2] * 0.9, cy + r[2] * 0.1);
    cairo_line_to(cr, x, cy + r[2] * 0.2);
    cairo_close_path(cr);
    setColor(cr, rgb(250, 130, 30));
    fillInk(cr, pal::kInk, 0.8);
    for (int i = 0; i < 3; ++i) {
        circlePath(cr, x, baseY - r[0] * 2 - r[1] * 0.1 + i * r[1] * 0.5,
                   std::max(0.8, r[1] * 0.1));
        setColor(cr, pal::kInk);
        cairo_fill(cr);
    }
    // A red scarf.
    roundedRectPath(cr, x - r[2] * 1.05, cy + r[2] * 0.75, r[2] * 2.1, r[2] * 0.4, r[2] * 0.15);
    setColor(cr, pal::kRed);
    fillInk(cr, pal::kInk, kInkW);
}

void cookie(cairo_t* cr, double x, double y, double s)
{
    const Rgb dough = rgb(196, 112, 52);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    for (int pass = 0; pass < 2; ++pass) {
        setColor(cr, pass ? dough : rgb(92, 44, 16));
        cairo_set_line_width(cr, (pass ? 3.2 : 4.8) * s);
        const double limbs[][4] = {
            {-1, -1, -4.5, -3}, {1, -1, 4.5, -3}, {-1, 2, -3, 5.5}, {1, 2, 3, 5.5}};
        for (const auto& l : limbs) {
            cairo_move_to(cr, x + l[0] * s, y + l[1] * s);
            cairo_line_to(cr, x + l[2] * s, y + l[3] * s);
            cairo_stroke(cr);
        }
        circlePath(cr, x, y - 4.5 * s, (pass ? 2.6 : 3.4) * s);
        cairo_fill(cr);
        roundedRectPath(cr, x - (pass ? 2.2 : 3) * s, y - 3 * s, (pass ? 4.4 : 6) * s, 6 * s,
                        1.5 * s);
        cairo_fill(cr);
    }
    for (int i = 0; i < 2; ++i) {
        circlePath(cr, x, y - 0.8 * s + i * 2.4 * s, 0.7 * s);
        setColor(cr, i ? pal::kGreen : pal::kRed);
        cairo_fill(cr);
    }
}

void sodaCan(cairo_t* cr, double x, double baseY, double h, Rgb body)
{
    const double w = h * 0.55;
    roundedRectPath(cr, x, baseY - h, w, h, w * 0.15);
    setHGradient(cr, x, x + w,
                 {{0, scaled(body, 0.6)}, {0.3, scaled(body, 1.4)}, {1, scaled(body, 0.5)}});
    fillInk(cr, pal::kInk, kInkW);
    fillRect(cr, x + 1, baseY - h * 0.62, w - 2, h * 0.2, pal::kSnow, 0.85);
    fillRect(cr, x + 1, baseY - h + 1, w - 2, h * 0.08, rgb(200, 200, 210));
}

void mug(cairo_t* cr, double x, double baseY, double h, Rgb body, bool steaming)
{
    const double w = h * 0.8;
    cairo_arc(cr, x + w, baseY - h * 0.55, h * 0.25, -kPi / 2, kPi / 2);
    setColor(cr, body);
    cairo_set_line_width(cr, h * 0.12);
    cairo_stroke(cr);
    roundedRectPath(cr, x, baseY - h, w, h, h * 0.12);
    setHGradient(cr, x, x + w,
                 {{0, scaled(body, 0.7)}, {0.35, scaled(body, 1.3)}, {1, scaled(body, 0.6)}});
    fillInk(cr, pal::kInk, kInkW);
    ellipsePath(cr, x + w / 2, baseY - h + 1.5, w / 2 - 1.5, h * 0.08);
    setColor(cr, rgb(110, 30, 30));  // mulled wine
    cairo_fill(cr);
    if (steaming) {
        for (int i = 0; i < 2; ++i) {
            const double sx = x + w * (0.35 + i * 0.3);
            cairo_move_to(cr, sx, baseY - h - 2);
            cairo_curve_to(cr, sx - 3, baseY - h - 6, sx + 3, baseY - h - 9, sx, baseY - h - 13);
            setColor(cr, rgb(255, 255, 255), 0.45);
            cairo_set_line_width(cr, 1.6);
            cairo_stroke(cr);
        }
    }
}

void fairyLights(cairo_t* cr, Rng& rng, double x0, double x1, double y, double sag, int bulbs)
{
    auto at = [&](double t, double& px, double& py) {
        px = x0 + (x1 - x0) * t;
        py = y + sag * 4 * t * (1 - t);
    };
    cairo_move_to(cr, x0, y);
    cairo_curve_to(cr, x0 + (x1 - x0) / 3, y + sag * 1.33, x1 - (x1 - x0) / 3, y + sag * 1.33, x1,
                   y);
    setColor(cr, rgb(20, 40, 24));
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    const Rgb colours[] = {pal::kRedLight, pal::kGoldLight, rgb(120, 200, 255), rgb(140, 255, 140)};
    for (int i = 0; i < bulbs; ++i) {
        double px, py;
        at((i + 0.5) / bulbs, px, py);
        const Rgb c = colours[(i + rng.below(2)) % 4];
        glow(cr, px, py + 2, 7, c, 0.45);
        ellipsePath(cr, px, py + 2, 1.6, 2.4);
        setColor(cr, mix(c, rgb(255, 255, 255), 0.4));
        cairo_fill(cr);
    }
}

void hall(cairo_t* cr, double w, double h, double floorY, Rgb wall, Rgb floor)
{
    cairo_rectangle(cr, 0, 0, w, floorY);
    setVGradient(cr, 0, floorY, {{0, scaled(wall, 0.45)}, {1, wall}});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, floorY, w, h - floorY);
    setVGradient(cr, floorY, h, {{0, floor}, {1, scaled(floor, 0.4)}});
    cairo_fill(cr);
    fillRect(cr, 0, floorY - 3, w, 3, scaled(wall, 0.55));  // skirting board
}
