// The pictures of the party's pastimes: the gingerbread-eating contest, the
// sauna, the bar, the snowman who games, and the scoreboard.
#include <cmath>
#include <string>

#include "common/rng.h"
#include "palette.h"
#include "pictures.h"
#include "props.h"
#include "shapes.h"
#include "text.h"

namespace {
constexpr double kInkW = 1.3;

void banner(cairo_t* cr, double cx, double y, double w, const char* text)
{
    cairo_move_to(cr, cx - w / 2, y);
    cairo_line_to(cr, cx + w / 2, y);
    cairo_line_to(cr, cx + w / 2 - 8, y + 9);
    cairo_line_to(cr, cx + w / 2, y + 18);
    cairo_line_to(cr, cx - w / 2, y + 18);
    cairo_line_to(cr, cx - w / 2 + 8, y + 9);
    cairo_close_path(cr);
    setVGradient(cr, y, y + 18, {{0, pal::kRedLight}, {0.4, pal::kRed}, {1, pal::kRedDark}});
    fillInk(cr, pal::kInk, kInkW);
    useFont(cr, Face::SansBold, 11);
    outlinedText(cr, text, cx, y + 13, pal::kGoldLight, pal::kInk, 2.5);
}

void steam(cairo_t* cr, Rng& rng, double x, double y, double size)
{
    for (int i = 0; i < 7; ++i) {
        circlePath(cr, x + rng.range(-size, size), y - rng.range(0, size * 1.5),
                   rng.range(size * 0.4, size * 0.8));
        setColor(cr, rgb(255, 255, 255), 0.12);
        cairo_fill(cr);
    }
}

void trophy(cairo_t* cr, double x, double baseY, double h)
{
    const double w = h * 0.6;
    glow(cr, x, baseY - h * 0.6, h, pal::kGoldLight, 0.35);
    cairo_rectangle(cr, x - w * 0.35, baseY - h * 0.15, w * 0.7, h * 0.15);
    setColor(cr, rgb(60, 40, 30));
    fillInk(cr, pal::kInk, kInkW);
    cairo_move_to(cr, x - w * 0.1, baseY - h * 0.15);
    cairo_line_to(cr, x - w * 0.06, baseY - h * 0.45);
    cairo_line_to(cr, x + w * 0.06, baseY - h * 0.45);
    cairo_line_to(cr, x + w * 0.1, baseY - h * 0.15);
    cairo_close_path(cr);
    setColor(cr, pal::kGold);
    fillInk(cr, pal::kInk, kInkW);
    for (int side = -1; side <= 1; side += 2) {
        cairo_arc(cr, x + side * w * 0.42, baseY - h * 0.78, h * 0.12, 0, 6.2832);
        setColor(cr, pal::kGoldDark);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, x - w / 2, baseY - h);
    cairo_curve_to(cr, x - w / 2, baseY - h * 0.5, x + w / 2, baseY - h * 0.5, x + w / 2,
                   baseY - h);
    cairo_close_path(cr);
    setHGradient(
        cr, x - w / 2, x + w / 2,
        {{0, pal::kGoldDark}, {0.35, pal::kGoldLight}, {0.6, pal::kGold}, {1, pal::kGoldDark}});
    fillInk(cr, pal::kInk, kInkW);
}
}  // namespace

void sceneGingerbread(cairo_t* cr)
{
    Rng rng(404);
    constexpr double kTable = 66;
    hall(cr, kPicW, kPicH, 78, rgb(110, 60, 46), rgb(80, 50, 40));
    fairyLights(cr, rng, 0, kPicW, 8, 6, 30);
    banner(cr, 330, 10, 210, "EAT! EAT! EAT!");
    // A wall clock counting down.
    circlePath(cr, 565, 36, 15);
    setColor(cr, pal::kSnow);
    fillInk(cr, pal::kInk, 2);
    cairo_move_to(cr, 565, 36);
    cairo_line_to(cr, 565, 26);
    cairo_move_to(cr, 565, 36);
    cairo_line_to(cr, 573, 40);
    setColor(cr, pal::kInk);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    const double who[] = {150, 320, 470};
    const Hat hats[] = {Hat::Santa, Hat::None, Hat::Beanie};
    const Rgb shirts[] = {pal::kRed, pal::kGreen, rgb(40, 60, 130)};
    for (int i = 0; i < 3; ++i)
        personFront(cr, who[i], 30 + i % 2 * 2, 1.3, shirts[i],
                    i == 2 ? rgb(200, 160, 80) : rgb(60, 36, 20), hats[i], i != 1);
    table(cr, 30, 610, kTable, 100, rgb(200, 190, 170));
    cairo_rectangle(cr, 30, kTable, 580, 14);  // the cloth
    setVGradient(cr, kTable, kTable + 14, {{0, pal::kSnow}, {1, pal::kSnowShade}});
    fillInk(cr, pal::kInk, kInkW);
    for (int i = 0; i < 3; ++i) {
        // A plate with a pile of gingerbread men in front of each eater.
        ellipsePath(cr, who[i], kTable + 2, 34, 6);
        setColor(cr, rgb(250, 250, 255));
        fillInk(cr, pal::kInk, 1);
        for (int k = 0; k < 5 - i; ++k)
            cookie(cr, who[i] - 18 + k * 9, kTable - 3 - (k % 2) * 2, 1.3);
    }
    // Crumbs everywhere.
    for (int i = 0; i < 60; ++i) {
        circlePath(cr, rng.range(40, 600), rng.range(kTable + 2, kTable + 14), rng.range(0.6, 1.4));
        setColor(cr, rgb(150, 80, 30));
        cairo_fill(cr);
    }
    cookie(cr, 60, 46, 2.4);
    cookie(cr, 600, 62, 2.0);
}

