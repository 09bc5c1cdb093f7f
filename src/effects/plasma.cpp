// The spectrum plasma. Bin x drives screen columns 320 + x and 320 - x; each
// has a bar hanging down from row 128 and its mirror image standing up from
// row 352, filled with a plasma pattern whose colours rotate with the clock,
// and a white peak dot beyond the end of each bar.
#include "effects/plasma.h"

#include <cmath>

#include "clock.h"
#include "extra.h"
#include "globals.h"
#include "spectrum_display.h"

Uint8 colors[kPaletteSize][4];
int plasma[kPlasmaColumns][kPlasmaRows];
Uint8 buffer[kPlasmaColumns][kPlasmaRows][4];

namespace {

constexpr int kMirrorSum = kScreenHeight;  // a lower bar's row is 480 - its table row
// A taller bar would read past the table's 300 rows.
static_assert(kPlasmaBarTop + kPlasmaMaxBarRows <= kPlasmaRows, "every bar within the table");
constexpr double kDotThreshold = 2.0;
constexpr int kUpperDotBase = 132;  // five rows below the upper bar's end
constexpr int kLowerDotBase = 350;  // three rows above the lower bar's end
// Beyond this both dots are off the screen anyway; the bound keeps a huge
// magnitude from overflowing the conversion to int.
constexpr double kScaledLimit = 1000.0;
constexpr double kTicksPerStep = 5.0;  // palette rotates one entry per 5 ms
constexpr int kQuarter = kPaletteSize / 4;

void fillPalette()
{
    for (int q = 0; q < kQuarter; q++) {
        // The first quarter's red is a saw of four teeth: red stripes on green.
        const Uint8 saw = static_cast<Uint8>(16 * q % 256);
        const Uint8 down = static_cast<Uint8>(254 - 4 * q);
        const Uint8 up = static_cast<Uint8>(4 * q + 1);
        Uint8* green = colors[q];
        green[0] = saw;
        green[1] = down;
        Uint8* red = colors[kQuarter + q];
        red[0] = 255;
        red[1] = up;
        Uint8* yellow = colors[2 * kQuarter + q];
        yellow[0] = down;
        yellow[1] = down;
        Uint8* dark = colors[3 * kQuarter + q];
        dark[1] = up;
    }
}

// The waves along x and along y alone are worked out once per column and
// row, not per cell: the same values, half the sines at start-up.
void fillTable()
{
    static double columnWave[kPlasmaColumns];
    static double rowWave[kPlasmaRows];
    for (int x = 0; x < kPlasmaColumns; x++)
        columnWave[x] = 128 * std::sin(x / 16.0) + 128 + 128;
    for (int y = 0; y < kPlasmaRows; y++)
        rowWave[y] = 128 * std::sin(y / 32.0) + 128;
    for (int x = 0; x < kPlasmaColumns; x++)
        for (int y = 0; y < kPlasmaRows; y++) {
            const int cx = x - kPlasmaColumns / 2;
            const int cy = y - kPlasmaRows / 2;
            const double fromCentre = std::sqrt(static_cast<double>(cx * cx + cy * cy));
            const double fromCorner = std::sqrt(static_cast<double>(x * x + y * y));
            double s = columnWave[x];
            s += rowWave[y];
            s += 64 * std::sin(fromCentre / 8) + 128;
            s += 128 * std::sin(fromCorner / 8);
            plasma[x][y] = toInt(static_cast<float>(s)) / 4;
        }
}

// The magnitude that bin `v` stands for, in rows. Anything that is not a
// finite non-negative number counts as silence.
double scaledLevel(float v)
{
    if (!std::isfinite(v) || v < 0)
        return 0.0;
    const double scaled = v * kPlasmaBarScale;
    return scaled < kScaledLimit ? scaled : kScaledLimit;
}

// Plots through drawPixel, mapping every colour anew.
struct PixelCalls {
    void begin() {}
    void end() {}
    void bar(int x, int y, const Uint8* cell, int) { drawPixel(screen, x, y, cell[0], cell[1], cell[2]); }
    void dot(int x, int y) { drawPixel(screen, x, y, 255, 255, 255); }
};

// Writes the same pixels straight into a locked 32-bit screen, with the
// palette mapped once per frame and the same clipping as drawPixel.
struct DirectWrites {
    Uint32 mapped[kPaletteSize];
    Uint32 white = 0;
    Uint8* pixels = nullptr;
    int pitch = 0;
    SDL_Rect clip{};

    void begin()
    {
        for (int e = 0; e < kPaletteSize; e++)
            mapped[e] = SDL_MapRGB(screen->format, colors[e][0], colors[e][1], colors[e][2]);
        white = SDL_MapRGB(screen->format, 255, 255, 255);
        clip = screen->clip_rect;
        if (SDL_MUSTLOCK(screen))
            SDL_LockSurface(screen);
        pixels = static_cast<Uint8*>(screen->pixels);
        pitch = screen->pitch;
    }
    void end()
    {
        if (SDL_MUSTLOCK(screen))
            SDL_UnlockSurface(screen);
    }
    void put(int x, int y, Uint32 c)
    {
        if (x < clip.x || y < clip.y || x >= clip.x + clip.w || y >= clip.y + clip.h)
            return;
        reinterpret_cast<Uint32*>(pixels + y * pitch)[x] = c;
    }
    void bar(int x, int y, const Uint8*, int e) { put(x, y, mapped[e]); }
    void dot(int x, int y) { put(x, y, white); }
};

// One table cell of one side: its colour goes into `buffer` and from there
// onto the upper bar's row and the lower bar's mirrored row.
template <class Plot>
void drawCell(Plot& plot, int column, int y, int t)
{
    const int e = (t + plasma[column][y]) % kPaletteSize;
    Uint8* cell = buffer[column][y];
    for (int i = 0; i < 4; i++)
        cell[i] = colors[e][i];
    plot.bar(column, y, cell, e);
    plot.bar(column, kMirrorSum - y, cell, e);
}

template <class Plot>
void drawBars(Plot& plot)
{
    const int t = toInt(static_cast<float>(getTicks() / kTicksPerStep));
    plot.begin();
    for (int x = 0; x < kDisplayBins; x++) {
        const double level = scaledLevel(spectrum[x]);
        const int p = toInt(static_cast<float>(level));
        const int h = p < kPlasmaMaxBarRows ? p : kPlasmaMaxBarRows;
        for (int y = kPlasmaBarTop; y < kPlasmaBarTop + h; y++) {
            drawCell(plot, kScreenCentreX + x, y, t);
            drawCell(plot, kScreenCentreX - x, y, t);
        }
        if (level > kDotThreshold) {
            plot.dot(kScreenCentreX + x, kUpperDotBase + p);
            plot.dot(kScreenCentreX - x, kUpperDotBase + p);
            plot.dot(kScreenCentreX + x, kLowerDotBase - p);
            plot.dot(kScreenCentreX - x, kLowerDotBase - p);
        }
    }
    plot.end();
}

}  // namespace

void initPlasma()
{
    fillPalette();
    fillTable();
}

void drawPlasma()
{
    // Direct writes assume four bytes a pixel; any other screen goes the
    // slow way.
    if (screen->format->BytesPerPixel != 4) {
        drawPlasmaPerPixel();
        return;
    }
    DirectWrites plot;
    drawBars(plot);
}

void drawPlasmaPerPixel()
{
    PixelCalls plot;
    drawBars(plot);
}
