// The logo: FROSTHEM (or a party's own word) in icy chrome letters with snow lying on top and
// icicles hanging below, and its shadow, a squashed dark silhouette. Both
// are keyed on pure black, so the art uses no pure black pixel.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "common/rng.h"
#include "gfxgen.h"
#include "keyed.h"
#include "palette.h"
#include "shapes.h"
#include "text.h"

namespace {
constexpr int kW = kLogoW;
constexpr int kH = kLogoH;
constexpr double kTextW = 336;  // letters, outline excluded
constexpr double kBaseline = 82;
constexpr double kFontSize = 78;
constexpr double kSqueeze = 0.74;  // tall, condensed letters
constexpr double kOutline = 5;
constexpr double kShadowSquash = kLogoShadowH / static_cast<double>(kLogoH);
constexpr uint32_t kBlack = 0xff000000u;
constexpr int kMinAlpha = 40;
const Rgb kOutlineInk = rgb(14, 26, 78);
const Rgb kEdge = rgb(4, 6, 20);  // soft edges fade to almost black
const char* const kWord = "FROSTHEM";

void letterPath(cairo_t* cr, const std::string& word)
{
    useFont(cr, Face::SansBold, kFontSize, kSqueeze);
    cairo_save(cr);
    const double w = textWidth(cr, word);
    cairo_translate(cr, (kW - kTextW) / 2, 0);
    cairo_scale(cr, kTextW / w, 1.0);
    cairo_new_path(cr);
    textPath(cr, word, 0, kBaseline);
    cairo_restore(cr);
}

// Coverage of the lettering with its outline, to find where snow can lie.
std::vector<int> silhouette(const std::string& word)
{
    Canvas m(kW, kH, true);
    letterPath(m.cr(), word);
    setColor(m.cr(), pal::kSnow);
    cairo_set_line_width(m.cr(), kOutline);
    cairo_stroke_preserve(m.cr());
    cairo_fill(m.cr());
    m.beginPixels();
    std::vector<int> a(kW * kH);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            a[y * kW + x] = alphaOf(m.pixel(x, y));
    return a;
}

// Snow on the top of every column's first solid pixel: overlapping blobs
// drawn three times (outline, shade, white) so the heap has an inked edge
// and a bluish underside.
void snowOnTop(cairo_t* cr, const std::vector<int>& mask, Rng& rng)
{
    struct Blob {
        double x, y, r;
    };
    std::vector<int> top(kW, -1);
    for (int x = 0; x < kW; ++x)
        for (int y = 1; y < kH; ++y)
            if (mask[y * kW + x] >= 128) {
                top[x] = y;
                break;
            }
    // Snow stays only on runs of nearly level tops; it slides off the round
    // shoulders of O and S and off narrow tips.
    constexpr int kMaxStep = 2, kMinRun = 6;
    std::vector<bool> level(kW, false);
    for (int x = 1; x + 1 < kW; ++x)
        level[x] = top[x] >= 0 && top[x - 1] >= 0 && top[x + 1] >= 0 &&
                   std::abs(top[x] - top[x - 1]) <= kMaxStep &&
                   std::abs(top[x + 1] - top[x]) <= kMaxStep;
    std::vector<Blob> blobs;
    double r = 3.5;
    for (int x = 0; x < kW;) {
        int end = x;
        while (end < kW && level[end])
            ++end;
        if (end - x >= kMinRun)
            for (int i = x; i < end; ++i) {
                r = std::clamp(r + rng.range(-0.45, 0.45), 2.4, 5.0);  // a wandering heap height
                blobs.push_back({i + 0.5, top[i] + r * 0.25, r});
            }
        x = end + 1;
    }
    const struct {
        double grow, lift;
        Rgb c;
    } passes[] = {{1.6, 0, kOutlineInk}, {0, 0, rgb(170, 200, 240)}, {-0.9, -0.9, pal::kSnow}};
    for (const auto& p : passes) {
        for (const Blob& b : blobs)
            circlePath(cr, b.x, b.y + p.lift, b.r + p.grow);
        setColor(cr, p.c);
        cairo_fill(cr);
    }
}

void icicles(cairo_t* cr, const std::vector<int>& mask, Rng& rng)
{
    for (int x = 4; x < kW - 4; x += 3) {
        if (rng.unit() > 0.22)
            continue;
        int bottom = -1;
        for (int y = kH - 1; y > 0; --y)
            if (mask[y * kW + x] >= 200 && mask[y * kW + x - 2] >= 200 &&
                mask[y * kW + x + 2] >= 200) {
                bottom = y;
                break;
            }
        if (bottom < 0 || bottom > kH - 6)
            continue;
        const double len = std::min(rng.range(5, 13), kH - 2.0 - bottom);
        const double w = rng.range(1.6, 2.6);
        cairo_move_to(cr, x - w, bottom - 1);
        cairo_curve_to(cr, x - w * 0.5, bottom + len * 0.5, x, bottom + len * 0.8, x + 0.3,
                       bottom + len);
        cairo_curve_to(cr, x + w * 0.3, bottom + len * 0.6, x + w * 0.6, bottom + len * 0.4, x + w,
                       bottom - 1);
        cairo_close_path(cr);
        setHGradient(cr, x - w, x + w, {{0, pal::kSnow}, {0.5, pal::kIce}, {1, rgb(80, 150, 220)}});
        fillInk(cr, kOutlineInk, 1.1);
    }
}

void sparkle(cairo_t* cr, double x, double y, double r)
{
    glow(cr, x, y, r * 0.8, rgb(255, 255, 255), 0.9);
    cairo_move_to(cr, x - r, y);
    cairo_curve_to(cr, x - 1, y - 1, x - 1, y - 1, x, y - r);
    cairo_curve_to(cr, x + 1, y - 1, x + 1, y - 1, x + r, y);
    cairo_curve_to(cr, x + 1, y + 1, x + 1, y + 1, x, y + r);
    cairo_curve_to(cr, x - 1, y + 1, x - 1, y + 1, x - r, y);
    setColor(cr, rgb(255, 255, 255));
    cairo_fill(cr);
}

void drawLogo(Canvas& art, const std::vector<int>& mask, const std::string& word)
{
    cairo_t* cr = art.cr();
    Rng rng(2005);
    icicles(cr, mask, rng);
    letterPath(cr, word);
    setColor(cr, kOutlineInk);
    cairo_set_line_width(cr, kOutline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    // Ice chrome: pale sky above a sharp horizon, deep blue below it rising
    // to a light rim at the foot of the letters.
    const double top = kBaseline - kFontSize * 0.73, mid = kBaseline - kFontSize * 0.36;
    setVGradient(cr, top, kBaseline,
                 {{0, rgb(255, 255, 255)},
                  {(mid - top) / (kBaseline - top) - 0.02, rgb(176, 222, 252)},
                  {(mid - top) / (kBaseline - top), rgb(36, 92, 186)},
                  {0.8, rgb(84, 156, 230)},
                  {1, rgb(200, 236, 255)}});
    cairo_fill(cr);
    snowOnTop(cr, mask, rng);
    const double sparkles[][3] = {{58, 40, 7}, {170, 68, 6}, {262, 38, 8}, {318, 70, 5}};
    for (const auto& s : sparkles)
        sparkle(cr, s[0], s[1], s[2]);
}
}  // namespace

void makeLogo(const std::string& dir)
{
    Canvas logo(kLogoW, kLogoH, false);
    Canvas shadow(kLogoW, kLogoShadowH, false);
    drawLogoArt(kWord, logo, shadow);
    logo.saveBmp(dir + "/frosthemliten.bmp");
    shadow.saveBmp(dir + "/frosthem_skugga.bmp");
}

void drawLogoArt(const std::string& word, Canvas& logo, Canvas& shadow)
{
    const std::vector<int> mask = silhouette(word);
    Canvas art(kW, kH, true);
    drawLogo(art, mask, word);
    flattenOverKey(art, logo, kBlack, kEdge, kMinAlpha);

    // The shadow: the finished logo's coverage, squashed, in a dark blue-grey.
    Canvas flat(kW, kLogoShadowH, true);
    cairo_t* cr = flat.cr();
    setVGradient(cr, 0, kLogoShadowH, {{0, rgb(30, 34, 60)}, {1, rgb(14, 16, 34)}});
    cairo_scale(cr, 1.0, kShadowSquash);
    cairo_mask_surface(cr, art.surface(), 0, 0);
    flattenOverKey(flat, shadow, kBlack, kEdge, kMinAlpha);
}
