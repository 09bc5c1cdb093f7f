// Text through the DejaVu faces, loaded from their files so the result does
// not depend on the font configuration of the machine.
#pragma once

#include <cairo.h>

#include <string>

enum class Face { Sans, SansBold, Mono, MonoBold, Serif, SerifBold };

cairo_font_face_t* fontFace(Face face);

// Selects the face at the given size (in pixels per em), with grey
// antialiasing and no hinting, so glyphs land where the outlines say.
// squeeze < 1 narrows the glyphs.
void useFont(cairo_t* cr, Face face, double size, double squeeze = 1.0);

// Adds the text's outline to the path with its baseline starting at (x, y).
void textPath(cairo_t* cr, const std::string& s, double x, double y);

// Width of the text as it would be drawn with the current font.
double textWidth(cairo_t* cr, const std::string& s);

// Fills a text centred on x, with an outline of the given width drawn
// beneath the fill.
struct Rgb;
void outlinedText(cairo_t* cr, const std::string& s, double cx, double baseline, Rgb fill,
                  Rgb outline, double outlineWidth);
