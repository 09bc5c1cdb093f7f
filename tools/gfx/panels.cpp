// The frame of the main scene: the night sky of the top panel, the knitted
// bottom panel, the two edges the raster bars wind around, the shadow strip
// and the snow bank along the bottom of the screen.
#include <algorithm>
#include <cmath>
#include <string>

#include "common/rng.h"
#include "gfxgen.h"
#include "palette.h"
#include "scenery.h"
#include "shapes.h"

namespace {
constexpr int kScreenW = 640;
constexpr int kPanelH = 121;      // rows 0-120 and 359-479
constexpr int kTopEdgeH = 20;     // drawn at row 109
constexpr int kBottomEdgeH = 14;  // drawn at row 352
constexpr int kShadowH = 12;
constexpr int kSnowBankH = 50;                 // drawn at row 430
constexpr int kGnomeX0 = 175, kGnomeX1 = 255;  // the gnome's hat rises here

void makeTop(const std::string& dir)
{
    Canvas c(kScreenW, kPanelH, false);
    cairo_t* cr = c.cr();
    Rng rng(1205);
    nightSky(cr, rng, kScreenW, 112, 150);
    moon(cr, 62, 36, 17);
    snowHills(cr, rng, kScreenW, 90, 9, kPanelH, 0.55);
    // Far spruces on the ridge, dark against the snow.
    for (int i = 0; i < 26; ++i) {
        const double x = rng.range(0, kScreenW);
        if (x > kGnomeX0 - 4 && x < kGnomeX1 + 4)
            continue;  // keep the hat's sky clear
        firTree(cr, x, 96 + rng.range(0, 6), rng.range(12, 22),
                mix(pal::kGreenDark, pal::kNight, 0.5), pal::kInk, true);
    }
    cottage(cr, rng, 96, 108, 48, 40, rgb(150, 40, 36));
    cottage(cr, rng, 300, 106, 40, 34, rgb(190, 150, 70));
    cottage(cr, rng, 470, 107, 52, 38, rgb(60, 90, 140));
    const double nearFirs[][2] = {{28, 36},  {160, 30}, {270, 34}, {372, 28},
                                  {420, 38}, {544, 32}, {616, 40}, {632, 30}};
    for (const auto& f : nearFirs)
        firTree(cr, f[0], 112, f[1], pal::kGreen, pal::kInk, true);
    snowHills(cr, rng, kScreenW, 108, 3, kPanelH, 0.05);
    c.savePng(dir + "/top.png");
}

// The bottom panel: a Christmas jumper, one stitch per 6 x 6 cell.
constexpr int kStitch = 6;
constexpr int kStitchCols = kScreenW / kStitch + 1;
constexpr int kStitchRows = kPanelH / kStitch + 1;

// Which colour a stitch has: 0 ground red, 1 snow white, 2 green, 3 gold.
int knitColour(int col, int row)
{
    // Borders mirrored top and bottom: green rim, dots, plain, a zigzag.
    const int edge = std::min(row, kStitchRows - 1 - row);
    const int k = col % 6;
    switch (edge) {
        case 0:
            return 2;
        case 1:
            return (col % 2) ? 1 : 0;
        case 2:
            return 0;
        case 3:
            return (k == 0 || k == 5) ? 3 : 0;
        case 4:
            return (k == 1 || k == 4) ? 3 : 0;
        default:
            break;
    }
    // Centre: eight-pointed stars, 11 stitches across, every 16 columns, with
    // small crosses between them.
    const int cy = kStitchRows / 2;
    const int dy = row - cy;
    const int dx = (col % 16) - 7;
    const int ax = std::abs(dx), ay = std::abs(dy);
    if (ax <= 5 && ay <= 5) {
        if (ax == 0 && ay == 0)
            return 0;
        if (ax == ay && ax <= 4)
            return 1;
        if ((ax == 0 || ay == 0) && ax + ay <= 5)
            return 1;
        if ((ax == 1 && ay >= 2 && ay <= 4) || (ay == 1 && ax >= 2 && ax <= 4))
            return 1;
        return 0;
    }
    // The cross sits on the seam between two stars (dx 8 here, -7 next door).
    if ((dx == 8 && ay <= 1) || (ay == 0 && (dx == 7 || dx == -7)))
        return 2;
    return 0;
}

void makeBottom(const std::string& dir)
{
    Canvas c(kScreenW, kPanelH, false);
    cairo_t* cr = c.cr();
    const Rgb colours[] = {rgb(168, 18, 32), pal::kSnow, pal::kGreen, pal::kGold};
    fillRect(cr, 0, 0, kScreenW, kPanelH, scaled(colours[0], 0.55));
    for (int row = 0; row < kStitchRows; ++row) {
        for (int col = 0; col < kStitchCols; ++col) {
            const Rgb base = colours[knitColour(col, row)];
            const double x = col * kStitch, y = row * kStitch;
            // A stitch is two slanted loops forming a V.
            for (int side = 0; side < 2; ++side) {
                const double sx = x + (side ? kStitch * 0.75 : kStitch * 0.25);
                cairo_save(cr);
                cairo_translate(cr, sx, y + kStitch * 0.5);
                cairo_rotate(cr, side ? -0.5 : 0.5);
                ellipsePath(cr, 0, 0, kStitch * 0.26, kStitch * 0.55);
                cairo_restore(cr);
                setVGradient(cr, y, y + kStitch, {{0, scaled(base, 1.15)}, {1, scaled(base, 0.7)}});
                cairo_fill(cr);
            }
        }
    }
    // Soft shading so the panel reads as cloth in the dark, not a flat print.
    cairo_rectangle(cr, 0, 0, kScreenW, kPanelH);
    setVGradient(cr, 0, kPanelH,
                 {{0, pal::kInk, 0.45}, {0.4, pal::kInk, 0.1}, {1, pal::kInk, 0.5}});
    cairo_fill(cr);
    c.savePng(dir + "/botton.png");
}

void icicle(cairo_t* cr, double x, double top, double len, double w)
{
    cairo_move_to(cr, x - w, top);
    cairo_curve_to(cr, x - w * 0.6, top + len * 0.5, x, top + len * 0.8, x, top + len);
    cairo_curve_to(cr, x, top + len * 0.8, x + w * 0.6, top + len * 0.5, x + w, top);
    cairo_close_path(cr);
    setHGradient(cr, x - w, x + w,
                 {{0, pal::kIce, 0.9}, {0.4, pal::kSnow, 0.95}, {1, pal::kSnowDeep, 0.9}});
    cairo_fill(cr);
}

// A wooden beam in night blue with gold trim: both edges use it.
void beam(cairo_t* cr, double y, double h)
{
    cairo_rectangle(cr, 0, y, kScreenW, h);
    setVGradient(cr, y, y + h,
                 {{0, rgb(70, 96, 170)}, {0.3, rgb(36, 52, 112)}, {1, rgb(10, 16, 48)}});
    cairo_fill(cr);
    fillRect(cr, 0, y, kScreenW, 1, pal::kGoldLight);
    fillRect(cr, 0, y + 1, kScreenW, 1, pal::kGoldDark);
    fillRect(cr, 0, y + h - 2, kScreenW, 1, pal::kGold);
    fillRect(cr, 0, y + h - 1, kScreenW, 1, pal::kGoldDark);
}

void makeTopEdge(const std::string& dir)
{
    Canvas c(kScreenW, kTopEdgeH, true);
    cairo_t* cr = c.cr();
    Rng rng(2512);
    constexpr double kBeamY = 9, kBeamH = 7;
    beam(cr, kBeamY, kBeamH);
    for (double x = 6; x < kScreenW; x += rng.range(9, 26))
        icicle(cr, x, kBeamY + kBeamH - 1, rng.range(3, kTopEdgeH - kBeamY - kBeamH + 1),
               rng.range(1.2, 2));
    // The snow blanket: one lumpy path along the whole beam.
    cairo_move_to(cr, -2, kBeamY);
    double x = -2;
    while (x < kScreenW + 2) {
        const double step = rng.range(14, 34);
        const double h = rng.range(3, kBeamY - 1);
        cairo_curve_to(cr, x + step * 0.15, kBeamY + 1 - h, x + step * 0.85, kBeamY + 1 - h,
                       x + step, kBeamY + 1 - h * 0.3);
        x += step;
    }
    cairo_line_to(cr, kScreenW + 2, kBeamY);
    for (double bx = kScreenW + 2; bx > -2;) {  // lower edge sags over the beam
        const double step = rng.range(20, 50);
        const double sag = rng.range(0.5, 1.5);
        cairo_curve_to(cr, bx - step * 0.3, kBeamY + sag, bx - step * 0.7, kBeamY + sag, bx - step,
                       kBeamY);
        bx -= step;
    }
    cairo_close_path(cr);
    setVGradient(cr, 0, kBeamY + 5, {{0, pal::kSnow}, {0.6, pal::kSnow}, {1, pal::kSnowShade}});
    fillInk(cr, pal::kSnowDeep, 1.0);
    for (int i = 0; i < 40; ++i) {  // glitter
        circlePath(cr, rng.range(0, kScreenW), rng.range(kBeamY - 3, kBeamY + 2), 0.7);
        setColor(cr, rng.unit() < 0.5 ? pal::kIce : pal::kGoldLight, 0.9);
        cairo_fill(cr);
    }
    c.savePng(dir + "/top_bar_snow.png");
}

void makeBottomEdge(const std::string& dir)
{
    Canvas c(kScreenW, kBottomEdgeH, false);
    cairo_t* cr = c.cr();
    Rng rng(352);
    beam(cr, 0, kBottomEdgeH);
    // A row of small baubles nailed along the beam.
    for (double x = 10; x < kScreenW; x += 20) {
        const Rgb col = (int(x) / 20) % 3 == 0   ? pal::kRed
                        : (int(x) / 20) % 3 == 1 ? pal::kGold
                                                 : pal::kGreen;
        circlePath(cr, x, kBottomEdgeH / 2.0, 2.6);
        setRadial(cr, x - 1, kBottomEdgeH / 2.0 - 1, 3.5,
                  {{0, scaled(col, 1.6)}, {0.5, col}, {1, scaled(col, 0.5)}});
        fillInk(cr, pal::kInk, 0.8);
    }
    c.savePng(dir + "/bar.png");
}

void makeShadow(const std::string& dir)
{
    Canvas c(kScreenW, kShadowH, true);
    cairo_rectangle(c.cr(), 0, 0, kScreenW, kShadowH);
    setVGradient(c.cr(), 0, kShadowH,
                 {{0, pal::kInk, 0.85}, {0.35, pal::kInk, 0.45}, {1, pal::kInk, 0}});
    cairo_fill(c.cr());
    c.savePng(dir + "/shaddow.png");
}

// A drift line: sum of a few gentle waves around `base`.
void driftPath(cairo_t* cr, Rng& rng, double base, double amp)
{
    const double p1 = rng.range(0, 6.3), p2 = rng.range(0, 6.3), p3 = rng.range(0, 6.3);
    cairo_move_to(cr, -2, kSnowBankH + 1);
    for (double x = -2; x <= kScreenW + 2; x += 2) {
        const double y =
            base - amp * (0.55 * std::sin(x * 0.011 + p1) + 0.3 * std::sin(x * 0.027 + p2) +
                          0.15 * std::sin(x * 0.06 + p3));
        cairo_line_to(cr, x, y);
    }
    cairo_line_to(cr, kScreenW + 2, kSnowBankH + 1);
    cairo_close_path(cr);
}

void makeSnowBank(const std::string& dir)
{
    Canvas c(kScreenW, kSnowBankH, true);
    cairo_t* cr = c.cr();
    Rng rng(430);
    // Back drifts are bluer, in shadow; the front one catches the light.
    const double layers[][3] = {{22, 12, 0.55}, {30, 10, 0.25}, {38, 7, 0.0}};
    for (const auto& l : layers) {
        driftPath(cr, rng, l[0], l[1]);
        const Rgb top = mix(pal::kSnow, pal::kSnowShade, l[2]);
        setVGradient(cr, l[0] - l[1], kSnowBankH,
                     {{0, top}, {0.5, mix(top, pal::kSnowShade, 0.4)}, {1, pal::kSnowDeep}});
        cairo_fill_preserve(cr);
        setColor(cr, pal::kSnowDeep, 0.8);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 70; ++i) {
        const double x = rng.range(0, kScreenW), y = rng.range(30, kSnowBankH);
        circlePath(cr, x, y, rng.range(0.5, 1.1));
        setColor(cr, rng.unit() < 0.3 ? pal::kIce : rgb(255, 255, 255), 0.95);
        cairo_fill(cr);
    }
    c.savePng(dir + "/snow_down.png");
}
}  // namespace

void makePanels(const std::string& dir)
{
    makeTop(dir);
    makeBottom(dir);
    makeTopEdge(dir);
    makeBottomEdge(dir);
    makeShadow(dir);
    makeSnowBank(dir);
}
