// The props of the party pictures: computers and cables, people, and the
// Christmas things around them. All are drawn in the same inked, lightly
// shaded style; positions are in pixels of the picture being drawn.
#pragma once

#include <cairo.h>

#include "canvas.h"

class Rng;

// ---- computers (props_tech.cpp) ----
// A beige CRT monitor w wide on its foot, its screen glowing in `glow`
// with a few lines of something on it; (x, y) is its top left corner.
// Height is about 0.9 w.
void crt(cairo_t* cr, Rng& rng, double x, double y, double w, Rgb glow);
// A tower case standing on (x, baseY).
void pcTower(cairo_t* cr, double x, double baseY, double w, double h);
void keyboard(cairo_t* cr, double x, double y, double w);
// A long table top from x0 to x1 at `top`, with legs down to floorY.
void table(cairo_t* cr, double x0, double x1, double top, double floorY, Rgb wood);
// Loose, crossing cables between two areas, in many colours.
void cables(cairo_t* cr, Rng& rng, double x0, double y0, double x1, double y1, int count);
// A rack-mount switch, two rows of ports, each with a link light that the
// generator's numbers switch on or off (a still of blinking).
void networkSwitch(cairo_t* cr, Rng& rng, double x, double y, double w, double h, int ports);

// ---- people and Christmas things (props_xmas.cpp) ----
enum class Hat { None, Santa, Beanie };
// Head and shoulders seen from behind; (x, y) is the top of the head and s
// the scale (1: head 18 px across).
void personBack(cairo_t* cr, double x, double y, double s, Rgb shirt, Rgb hair, Hat hat,
                bool headphones);
// Seen from the front, eyes and mouth showing; `chewing` puffs the cheeks.
void personFront(cairo_t* cr, double x, double y, double s, Rgb shirt, Rgb hair, Hat hat,
                 bool chewing);
void xmasTree(cairo_t* cr, Rng& rng, double x, double baseY, double h);
void present(cairo_t* cr, double x, double baseY, double w, double h, Rgb box, Rgb ribbon);
void candle(cairo_t* cr, double x, double baseY, double w, double h, Rgb body);
void snowman(cairo_t* cr, double x, double baseY, double h);
void cookie(cairo_t* cr, double x, double y, double s);  // a gingerbread man, centred
void sodaCan(cairo_t* cr, double x, double baseY, double h, Rgb body);
void mug(cairo_t* cr, double x, double baseY, double h, Rgb body, bool steaming);
// A string of coloured bulbs hanging between (x0, y) and (x1, y).
void fairyLights(cairo_t* cr, Rng& rng, double x0, double x1, double y, double sag, int bulbs);
// Indoor backdrop: a wall down to floorY and a floor below it, both in the
// dark of a party hall at night.
void hall(cairo_t* cr, double w, double h, double floorY, Rgb wall, Rgb floor);
