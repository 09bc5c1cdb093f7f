// The generator's parts, one per family of pictures. Each draws its files
// into the given folder under the exact names the show loads.
#pragma once

#include <string>

void makePanels(const std::string& dir);       // top, botton, edges, shadow, snow bank
void makeRasterBars(const std::string& dir);   // bar_1 .. bar_3
void makeDecor(const std::string& dir);        // border_uppe, border_nere
void makeSnowflakes(const std::string& dir);   // snow1 .. snow3
void makeGnome(const std::string& dir);        // mun_1, mun_2, tomte
void makeGingerbread(const std::string& dir);  // grumpeldondansar 1..3
void makeBubble(const std::string& dir);       // bubbla
void makeLogo(const std::string& dir);         // frosthemliten, frosthem_skugga
// A logo of another word (UTF-8) in the same style onto `logo`, and its
// shadow onto `shadow`: opaque canvases of the sizes below, keyed on black.
constexpr int kLogoW = 360;
constexpr int kLogoH = 100;
constexpr int kLogoShadowH = 42;  // the logo squashed to 0.42 of its height
class Canvas;
void drawLogoArt(const std::string& word, Canvas& logo, Canvas& shadow);
void makeBalls(const std::string& dir);     // boll0001 .. boll0006
void makeFonts(const std::string& dir);     // mario3, newfont, newfont_inverted
void makePictures(const std::string& dir);  // pics_1 .. pics_12
void makeIcons(const std::string& dir);     // frosthem_32 .. frosthem_256, the program's icon
