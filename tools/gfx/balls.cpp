// The spinning ball: a red-and-white checkered sphere on a tilted axis,
// shaded by a light from the upper left. Each picture turns the checkers by
// a fifth of their repeat, so the five pictures the show cycles through loop
// without a jump (the sixth is the next step, the same as the first).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

#include "gfxgen.h"
#include "palette.h"

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr int kSize = 100;
constexpr double kCentre = 50.0;
constexpr double kRadius = 48.0;
constexpr int kFrames = 6;
constexpr int kLoop = 5;         // the show cycles the first five pictures
constexpr int kSegments = 16;    // checkers around the equator
constexpr int kBands = 8;        // checkers from pole to pole
constexpr double kTilt = -0.35;  // axis leaning right, radians
constexpr double kNod = 0.3;     // axis top tipped towards the viewer
constexpr int kSamples = 4;      // per pixel side, for smooth edges

struct Vec {
    double x, y, z;
};

double dot(Vec a, Vec b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec normalised(Vec v)
{
    const double l = std::sqrt(dot(v, v));
    return {v.x / l, v.y / l, v.z / l};
}

// Colour and coverage of one sample of the ball; coverage 0 outside.
struct Sample {
    double r, g, b, a;
};

Sample shade(double sx, double sy, double spin)
{
    const double dx = (sx - kCentre) / kRadius, dy = (sy - kCentre) / kRadius;
    const double d2 = dx * dx + dy * dy;
    if (d2 >= 1.0)
        return {0, 0, 0, 0};
    const Vec n{dx, dy, std::sqrt(1.0 - d2)};  // y down the screen, z to the viewer
    // Into the ball's own frame: undo the lean in the screen plane, then the nod.
    const double ct = std::cos(kTilt), st = std::sin(kTilt);
    const Vec a{ct * n.x + st * n.y, -st * n.x + ct * n.y, n.z};
    const double cn = std::cos(kNod), sn = std::sin(kNod);
    const Vec b{a.x, cn * a.y - sn * a.z, sn * a.y + cn * a.z};
    const double lat = std::asin(std::clamp(-b.y, -1.0, 1.0));
    const double lon = std::atan2(b.x, b.z) + spin;
    const int seg = static_cast<int>(std::floor(lon / (2 * kPi / kSegments)));
    const int band = static_cast<int>(std::floor((lat + kPi / 2) / (kPi / kBands)));
    const bool red = ((seg + band) & 1) != 0;
    const Rgb base = red ? rgb(222, 24, 36) : rgb(248, 246, 240);

    const Vec light = normalised({-0.5, -0.65, 0.6});
    const Vec half = normalised({light.x, light.y, light.z + 1.0});
    const double diffuse = std::max(0.0, dot(n, light));
    const double specular = std::pow(std::max(0.0, dot(n, half)), 40.0) * 0.9;
    const double rim = std::pow(1.0 - n.z, 3.0) * 0.35;  // darker limb reads as round
    const double k = 0.28 + 0.8 * diffuse - rim;
    auto ch = [&](double v) { return std::clamp(v * k + specular, 0.0, 1.0); };
    return {ch(base.r), ch(base.g), ch(base.b), 1.0};
}

void makeBall(const std::string& path, double spin)
{
    Canvas c(kSize, kSize, true);
    c.beginPixels();
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x) {
            double r = 0, g = 0, b = 0, a = 0;  // premultiplied sums
            for (int j = 0; j < kSamples; ++j)
                for (int i = 0; i < kSamples; ++i) {
                    const Sample s =
                        shade(x + (i + 0.5) / kSamples, y + (j + 0.5) / kSamples, spin);
                    r += s.r * s.a, g += s.g * s.a, b += s.b * s.a, a += s.a;
                }
            const double n = kSamples * kSamples;
            auto byte = [](double v) { return static_cast<int>(std::lround(v * 255.0)); };
            c.setPixel(x, y, argb(byte(a / n), byte(r / n), byte(g / n), byte(b / n)));
        }
    c.endPixels();
    c.savePng(path);
}
}  // namespace

void makeBalls(const std::string& dir)
{
    // One repeat of the pattern is two checkers of longitude.
    const double repeat = 2 * (2 * kPi / kSegments);
    for (int f = 0; f < kFrames; ++f) {
        char name[32];
        std::snprintf(name, sizeof name, "/boll%04d.png", f + 1);
        makeBall(dir + name, repeat * f / kLoop);
    }
}