void sceneSauna(cairo_t* cr)
{
    Rng rng(505);
    // Pine boards all round, lit warm by the stove.
    cairo_rectangle(cr, 0, 0, kPicW, kPicH);
    setVGradient(cr, 0, kPicH, {{0, rgb(170, 100, 50)}, {1, rgb(90, 46, 20)}});
    cairo_fill(cr);
    for (double y = 4; y < kPicH; y += 9) {
        fillRect(cr, 0, y, kPicW, 1, rgb(90, 46, 20), 0.7);
        for (double x = rng.range(0, 120); x < kPicW; x += rng.range(90, 200))
            fillRect(cr, x, y, 1, 9, rgb(90, 46, 20), 0.6);
    }
    glow(cr, 90, 60, 200, rgb(255, 150, 60), 0.35);
    // Two benches, the upper one full of bathers.
    for (int tier = 0; tier < 2; ++tier) {
        const double y = tier ? 84 : 58;
        cairo_rectangle(cr, 160, y, 480, 8);
        setVGradient(cr, y, y + 8, {{0, rgb(230, 170, 100)}, {1, rgb(150, 90, 40)}});
        fillInk(cr, pal::kInk, kInkW);
    }
    const Rgb hair[] = {rgb(60, 36, 20), rgb(220, 190, 110), rgb(20, 18, 20), rgb(140, 60, 20)};
    for (int i = 0; i < 4; ++i)
        personFront(cr, 220 + i * 95, 22 + (i % 2) * 2, 1.3, pal::kSkin, hair[i],
                    i == 2 ? Hat::Santa : Hat::None, false);
    // Towels over the bathers' laps.
    for (int i = 0; i < 4; ++i) {
        roundedRectPath(cr, 200 + i * 95, 52, 40, 10, 3);
        setColor(cr, i % 2 ? pal::kSnow : rgb(120, 180, 240));
        fillInk(cr, pal::kInk, 1);
    }
    // The stove with its pile of hot stones.
    cairo_rectangle(cr, 40, 50, 80, 50);
    setVGradient(cr, 50, 100, {{0, rgb(70, 70, 80)}, {1, rgb(30, 30, 36)}});
    fillInk(cr, pal::kInk, 1.5);
    roundedRectPath(cr, 66, 74, 28, 12, 2);
    setRadial(cr, 80, 80, 16,
              {{0, rgb(255, 230, 120)}, {0.6, rgb(255, 120, 30)}, {1, rgb(140, 30, 10)}});
    fillInk(cr, pal::kInk, 1);
    for (int i = 0; i < 9; ++i) {
        const double sx = 50 + (i % 5) * 15 + (i / 5) * 7, sy = 46 - (i / 5) * 7;
        ellipsePath(cr, sx, sy, 8, 5.5);
        setRadial(cr, sx - 2, sy - 2, 8, {{0, rgb(150, 150, 150)}, {1, rgb(60, 60, 64)}});
        fillInk(cr, pal::kInk, 1);
    }
    steam(cr, rng, 80, 30, 16);
    steam(cr, rng, 110, 16, 20);
    // Bucket and ladle, and the thermometer telling the truth.
    cairo_move_to(cr, 128, 76);
    cairo_line_to(cr, 152, 76);
    cairo_line_to(cr, 149, 98);
    cairo_line_to(cr, 131, 98);
    cairo_close_path(cr);
    setHGradient(cr, 128, 152,
                 {{0, rgb(150, 90, 40)}, {0.4, rgb(220, 160, 90)}, {1, rgb(120, 70, 30)}});
    fillInk(cr, pal::kInk, kInkW);
    cairo_move_to(cr, 146, 78);
    cairo_line_to(cr, 166, 52);
    setColor(cr, rgb(200, 140, 70));
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);
    roundedRectPath(cr, 596, 28, 14, 46, 7);
    setColor(cr, rgb(240, 236, 226));
    fillInk(cr, pal::kInk, 1.2);
    fillRect(cr, 601.5, 34, 3, 30, pal::kRed);
    circlePath(cr, 603, 67, 4);
    setColor(cr, pal::kRed);
    cairo_fill(cr);
}

