// The winter night outdoors, shared by the top panel and the outdoor
// pictures of the strip: sky, moon, snowy hills, cottages and spruces.
#pragma once

#include <cairo.h>

#include "canvas.h"

class Rng;

// Sky gradient over [0, w) x [0, horizon], with stars and a faint aurora.
void nightSky(cairo_t* cr, Rng& rng, double w, double horizon, int stars);

// Full moon with its glow and a few darker seas.
void moon(cairo_t* cr, double cx, double cy, double r);

// Rolling snow from the curve y(x) = base - waves down to `bottom`; tint
// darkens the far ranges.
void snowHills(cairo_t* cr, Rng& rng, double w, double base, double waves, double bottom,
               double tint);

// A timber cottage standing on (x, baseY) with a snowy roof, warm windows
// and a chimney.
void cottage(cairo_t* cr, Rng& rng, double x, double baseY, double w, double h, Rgb wall);

// Smoke curling up from (x, y).
void smoke(cairo_t* cr, double x, double y, double height);
