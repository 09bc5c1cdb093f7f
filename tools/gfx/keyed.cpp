#include "keyed.h"

#include <cmath>

void flattenOverKey(Canvas& art, Canvas& out, uint32_t key, Rgb edge, int minAlpha)
{
    art.beginPixels();
    out.beginPixels();
    const int er = static_cast<int>(std::lround(edge.r * 255));
    const int eg = static_cast<int>(std::lround(edge.g * 255));
    const int eb = static_cast<int>(std::lround(edge.b * 255));
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x) {
            const uint32_t p = art.pixel(x, y);
            const int a = alphaOf(p);
            if (a < minAlpha) {
                out.setPixel(x, y, key | 0xff000000u);
                continue;
            }
            // Premultiplied colour plus the edge colour for what is not covered.
            auto over = [a](int v, int e) { return v + (e * (255 - a) + 127) / 255; };
            uint32_t q = argb(255, over(redOf(p), er), over(greenOf(p), eg), over(blueOf(p), eb));
            if ((q & 0xffffff) == (key & 0xffffff)) {
                // One step towards the middle of the range keeps the colour and
                // leaves the key.
                const int b = blueOf(q);
                q = (q & 0xffffff00u) | uint32_t(b < 128 ? b + 1 : b - 1);
            }
            out.setPixel(x, y, q);
        }
    out.endPixels();
}