void sceneDrinks(cairo_t* cr)
{
    Rng rng(606);
    constexpr double kCounter = 66;
    hall(cr, kPicW, kPicH, kCounter, rgb(60, 36, 76), rgb(40, 26, 40));
    // Shelves of bottles behind the bar.
    for (int shelf = 0; shelf < 2; ++shelf) {
        const double sy = 44 + shelf * 20;
        fillRect(cr, 20, sy, 600, 3, rgb(120, 80, 50));
        for (double x = 30; x < 610; x += rng.range(12, 20)) {
            const double h = rng.range(12, 18);
            const Rgb c = mix(pal::kGreen, rgb(150, 60, 30), rng.unit());
            roundedRectPath(cr, x, sy - h, 6, h, 2);
            setHGradient(cr, x, x + 6,
                         {{0, scaled(c, 0.6)}, {0.4, scaled(c, 1.5)}, {1, scaled(c, 0.5)}});
            fillInk(cr, pal::kInk, 0.8);
        }
    }
    // Neon sign: glögg, the hot spiced wine of a northern Christmas.
    useFont(cr, Face::SansBold, 20);
    glow(cr, 320, 18, 70, rgb(255, 60, 120), 0.35);
    outlinedText(cr, "GL\u00d6GG", 320, 26, rgb(255, 200, 230), rgb(255, 40, 110), 3.5);
    fairyLights(cr, rng, 0, 230, 8, 5, 12);
    fairyLights(cr, rng, 410, kPicW, 8, 5, 12);
    // The counter and what stands on it.
    cairo_rectangle(cr, 0, kCounter, kPicW, 12);
    setVGradient(cr, kCounter, kCounter + 12, {{0, rgb(190, 120, 60)}, {1, rgb(90, 50, 24)}});
    fillInk(cr, pal::kInk, kInkW);
    cairo_rectangle(cr, 90, kCounter - 30, 50, 30);  // the glögg pot
    setHGradient(cr, 90, 140,
                 {{0, rgb(120, 120, 130)}, {0.35, rgb(230, 230, 240)}, {1, rgb(80, 80, 90)}});
    fillInk(cr, pal::kInk, kInkW);
    ellipsePath(cr, 115, kCounter - 30, 25, 4);
    setColor(cr, rgb(120, 20, 30));
    fillInk(cr, pal::kInk, 1);
    steam(cr, rng, 115, kCounter - 36, 12);
    for (int i = 0; i < 5; ++i)
        mug(cr, 160 + i * 24, kCounter + 1, 14, i % 2 ? pal::kRed : pal::kSnow, i < 3);
    // A pyramid of soda cans.
    const Rgb cans[] = {pal::kRed, rgb(40, 150, 70), rgb(40, 90, 200), rgb(230, 180, 30)};
    constexpr double kCanH = 13;
    for (int row = 0; row < 4; ++row)
        for (int i = 0; i < 4 - row; ++i)
            sodaCan(cr, 340 + row * 4 + i * 8, kCounter + 1 - row * kCanH, kCanH,
                    cans[(row + i) % 4]);
    for (int i = 0; i < 4; ++i) {  // tall bottles of cola
        const double x = 470 + i * 20;
        cairo_move_to(cr, x, kCounter + 1);
        cairo_line_to(cr, x, kCounter - 22);
        cairo_curve_to(cr, x, kCounter - 28, x + 3, kCounter - 30, x + 3, kCounter - 36);
        cairo_line_to(cr, x + 7, kCounter - 36);
        cairo_curve_to(cr, x + 7, kCounter - 30, x + 10, kCounter - 28, x + 10, kCounter - 22);
        cairo_line_to(cr, x + 10, kCounter + 1);
        cairo_close_path(cr);
        setHGradient(cr, x, x + 10,
                     {{0, rgb(40, 16, 10)}, {0.4, rgb(110, 50, 30)}, {1, rgb(30, 10, 6)}});
        fillInk(cr, pal::kInk, 1);
        fillRect(cr, x + 1, kCounter - 16, 8, 6, pal::kRed);
    }
}

