// The twelve party pictures of the strip under the main scene. Each is 640 x
// 160, of which the strip shows the top 121 rows; the lower edge panel hides
// rows 0-6 and the snow bank covers much of rows 80-120, so everything that
// matters lies in rows 8-80. Every picture gets the same frame, so its
// column 0, stretched across the strip before the wipe, is a calm gradient.
#pragma once

#include <cairo.h>

constexpr int kPicW = 640;
constexpr int kPicH = 160;

// The scenes, each painting the whole picture (pictures_*.cpp).
void sceneVenue(cairo_t* cr);        // pics_1
void sceneScreens(cairo_t* cr);      // pics_2
void sceneCables(cairo_t* cr);       // pics_3
void sceneGingerbread(cairo_t* cr);  // pics_4
void sceneSauna(cairo_t* cr);        // pics_5
void sceneDrinks(cairo_t* cr);       // pics_6
void sceneSleeping(cairo_t* cr);     // pics_7
void sceneSwitch(cairo_t* cr);       // pics_8
void sceneSnowman(cairo_t* cr);      // pics_9
void sceneScores(cairo_t* cr);       // pics_10
void sceneCandles(cairo_t* cr);      // pics_11
void sceneDawn(cairo_t* cr);         // pics_12

// The party hall seen from outside, standing on (x, baseY), `scale` 1 being
// 300 px wide; windows lit or dark.
void venueBuilding(cairo_t* cr, double x, double baseY, double scale, bool lit);
