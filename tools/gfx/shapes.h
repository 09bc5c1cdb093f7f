// Small drawing blocks shared by all pictures: paths, gradients, glows and
// the outlined fill that gives every picture its crisp, inked look.
#pragma once

#include <cairo.h>

#include <initializer_list>

#include "canvas.h"

class Rng;

struct Stop {
    double at;
    Rgb color;
    double alpha = 1.0;
};

void circlePath(cairo_t* cr, double cx, double cy, double r);
void ellipsePath(cairo_t* cr, double cx, double cy, double rx, double ry);
void roundedRectPath(cairo_t* cr, double x, double y, double w, double h, double r);

// Vertical gradient between y0 and y1 as the source.
void setVGradient(cairo_t* cr, double y0, double y1, std::initializer_list<Stop> stops);
void setHGradient(cairo_t* cr, double x0, double x1, std::initializer_list<Stop> stops);
void setRadial(cairo_t* cr, double cx, double cy, double r, std::initializer_list<Stop> stops);

// Fills the current path with the current source, then strokes it in ink.
// The path is consumed.
void fillInk(cairo_t* cr, Rgb ink, double width);
// Same, with a flat fill colour.
void fillInk(cairo_t* cr, Rgb fill, Rgb ink, double width);

void fillRect(cairo_t* cr, double x, double y, double w, double h, Rgb c, double alpha = 1.0);

// A soft round light: colour at the centre fading to nothing at r.
void glow(cairo_t* cr, double cx, double cy, double r, Rgb c, double alpha);

// Stars over a rectangle: mostly faint points, a few bright ones with a
// four-pointed glint.
void starField(cairo_t* cr, Rng& rng, double x, double y, double w, double h, int count);

// A spruce of the given height standing on (x, baseY), tiers of boughs with
// snow lying on each.
void firTree(cairo_t* cr, double x, double baseY, double height, Rgb body, Rgb ink, bool snowy);

// A little six-armed snow crystal.
void crystal(cairo_t* cr, double cx, double cy, double r, Rgb c, double lineWidth);

// A lumpy white cap from x0 to x1 whose lower edge lies on y, up to
// `height` thick, shaded blue underneath.
void snowCap(cairo_t* cr, Rng& rng, double x0, double x1, double y, double height);
