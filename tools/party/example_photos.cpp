// The example party's "photos": night scenes of a party that is not ours,
// drawn at camera-like sizes and shapes so that the preparation step has
// real work: a landscape, a hall, a panorama and a portrait.
#include "example_party.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "canvas.h"
#include "common/rng.h"
#include "palette.h"
#include "shapes.h"
#include "text.h"

namespace {

const Rgb kAurora = rgb(80, 240, 150);
const Rgb kAuroraViolet = rgb(170, 90, 230);

// The whole picture, so that no ground line leaves a gap below the sky.
void nightSky(cairo_t* cr, Rng& rng, int w, double horizon)
{
    setVGradient(cr, 0, horizon,
                 {{0, pal::kNightTop}, {0.7, pal::kNight}, {1, pal::kNightHorizon}});
    cairo_paint(cr);
    starField(cr, rng, 0, 0, w, horizon * 0.8, w / 6);
}

// Curtains of light: thin vertical strokes along a wave, fading upwards.
void aurora(cairo_t* cr, Rng& rng, int w, double baseY, double height, double phase)
{
    for (double x = 0; x < w; x += 2) {
        const double y = baseY + std::sin(x / w * 5 + phase) * height * 0.25;
        const double len =
            height * (0.6 + 0.4 * std::sin(x / w * 13 + phase * 2)) * rng.range(0.85, 1);
        cairo_move_to(cr, x, y);
        cairo_line_to(cr, x, y - len);
        cairo_pattern_t* p = cairo_pattern_create_linear(0, y, 0, y - len);
        cairo_pattern_add_color_stop_rgba(p, 0, kAurora.r, kAurora.g, kAurora.b, 0.5);
        cairo_pattern_add_color_stop_rgba(p, 0.6, kAurora.r, kAurora.g, kAurora.b, 0.15);
        cairo_pattern_add_color_stop_rgba(p, 1, kAuroraViolet.r, kAuroraViolet.g, kAuroraViolet.b,
                                          0);
        cairo_set_source(cr, p);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        cairo_pattern_destroy(p);
    }
}

void snowGround(cairo_t* cr, int w, int h, double y, double wave)
{
    cairo_move_to(cr, 0, h);
    for (double x = 0; x <= w; x += 8)
        cairo_line_to(cr, x, y + std::sin(x / w * 7) * wave);
    cairo_line_to(cr, w, h);
    cairo_close_path(cr);
    setVGradient(cr, y - wave, h, {{0, pal::kSnow}, {1, pal::kSnowDeep}});
    cairo_fill(cr);
}

// A red wooden cabin with lit windows, its door at (x, baseY).
void cabin(cairo_t* cr, double x, double baseY, double size)
{
    fillRect(cr, x - size, baseY - size * 0.8, size * 2, size * 0.8, rgb(150, 30, 30));
    cairo_move_to(cr, x - size * 1.2, baseY - size * 0.8);
    cairo_line_to(cr, x, baseY - size * 1.5);
    cairo_line_to(cr, x + size * 1.2, baseY - size * 0.8);
    cairo_close_path(cr);
    setColor(cr, pal::kSnow);
    cairo_fill(cr);
    for (double dx : {-0.65, 0.35}) {
        glow(cr, x + (dx + 0.15) * size, baseY - size * 0.45, size * 0.6, pal::kWindow, 0.35);
        fillRect(cr, x + dx * size, baseY - size * 0.6, size * 0.3, size * 0.3, pal::kWindow);
    }
}

void hall(const std::string& path)
{
    constexpr int kW = 1024, kH = 768;
    Canvas c(kW, kH, false);
    cairo_t* cr = c.cr();
    setVGradient(cr, 0, kH, {{0, rgb(20, 18, 40)}, {1, rgb(50, 36, 60)}});
    cairo_paint(cr);
    // A banner on the back wall.
    roundedRectPath(cr, 192, 150, 640, 110, 14);
    setColor(cr, rgb(120, 24, 30));
    cairo_fill(cr);
    useFont(cr, Face::SansBold, 60);
    outlinedText(cr, "NORRSKEN LAN", 512, 228, pal::kSnow, pal::kInk, 4);
    // Rows of tables, the farthest first, each with glowing screens and the
    // backs of the players' heads.
    for (int row = 3; row >= 0; row--) {
        const double depth = 1 - row * 0.18, y = 720 - row * 85;
        const double margin = 40 + row * 60;
        fillRect(cr, margin, y, kW - 2 * margin, 14 * depth, pal::kWood);
        for (double x = margin + 20; x < kW - margin - 60 * depth; x += 110 * depth) {
            glow(cr, x + 30 * depth, y - 40 * depth, 70 * depth, pal::kScreen, 0.25);
            fillRect(cr, x, y - 70 * depth, 60 * depth, 45 * depth, pal::kScreen);
            circlePath(cr, x + 30 * depth, y + 30 * depth, 16 * depth);
            setColor(cr, rgb(10, 10, 20));
            cairo_fill(cr);
        }
    }
    // Paper stars along the ceiling.
    for (int i = 0; i < 7; i++)
        crystal(cr, 80 + i * 145, 60, 22, pal::kGoldLight, 3);
    c.savePng(path);
}

// An outdoor photo: night sky and aurora, then what stands under them.
struct Outdoor {
    const char* file;
    int w, h;
    std::uint32_t seed;
    double horizon;
    double auroraBase, auroraHeight, auroraPhase;
    void (*ground)(cairo_t* cr, Rng& rng, int w, int h);
};

void landscapeGround(cairo_t* cr, Rng& rng, int w, int h)
{
    snowGround(cr, w, h, 560, 30);
    for (int i = 0; i < 9; i++)
        firTree(cr, 60 + i * 135 + rng.range(-30, 30), 600 + rng.range(0, 60), rng.range(90, 160),
                pal::kGreenDark, pal::kInk, true);
    cabin(cr, 820, 640, 70);
}

// A moon over a frozen lake that mirrors the sky; pines on the far shore.
void lakeGround(cairo_t* cr, Rng& rng, int w, int h)
{
    glow(cr, 1900, 110, 120, pal::kGoldLight, 0.35);
    circlePath(cr, 1900, 110, 38);
    setColor(cr, rgb(250, 244, 220));
    cairo_fill(cr);
    setVGradient(cr, 330, h, {{0, pal::kIce}, {1, pal::kSnowShade}});
    cairo_rectangle(cr, 0, 330, w, h - 330);
    cairo_fill(cr);
    for (int x = 20; x < w; x += static_cast<int>(rng.range(30, 70)))
        firTree(cr, x, 340, rng.range(50, 110), pal::kGreenDark, pal::kInk, true);
}

// The sauna cabin with steam rising from its chimney.
void saunaGround(cairo_t* cr, Rng&, int w, int h)
{
    snowGround(cr, w, h, 700, 20);
    cabin(cr, 400, 820, 130);
    for (int i = 0; i < 6; i++)
        glow(cr, 470 + i * 12, 560 - i * 45, 40 + i * 8, pal::kSnowShade, 0.25);
}

const Outdoor kOutdoors[] = {
    {"aurora.png", 1200, 800, 2027, 560, 380, 260, 0.4, landscapeGround},
    {"lake.png", 2400, 500, 1903, 330, 240, 160, 2.0, lakeGround},
    {"sauna.png", 800, 1000, 42, 700, 420, 300, 4.0, saunaGround},
};

void outdoor(const Outdoor& o, const std::string& dir)
{
    Canvas c(o.w, o.h, false);
    cairo_t* cr = c.cr();
    Rng rng(o.seed);
    nightSky(cr, rng, o.w, o.horizon);
    aurora(cr, rng, o.w, o.auroraBase, o.auroraHeight, o.auroraPhase);
    o.ground(cr, rng, o.w, o.h);
    c.savePng(dir + "/" + o.file);
}

}  // namespace

void drawExamplePhotos(const std::string& dir)
{
    for (const Outdoor& o : kOutdoors)
        outdoor(o, dir);
    hall(dir + "/hall.png");
}
