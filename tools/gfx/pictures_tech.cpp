// The pictures of the machines: the hall full of glowing screens, the cable
// tangle under the tree, the switch that holds it all together, and the hall
// at four in the morning.
#include <cmath>

#include "common/rng.h"
#include "palette.h"
#include "pictures.h"
#include "props.h"
#include "shapes.h"
#include "text.h"

namespace {
const Rgb kScreenColours[] = {pal::kScreen, rgb(120, 255, 160), rgb(255, 160, 90),
                              rgb(200, 130, 255), rgb(255, 240, 120)};
constexpr int kScreenColourCount = 5;
const Rgb kShirts[] = {pal::kRed,        rgb(40, 60, 120),  pal::kGreen,
                       rgb(90, 90, 100), rgb(200, 120, 30), rgb(110, 40, 110)};
const Rgb kHair[] = {rgb(60, 36, 20), rgb(200, 160, 80), rgb(20, 18, 20), rgb(140, 60, 20)};

// A row of desks with monitors and their players seen from behind.
void gamerRow(cairo_t* cr, Rng& rng, double deskY, double s, double spacing, double x0)
{
    table(cr, 0, kPicW, deskY, deskY + 40 * s, rgb(120, 100, 90));
    for (double x = x0; x < kPicW + spacing; x += spacing) {
        crt(cr, rng, x - 22 * s, deskY - 36 * s, 44 * s,
            kScreenColours[rng.below(kScreenColourCount)]);
    }
    for (double x = x0; x < kPicW + spacing; x += spacing) {
        const Hat hat =
            rng.unit() < 0.4 ? Hat::Santa : (rng.unit() < 0.3 ? Hat::Beanie : Hat::None);
        personBack(cr, x + rng.range(-4, 4) * s, deskY - 2 * s, 1.25 * s, kShirts[rng.below(6)],
                   kHair[rng.below(4)], hat, rng.unit() < 0.5);
    }
}
}  // namespace

void sceneScreens(cairo_t* cr)
{
    Rng rng(202);
    hall(cr, kPicW, kPicH, 70, rgb(40, 50, 96), rgb(56, 48, 70));
    fairyLights(cr, rng, 0, 330, 10, 10, 16);
    fairyLights(cr, rng, 310, kPicW, 10, 10, 16);
    gamerRow(cr, rng, 36, 0.55, 42, 18);
    gamerRow(cr, rng, 66, 0.9, 78, 44);
}

void sceneCables(cairo_t* cr)
{
    Rng rng(303);
    constexpr double kFloor = 58;
    hall(cr, kPicW, kPicH, kFloor, rgb(70, 44, 52), rgb(110, 74, 46));
    fairyLights(cr, rng, 0, kPicW, 10, 8, 32);
    // A desk with its machines to the right of the tree.
    table(cr, 320, 610, 44, kFloor + 16, rgb(130, 100, 80));
    crt(cr, rng, 344, 12, 42, pal::kScreen);
    keyboard(cr, 392, 38, 40);
    crt(cr, rng, 440, 14, 38, rgb(255, 160, 90));
    pcTower(cr, 540, kFloor + 12, 18, 30);
    pcTower(cr, 400, kFloor + 14, 18, 30);
    pcTower(cr, 470, kFloor + 16, 18, 30);
    // The tangle first: it runs behind the tree and the presents.
    cables(cr, rng, 200, kFloor + 4, 560, kFloor + 20, 14);
    cables(cr, rng, 380, kFloor - 14, 560, kFloor + 10, 6);
    xmasTree(cr, rng, 120, kFloor + 16, 62);
    present(cr, 146, kFloor + 20, 26, 18, rgb(50, 90, 200), pal::kSnow);
    present(cr, 64, kFloor + 21, 30, 19, pal::kGreen, pal::kRed);
    present(cr, 176, kFloor + 22, 18, 12, pal::kGold, pal::kRed);
    // The power strip everything leads to, then the tangle on top of it all.
    roundedRectPath(cr, 280, kFloor + 12, 60, 9, 3);
    setColor(cr, rgb(230, 230, 230));
    fillInk(cr, pal::kInk, 1.2);
    for (int i = 0; i < 5; ++i)
        fillRect(cr, 285 + i * 11, kFloor + 15, 6, 3, pal::kInk);
    // A few strays cross over the strip and into the presents.
    cables(cr, rng, 150, kFloor + 10, 360, kFloor + 22, 6);
}

