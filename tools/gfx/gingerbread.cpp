// The dancing gingerbread man, three poses of one dance (the show loads them
// as a four-step cycle, forth and back). Limbs are thick round strokes, so a
// pose is just a set of joint angles.
#include <cmath>
#include <string>

#include "gfxgen.h"
#include "palette.h"
#include "shapes.h"

namespace {
constexpr int kW = 80;
constexpr int kH = 100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kLimb = 13;  // limb thickness
constexpr double kArmLen = 20, kLegLen = 24;
constexpr double kOutline = 3;  // extra width of the dark crust around it
const Rgb kDough = rgb(196, 112, 52);
const Rgb kCrust = rgb(92, 44, 16);
const Rgb kIcing = rgb(255, 252, 246);

// Angles in degrees, 0 = pointing right, 90 = down.
struct Pose {
    double leftArm, rightArm, leftLeg, rightLeg, lean, bob;
};

struct Limb {
    double x0, y0, x1, y1;
};

struct Body {
    double hx, hy;  // head centre
    Limb limbs[4];  // left arm, right arm, left leg, right leg
};

Body layout(const Pose& p)
{
    const double cx = kW / 2.0 + p.lean, top = 8 + p.bob;
    auto limb = [](double x, double y, double deg, double len) {
        const double a = deg * kPi / 180;
        return Limb{x, y, x + len * std::cos(a), y + len * std::sin(a)};
    };
    Body b{cx, top + 14, {}};
    b.limbs[0] = limb(cx - 9, top + 36, p.leftArm, kArmLen);
    b.limbs[1] = limb(cx + 9, top + 36, p.rightArm, kArmLen);
    b.limbs[2] = limb(cx - 7, top + 58, p.leftLeg, kLegLen);
    b.limbs[3] = limb(cx + 7, top + 58, p.rightLeg, kLegLen);
    return b;
}

// The whole silhouette; `grow` widens it for the crust.
void silhouette(cairo_t* cr, const Body& b, double grow, Rgb c)
{
    setColor(cr, c);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, kLimb + grow);
    for (const Limb& l : b.limbs) {
        cairo_move_to(cr, l.x0, l.y0);
        cairo_line_to(cr, l.x1, l.y1);
        cairo_stroke(cr);
    }
    circlePath(cr, b.hx, b.hy, 13 + grow / 2);
    cairo_fill(cr);
    roundedRectPath(cr, b.hx - 12 - grow / 2, b.hy + 10 - grow / 2, 24 + grow, 42 + grow, 10);
    cairo_fill(cr);
}

void icingZigzag(cairo_t* cr, const Limb& l)
{
    // Across the limb, a little way in from its end.
    const double dx = l.x1 - l.x0, dy = l.y1 - l.y0, len = std::hypot(dx, dy);
    const double ux = dx / len, uy = dy / len;
    const double mx = l.x1 - ux * 4, my = l.y1 - uy * 4;
    const double px = -uy, py = ux;
    cairo_move_to(cr, mx - px * 5, my - py * 5);
    for (int i = 1; i <= 4; ++i) {
        const double t = -5 + i * 2.5, off = (i % 2) ? 1.6 : -1.6;
        cairo_line_to(cr, mx + px * t + ux * off, my + py * t + uy * off);
    }
    setColor(cr, kIcing);
    cairo_set_line_width(cr, 1.6);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
}

void drawMan(cairo_t* cr, const Pose& p)
{
    const Body b = layout(p);
    silhouette(cr, b, kOutline, kCrust);
    // Baked colour: lighter in the middle, as if the light came from the front.
    cairo_push_group(cr);
    silhouette(cr, b, 0, kDough);
    cairo_pop_group_to_source(cr);
    cairo_paint(cr);
    glow(cr, b.hx - 4, b.hy - 4, 10, rgb(240, 170, 100), 0.5);
    for (const Limb& l : b.limbs)
        icingZigzag(cr, l);
    // Face: chocolate eyes, icing smile, pink cheeks.
    for (int side = -1; side <= 1; side += 2) {
        circlePath(cr, b.hx + side * 5, b.hy - 3, 2.2);
        setColor(cr, rgb(50, 22, 10));
        cairo_fill(cr);
        circlePath(cr, b.hx + side * 5 - 0.7, b.hy - 3.7, 0.7);
        setColor(cr, kIcing);
        cairo_fill(cr);
        circlePath(cr, b.hx + side * 8, b.hy + 3, 2);
        setColor(cr, rgb(255, 130, 140), 0.8);
        cairo_fill(cr);
    }
    cairo_arc(cr, b.hx, b.hy + 1, 6, 0.2 * kPi, 0.8 * kPi);
    setColor(cr, kIcing);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    // Three candy buttons.
    const Rgb buttons[] = {pal::kRed, pal::kGreen, pal::kGold};
    for (int i = 0; i < 3; ++i) {
        const double y = b.hy + 20 + i * 9;
        circlePath(cr, b.hx, y, 3);
        setRadial(cr, b.hx - 1, y - 1, 4, {{0, scaled(buttons[i], 1.6)}, {1, buttons[i]}});
        fillInk(cr, kCrust, 0.8);
    }
}
}  // namespace

void makeGingerbread(const std::string& dir)
{
    const Pose poses[] = {
        {-140, -40, 100, 80, -2, 0},  // arms up, cheering
        {160, 20, 105, 75, 0, 3},     // arms out, knees in
        {200, 60, 130, 70, 3, 1},     // one arm up, a kick to the side
    };
    const char* names[] = {"/grumpeldondansar.png", "/grumpeldondansar2.png",
                           "/grumpeldondansar3.png"};
    for (int i = 0; i < 3; ++i) {
        Canvas c(kW, kH, true);
        drawMan(c.cr(), poses[i]);
        c.savePng(dir + names[i]);
    }
}
