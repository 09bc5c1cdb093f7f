// Frames, captions and the list of the twelve pictures.
#include <string>

#include "gfxgen.h"
#include "palette.h"
#include "pictures.h"
#include "shapes.h"
#include "text.h"

namespace {
constexpr double kFrameW = 6;   // dark band, then gold and ink lines
constexpr double kTopLine = 7;  // first row below the edge panel
constexpr double kCaptionSize = 11;
constexpr double kCaptionY = 14;  // clear of the edge panel's shadow

struct Picture {
    const char* file;
    void (*scene)(cairo_t*);
    const char* caption;
    bool captionRight;
};

const Picture kPictures[] = {
    {"pics_1.png", sceneVenue, "THE VENUE", true},
    {"pics_2.png", sceneScreens, "THE HALL", false},
    {"pics_3.png", sceneCables, "CABLE SPAGHETTI", true},
    {"pics_4.png", sceneGingerbread, "GINGERBREAD CONTEST", false},
    {"pics_5.png", sceneSauna, "SAUNA 90\u00b0C", true},
    {"pics_6.png", sceneDrinks, "THE BAR", true},
    {"pics_7.png", sceneSleeping, "4 AM", false},
    {"pics_8.png", sceneSwitch, "THE BACKBONE", false},
    {"pics_9.png", sceneSnowman, "FROSTY FRAGS", true},
    {"pics_10.png", sceneScores, "THE SCORES", false},
    {"pics_11.png", sceneCandles, "ADVENT", false},
    {"pics_12.png", sceneDawn, "THE MORNING AFTER", false},
};

void frame(cairo_t* cr)
{
    const Rgb top = rgb(34, 46, 100), bottom = rgb(8, 12, 38);
    for (int side = 0; side < 2; ++side) {
        const double x = side ? kPicW - kFrameW : 0;
        cairo_rectangle(cr, x, 0, kFrameW, kPicH);
        setVGradient(cr, 0, kPicH, {{0, top}, {1, bottom}});
        cairo_fill(cr);
        fillRect(cr, side ? x - 1 : kFrameW - 2, 0, 1, kPicH, pal::kGold);
        fillRect(cr, side ? x - 2 : kFrameW - 1, 0, 1, kPicH, pal::kInk);
    }
    fillRect(cr, 0, 0, kPicW, kTopLine, top);
    fillRect(cr, 0, kTopLine - 2, kPicW, 1, pal::kGold);
    fillRect(cr, 0, kTopLine - 1, kPicW, 1, pal::kInk);
}

void caption(cairo_t* cr, const char* text, bool right)
{
    useFont(cr, Face::SansBold, kCaptionSize);
    const double w = textWidth(cr, text) + 12, h = 15;
    const double x = right ? kPicW - kFrameW - 8 - w : kFrameW + 8;
    roundedRectPath(cr, x, kCaptionY, w, h, 4);
    setColor(cr, pal::kInk, 0.8);
    cairo_fill_preserve(cr);
    setColor(cr, pal::kGold);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    outlinedText(cr, text, x + w / 2, kCaptionY + 11.5, pal::kSnow, pal::kInk, 2);
}
}  // namespace

void makePictures(const std::string& dir)
{
    for (const Picture& p : kPictures) {
        Canvas c(kPicW, kPicH, false);
        cairo_save(c.cr());
        p.scene(c.cr());
        cairo_restore(c.cr());
        frame(c.cr());
        caption(c.cr(), p.caption, p.captionRight);
        c.savePng(dir + "/" + p.file);
    }
}