void sceneSwitch(cairo_t* cr)
{
    Rng rng(808);
    cairo_rectangle(cr, 0, 0, kPicW, kPicH);
    setVGradient(cr, 0, kPicH, {{0, rgb(26, 30, 44)}, {1, rgb(8, 10, 18)}});
    cairo_fill(cr);
    // Rack rails with their rows of square holes.
    for (double rx : {40.0, 586.0}) {
        cairo_rectangle(cr, rx, 0, 16, kPicH);
        setHGradient(cr, rx, rx + 16,
                     {{0, rgb(90, 96, 110)}, {0.5, rgb(170, 176, 190)}, {1, rgb(70, 74, 86)}});
        fillInk(cr, pal::kInk, 1);
        for (double hy = 10; hy < kPicH; hy += 10)
            fillRect(cr, rx + 5, hy, 6, 5, rgb(10, 10, 16));
    }
    networkSwitch(cr, rng, 50, 12, 546, 30, 24);
    networkSwitch(cr, rng, 50, 46, 546, 30, 24);
    // Patch cables plugged into the lower switch, sagging out of the picture.
    const Rgb colours[] = {rgb(60, 140, 255), rgb(240, 220, 40),  pal::kRed,
                           rgb(40, 200, 90),  rgb(230, 230, 230), rgb(255, 140, 30)};
    const double pw = 546 * 0.8 / 12;
    for (int i = 0; i < 12; ++i) {
        if (rng.unit() < 0.2)
            continue;
        const double px = 50 + 546 * 0.16 + i * pw + pw / 2;
        const double py = 46 + 30 * 0.58 + 30 * 0.13;
        const Rgb c = colours[rng.below(6)];
        const double endX = px + rng.range(-80, 80);
        for (int pass = 0; pass < 2; ++pass) {
            cairo_move_to(cr, px, py);
            cairo_curve_to(cr, px, py + 40, endX, py + 30, endX, kPicH + 5);
            setColor(cr, pass ? c : pal::kInk);
            cairo_set_line_width(cr, pass ? 3.2 : 5);
            cairo_stroke(cr);
        }
        cairo_rectangle(cr, px - 3.5, py - 2, 7, 6);  // the plug
        setColor(cr, rgb(220, 230, 240), 0.9);
        fillInk(cr, pal::kInk, 0.8);
    }
    // A strand of tinsel someone hung on the rack.
    fairyLights(cr, rng, 40, 602, 84, 14, 24);
}

void sceneSleeping(cairo_t* cr)
{
    Rng rng(707);
    constexpr double kFloor = 56;
    hall(cr, kPicW, kPicH, kFloor, rgb(26, 32, 70), rgb(36, 36, 60));
    // Moonlight through a high window.
    constexpr double kWindowX = 500, kWindowW = 100;
    cairo_rectangle(cr, kWindowX, 10, kWindowW, 30);
    setVGradient(cr, 10, 40, {{0, rgb(20, 30, 80)}, {1, rgb(60, 80, 150)}});
    fillInk(cr, pal::kInk, 1.5);
    circlePath(cr, kWindowX + 72, 22, 7);
    setColor(cr, rgb(250, 244, 220));
    cairo_fill(cr);
    fillRect(cr, kWindowX + kWindowW / 2 - 1.5, 10, 3, 30, pal::kInk);
    // Moonlight falling across the floor.
    cairo_move_to(cr, kWindowX, 40);
    cairo_line_to(cr, kWindowX + kWindowW, 40);
    cairo_line_to(cr, kWindowX - 40, kFloor + 40);
    cairo_line_to(cr, kWindowX - 160, kFloor + 40);
    cairo_close_path(cr);
    setColor(cr, rgb(160, 180, 255), 0.08);
    cairo_fill(cr);
    // Desks along the back, screens left on with a dim starry saver.
    table(cr, 0, kPicW, 36, kFloor + 2, rgb(70, 60, 70));
    for (double x = 110; x + 40 < kWindowX; x += 90)
        crt(cr, rng, x, 9, 34, rgb(30, 50, 120));
    // Sleeping bags between the desk legs, heads on pillows.
    const Rgb bags[] = {pal::kRed, rgb(40, 110, 200), pal::kGreen, rgb(200, 140, 30),
                        rgb(120, 60, 140)};
    for (int i = 0; i < 6; ++i) {
        const double bx = 20 + i * 104 + rng.range(-8, 8), by = kFloor + 10 + (i % 2) * 8;
        const Rgb c = bags[i % 5];
        roundedRectPath(cr, bx + 12, by - 7, 80, 16, 8);
        setVGradient(cr, by - 7, by + 9, {{0, scaled(c, 1.3)}, {1, scaled(c, 0.6)}});
        fillInk(cr, pal::kInk, 1.2);
        cairo_move_to(cr, bx + 40, by - 7);
        cairo_curve_to(cr, bx + 44, by, bx + 44, by + 4, bx + 40, by + 9);
        setColor(cr, scaled(c, 0.5));
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        ellipsePath(cr, bx + 8, by + 2, 10, 6);  // pillow
        setColor(cr, pal::kSnowShade);
        fillInk(cr, pal::kInk, 1);
        circlePath(cr, bx + 14, by - 2, 6.5);
        setColor(cr, kHair[i % 4]);
        fillInk(cr, pal::kInk, 1);
        useFont(cr, Face::SansBold, 8 + (i % 3) * 2);
        outlinedText(cr, "z", bx + 22, by - 14, pal::kSnow, pal::kInk, 1.5);
        useFont(cr, Face::SansBold, 6 + (i % 3) * 2);
        outlinedText(cr, "z", bx + 30, by - 22, pal::kSnow, pal::kInk, 1.5);
    }
    // Empty cans and a pizza box in the aisle.
    sodaCan(cr, 250, kFloor + 4, 12, pal::kRed);
    sodaCan(cr, 262, kFloor + 5, 12, rgb(40, 150, 70));
    cairo_rectangle(cr, 440, kFloor - 2, 40, 7);
    setColor(cr, rgb(210, 180, 130));
    fillInk(cr, pal::kInk, 1);
}
