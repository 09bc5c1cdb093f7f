// The three raster bars that wind around the panel edges: polished metal
// tubes in red, green and gold, lit from above.
#include <cmath>
#include <string>

#include "gfxgen.h"
#include "palette.h"
#include "shapes.h"

namespace {
constexpr int kBarW = 640;
constexpr int kBarH = 14;

void metalBar(const std::string& path, Rgb base)
{
    Canvas c(kBarW, kBarH, false);
    cairo_t* cr = c.cr();
    // Dark rims, a bright band a little above the middle (the light is above)
    // and a near-white glint line: the classic copper look.
    cairo_rectangle(cr, 0, 0, kBarW, kBarH);
    setVGradient(cr, 0, kBarH,
                 {{0.0, scaled(base, 0.25)},
                  {0.22, scaled(base, 0.8)},
                  {0.38, mix(base, rgb(255, 255, 255), 0.75)},
                  {0.5, mix(base, rgb(255, 255, 255), 0.3)},
                  {0.75, scaled(base, 0.7)},
                  {1.0, scaled(base, 0.2)}});
    cairo_fill(cr);
    c.savePng(path);
}
}  // namespace

void makeRasterBars(const std::string& dir)
{
    metalBar(dir + "/bar_1.png", pal::kRed);
    metalBar(dir + "/bar_2.png", rgb(30, 160, 70));
    metalBar(dir + "/bar_3.png", rgb(236, 170, 40));
}
