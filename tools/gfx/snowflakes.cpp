// The three depths of snow. The front flake is colour keyed on magenta after
// conversion to the display format, so it is drawn with hard edges: every
// pixel is either pure key or a flake colour, never a pinkish blend. The
// two back flakes keep their alpha and may be soft.
#include <cmath>
#include <string>

#include "gfxgen.h"
#include "keyed.h"
#include "palette.h"
#include "shapes.h"

namespace {
constexpr int kFrontSize = 14;
constexpr int kMiddleSize = 9;
constexpr int kBackSize = 5;
constexpr uint32_t kMagenta = 0xffff00ff;
constexpr int kSolidAlpha = 128;  // coverage from which a keyed pixel is flake

void makeFront(const std::string& dir)
{
    Canvas art(kFrontSize, kFrontSize, true);
    cairo_t* cr = art.cr();
    const double c = kFrontSize / 2.0;
    crystal(cr, c, c, c - 0.8, pal::kIce, 1.7);
    circlePath(cr, c, c, 2.4);
    setColor(cr, pal::kSnow);
    cairo_fill(cr);
    crystal(cr, c, c, c - 2.2, rgb(255, 255, 255), 0.9);

    Canvas out(kFrontSize, kFrontSize, false);
    // Soft edges are laid over snow white, not over the key, so no pixel turns
    // pink once the magenta around it is keyed out.
    flattenOverKey(art, out, kMagenta, pal::kSnow, kSolidAlpha);
    out.savePng(dir + "/snow1.png");
}

void makeMiddle(const std::string& dir)
{
    Canvas c(kMiddleSize, kMiddleSize, true);
    const double m = kMiddleSize / 2.0;
    glow(c.cr(), m, m, m, pal::kSnow, 0.9);
    crystal(c.cr(), m, m, m - 0.7, rgb(255, 255, 255), 0.8);
    c.savePng(dir + "/snow2.png");
}

void makeBack(const std::string& dir)
{
    Canvas c(kBackSize, kBackSize, true);
    const double m = kBackSize / 2.0;
    setRadial(c.cr(), m, m, m, {{0, pal::kSnow, 1}, {0.5, pal::kSnow, 0.7}, {1, pal::kIce, 0}});
    circlePath(c.cr(), m, m, m);
    cairo_fill(c.cr());
    c.savePng(dir + "/snow3.png");
}
}  // namespace

void makeSnowflakes(const std::string& dir)
{
    makeFront(dir);
    makeMiddle(dir);
    makeBack(dir);
}
