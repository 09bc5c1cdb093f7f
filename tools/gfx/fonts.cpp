// The show's three bitmap fonts, each with ASCII and the common accented
// Latin letters. mario3: the invitation, dark ink on the
// white bubble, every glyph inside a 10 x 20 cell since the text is laid on
// a 10 pixel grid with 20 pixel lines. newfont: large, muted ice-blue
// letters for the wavy background; newfont_inverted: its negative.
#include <cmath>
#include <string>

#include "gfxgen.h"
#include "palette.h"
#include "sfont.h"
#include "shapes.h"
#include "text.h"

namespace {
// Invitation font.
constexpr int kCellW = 10;
constexpr int kCellH = 20;
constexpr double kInkSize = 19.5;    // caps about 14 px high
constexpr double kInkSqueeze = 0.8;  // widest caps stay under 9 px
constexpr double kInkBaseline = 16.5;
constexpr double kInkMargin = 1;  // margin of accented letters' ink in the cell
const Rgb kInkTop = rgb(22, 34, 100);
const Rgb kInkBottom = rgb(8, 12, 44);
const Rgb kBubbleWhite = rgb(255, 255, 255);
constexpr uint32_t kWhite = 0xffffffffu;

// Background font.
constexpr int kBigH = 32;
constexpr double kBigSize = 38;  // caps about 28 px high
constexpr double kBigBaseline = 30;
constexpr double kBigOutline = 2.5;
constexpr double kBigMargin = kBigOutline / 2 + 0.5;  // margin: the outline stays inside too
constexpr int kBigPad = 2;
constexpr uint32_t kBlack = 0xff000000u;
const Rgb kNearBlack = rgb(1, 1, 3);

// The cells are as high as the ASCII glyphs need, so the accents of
// accented capitals would stick out above them and cedillas below: those
// letters (and only those, so the ASCII glyphs stay as they are) are
// squeezed towards the baseline, and moved, until their ink lies within
// `top`..`bottom`.
void fitInto(cairo_t* cr, int code, double baseline, double top, double bottom)
{
    if (code <= kLastAsciiGlyph)
        return;
    cairo_text_extents_t e;
    cairo_text_extents(cr, glyphText(code).c_str(), &e);
    // Accents are made room for by squeezing the letter onto its baseline;
    // a cedilla by lifting it, and only when both are too much by shrinking
    // the whole to the cell.
    const double above = -e.y_bearing;
    const double below = e.y_bearing + e.height;
    double f = 1;
    double shift = 0;
    if (baseline - above < top)
        f = (baseline - top) / above;
    if (baseline + f * below > bottom)
        shift = bottom - (baseline + f * below);
    if (baseline + shift - f * above < top) {
        f = (bottom - top) / e.height;
        shift = top + f * above - baseline;
    }
    cairo_translate(cr, 0, baseline + shift);
    cairo_scale(cr, 1, f);
    cairo_translate(cr, 0, -baseline);
}

void paintInk(cairo_t* cr, int code, int boxWidth)
{
    useFont(cr, Face::MonoBold, kInkSize, kInkSqueeze);
    fitInto(cr, code, kInkBaseline, kInkMargin, kCellH - kInkMargin);
    cairo_text_extents_t e;
    cairo_text_extents(cr, glyphText(code).c_str(), &e);
    // Centre the ink (not the advance) in the cell, on whole pixels so stems
    // stay sharp.
    const double x = std::round((boxWidth - e.width) / 2 - e.x_bearing);
    cairo_new_path(cr);
    textPath(cr, glyphText(code), x, kInkBaseline);
    setVGradient(cr, kInkBaseline - 14, kInkBaseline, {{0, kInkTop}, {1, kInkBottom}});
    cairo_fill(cr);
}

int bigWidth(int code)
{
    Canvas probe(1, 1, true);
    useFont(probe.cr(), Face::SansBold, kBigSize);
    cairo_text_extents_t e;
    cairo_text_extents(probe.cr(), glyphText(code).c_str(), &e);
    return static_cast<int>(std::ceil(e.width + kBigOutline)) + 2 * kBigPad;
}

void paintBig(cairo_t* cr, int code, int /*boxWidth*/)
{
    useFont(cr, Face::SansBold, kBigSize);
    fitInto(cr, code, kBigBaseline, kBigMargin, kBigH - kBigMargin);
    cairo_text_extents_t e;
    cairo_text_extents(cr, glyphText(code).c_str(), &e);
    cairo_new_path(cr);
    textPath(cr, glyphText(code), kBigPad + kBigOutline / 2 - e.x_bearing, kBigBaseline);
    setColor(cr, rgb(18, 26, 56));
    cairo_set_line_width(cr, kBigOutline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setVGradient(cr, kBigBaseline - 28, kBigBaseline,
                 {{0, rgb(84, 102, 146)}, {0.12, rgb(56, 74, 118)}, {1, rgb(26, 36, 72)}});
    cairo_fill(cr);
}
}  // namespace

void makeFonts(const std::string& dir)
{
    const SFontStyle ink{kCellH, kWhite, kBubbleWhite, 40, false};
    writeSFont(
        dir + "/mario3.bmp", ink, [](int) { return kCellW; }, paintInk);

    SFontStyle big{kBigH, kBlack, kNearBlack, 40, false};
    writeSFont(dir + "/newfont.bmp", big, bigWidth, paintBig);
    big.inverted = true;
    writeSFont(dir + "/newfont_inverted.bmp", big, bigWidth, paintBig);
}
