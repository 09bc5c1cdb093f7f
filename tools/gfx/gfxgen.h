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
void makeBalls(const std::string& dir);        // boll0001 .. boll0006
void makeFonts(const std::string& dir);        // mario3, newfont, newfont_inverted
void makePictures(const std::string& dir);     // pics_1 .. pics_12
void makeIcons(const std::string& dir);        // frosthem_32 .. frosthem_256, the program's icon
