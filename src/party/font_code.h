// Drawing one font code (letters.h) with SGE, the accented letters past '~'
// included.
#pragma once

#include <SDL.h>
#include <sge.h>

#include <string>

// Glyphs the font holds, from '!' on.
int fontGlyphs(const sge_bmpFont* font);

// Draws the glyph of `code` with its cell's top-left corner at (x, y), as
// sge_BF_textout draws a one-character text. sge_BF_textout reads its text
// as signed chars, so a code past 127 would index before its glyph table;
// those are drawn through a view of the font whose table starts at the
// accented letters. A code the font has no glyph for draws nothing.
void drawFontCode(SDL_Surface* dst, sge_bmpFont* font, unsigned char code, Sint16 x, Sint16 y);

// The width a text of font codes takes in `font` (the pen's steps, as
// sge_BF_textout takes them), and the text drawn with its top-left corner at
// (x, y), glyph after glyph.
int fontCodesWidth(sge_bmpFont* font, const std::string& codes);
void drawFontCodes(SDL_Surface* dst, sge_bmpFont* font, const std::string& codes, Sint16 x, Sint16 y);
