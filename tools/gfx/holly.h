// A holly sprig: two spiky leaves and three berries, centred on (x, y).
#pragma once

#include <cairo.h>

void holly(cairo_t* cr, double x, double y, double scale);
