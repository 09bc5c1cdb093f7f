// Every picture and font of the show, loaded once at start-up and kept for
// the whole run.
// The show's own names (`img_shaddow`, `bajssurface`,
// `img_frosthemlogga_skugga` and the rest) are kept as they have always been,
// odd as some may look: they are the show's vocabulary.
#pragma once

#include <SDL.h>
#include <sge.h>

#include <string>

constexpr int kStripSlots = 12;  // the strip's pictures
constexpr int kBajsSlots = 14;   // those and two spare slots
constexpr int kAmigaBarCount = 3;

extern sge_bmpFont* font;                 // the invitation's font
extern sge_bmpFont* font_intro;           // the background letters
extern sge_bmpFont* font_intro_inverted;  // loaded, not drawn

extern SDL_Surface* img_snowflake;   // front snow, magenta keyed
extern SDL_Surface* img_snowflake2;  // middle snow
extern SDL_Surface* img_snowflake3;  // back snow
extern SDL_Surface* img_shaddow;
extern SDL_Surface* img_bubbla;
extern SDL_Surface* img_snow_down;
extern SDL_Surface* img_top;
extern SDL_Surface* img_bar;
extern SDL_Surface* img_bar_1;
extern SDL_Surface* img_bottom;
extern SDL_Surface* img_top_bar;
extern SDL_Surface* img_tomte;
extern SDL_Surface* img_frosthemlogga;
extern SDL_Surface* img_frosthemlogga_skugga;
extern SDL_Surface* img_border_uppe;
extern SDL_Surface* img_border_nere;
extern SDL_Surface* bajssurface[kBajsSlots];
extern SDL_Surface* img_amigabars[kAmigaBarCount];

// Loads everything, in a fixed order, and fills the animation records. The
// video mode must be set (the display copies take its pixel format). False
// at the first file that cannot be loaded, with `error` naming the file and
// the reason (what is loaded by then stays loaded).
bool loadGfx(std::string& error);

// A picture file as the show reads it: SDL_image, or our own PNG loader
// where SDL_image is not available. Null, with SDL's error set, on failure.
SDL_Surface* readPicture(const char* path);

// A ball picture in 32 bits: one of fewer bits is converted (with alpha, its
// colour key turned into transparency) and freed; a 32-bit one is returned
// as it is. Null, with SDL's error set, when the conversion fails.
SDL_Surface* ballPicture32(SDL_Surface* loaded);
