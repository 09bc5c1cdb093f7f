#include "text.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdio>
#include <cstdlib>

#include "canvas.h"

namespace {
const char* const kFontDir = "/usr/share/fonts/truetype/dejavu/";
const char* const kFiles[] = {"DejaVuSans.ttf",     "DejaVuSans-Bold.ttf",
                              "DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf",
                              "DejaVuSerif.ttf",    "DejaVuSerif-Bold.ttf"};
constexpr int kFaceCount = sizeof(kFiles) / sizeof(kFiles[0]);

// Loaded on first use and kept until the process ends.
FT_Library library = nullptr;
cairo_font_face_t* faces[kFaceCount] = {};
}  // namespace

cairo_font_face_t* fontFace(Face face)
{
    const int i = static_cast<int>(face);
    if (faces[i])
        return faces[i];
    if (!library && FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "gfxgen: cannot start FreeType\n");
        std::exit(1);
    }
    const std::string path = std::string(kFontDir) + kFiles[i];
    FT_Face ft = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &ft) != 0) {
        std::fprintf(stderr, "gfxgen: cannot open %s (fonts-dejavu-core)\n", path.c_str());
        std::exit(1);
    }
    faces[i] = cairo_ft_font_face_create_for_ft_face(ft, 0);
    return faces[i];
}

void useFont(cairo_t* cr, Face face, double size, double squeeze)
{
    cairo_set_font_face(cr, fontFace(face));
    cairo_matrix_t m;
    cairo_matrix_init_scale(&m, size * squeeze, size);
    cairo_set_font_matrix(cr, &m);
    cairo_font_options_t* opt = cairo_font_options_create();
    cairo_font_options_set_antialias(opt, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(opt, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(opt, CAIRO_HINT_METRICS_OFF);
    cairo_set_font_options(cr, opt);
    cairo_font_options_destroy(opt);
}

void textPath(cairo_t* cr, const std::string& s, double x, double y)
{
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, s.c_str());
}

double textWidth(cairo_t* cr, const std::string& s)
{
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    return e.x_advance;
}

void outlinedText(cairo_t* cr, const std::string& s, double cx, double baseline, Rgb fill,
                  Rgb outline, double outlineWidth)
{
    cairo_new_path(cr);
    textPath(cr, s, cx - textWidth(cr, s) / 2, baseline);
    setColor(cr, outline);
    cairo_set_line_width(cr, outlineWidth);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke_preserve(cr);
    setColor(cr, fill);
    cairo_fill(cr);
}