void sceneSnowman(cairo_t* cr)
{
    Rng rng(909);
    constexpr double kDesk = 66;
    hall(cr, kPicW, kPicH, 80, rgb(44, 64, 110), rgb(50, 50, 70));
    // A window with the snow still falling outside.
    cairo_save(cr);
    cairo_rectangle(cr, 440, 12, 150, 56);
    cairo_clip(cr);
    cairo_rectangle(cr, 440, 12, 150, 56);
    setVGradient(cr, 12, 68, {{0, pal::kNightTop}, {1, pal::kNightHorizon}});
    cairo_fill(cr);
    for (int i = 0; i < 40; ++i) {
        circlePath(cr, rng.range(440, 590), rng.range(12, 68), rng.range(0.7, 1.6));
        setColor(cr, pal::kSnow, 0.9);
        cairo_fill(cr);
    }
    cairo_restore(cr);
    cairo_rectangle(cr, 440, 12, 150, 56);
    setColor(cr, rgb(220, 220, 230));
    cairo_set_line_width(cr, 4);
    cairo_stroke(cr);
    fillRect(cr, 513, 12, 4, 56, rgb(220, 220, 230));
    // The player: snowman on a chair, headphones on, at a screen of green.
    cairo_rectangle(cr, 170, 60, 60, 8);
    setColor(cr, rgb(60, 60, 70));
    fillInk(cr, pal::kInk, kInkW);
    snowman(cr, 200, 100, 92);
    cairo_arc(cr, 200, 29, 13, 3.14159 * 1.05, 3.14159 * 1.95);
    setColor(cr, rgb(40, 40, 50));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    for (int side = -1; side <= 1; side += 2) {
        ellipsePath(cr, 200 + side * 12, 31, 3.5, 5);
        setColor(cr, pal::kRed);
        fillInk(cr, pal::kInk, 1);
    }
    table(cr, 240, 430, kDesk, 100, rgb(140, 110, 90));
    crt(cr, rng, 290, 20, 60, rgb(110, 255, 150));
    keyboard(cr, 250, kDesk - 8, 50);
    // Stick arms reaching for the keys and the mouse.
    setColor(cr, rgb(100, 60, 30));
    cairo_set_line_width(cr, 2.2);
    cairo_move_to(cr, 214, 56);
    cairo_line_to(cr, 256, kDesk - 6);
    cairo_move_to(cr, 214, 62);
    cairo_line_to(cr, 240, 72);
    cairo_line_to(cr, 262, kDesk - 4);
    cairo_stroke(cr);
    ellipsePath(cr, 380, kDesk - 3, 6, 3.5);
    setColor(cr, rgb(220, 214, 190));
    fillInk(cr, pal::kInk, 1);
    // The fan that keeps him from melting.
    circlePath(cr, 90, 56, 18);
    setColor(cr, rgb(200, 210, 220));
    fillInk(cr, pal::kInk, kInkW);
    for (int b = 0; b < 3; ++b) {
        const double a = b * 2.094;
        ellipsePath(cr, 90 + 8 * std::cos(a), 56 + 8 * std::sin(a), 6, 3);
        setColor(cr, rgb(120, 150, 200));
        cairo_fill(cr);
    }
    fillRect(cr, 88, 74, 4, 26, rgb(120, 120, 130));
}

void sceneScores(cairo_t* cr)
{
    Rng rng(1010);
    hall(cr, kPicW, kPicH, 92, rgb(34, 40, 82), rgb(40, 40, 60));
    // The board: amber letters on black, framed in gold.
    const double bx = 110, by = 12, bw = 380, bh = 72;
    roundedRectPath(cr, bx, by, bw, bh, 4);
    setColor(cr, rgb(10, 10, 16));
    fillInk(cr, pal::kGold, 3);
    useFont(cr, Face::MonoBold, 11);
    const char* lines[] = {"  TEAM            FRAGS", "1 THE ELVES        42",
                           "2 SNOWBALLERS     37", "3 REINDEER RUSH   29", "4 GINGERBREADS    12"};
    for (int i = 0; i < 5; ++i) {
        const Rgb c = i == 0 ? rgb(120, 200, 255) : rgb(255, 190, 60);
        cairo_new_path(cr);
        textPath(cr, lines[i], bx + 14, by + 16 + i * 13);
        setColor(cr, c);
        cairo_fill(cr);
    }
    trophy(cr, 560, 88, 56);
    // Confetti in the party colours.
    const Rgb colours[] = {pal::kRed, pal::kGold, pal::kGreenLight, pal::kSnow, rgb(120, 180, 255)};
    for (int i = 0; i < 70; ++i) {
        const double x = rng.range(10, 630), y = rng.range(8, 100);
        if (x > bx - 4 && x < bx + bw + 4 && y < by + bh + 4)
            continue;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_rotate(cr, rng.range(0, 3.14));
        cairo_rectangle(cr, -2, -1, 4, 2);
        cairo_restore(cr);
        setColor(cr, colours[rng.below(5)]);
        cairo_fill(cr);
    }
    personBack(cr, 60, 60, 1.3, pal::kGreen, rgb(60, 36, 20), Hat::Santa, false);
}
