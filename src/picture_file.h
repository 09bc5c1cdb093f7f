// Checks made on picture and font files before a library decodes them:
// libpng and SDL believe the size a header claims and try to allocate it,
// and SGE keeps a font's glyph positions in a fixed block.
#pragma once

#include <string>

#include <SDL.h>

constexpr int kMaxPictureSide = 8192;
// SGE keeps the start and end of each mark in a fixed block of 256
// positions; 127 marks fit whatever the row looks like.
constexpr int kMaxFontMarks = 127;

// Opens `path` (a regular file only) and reads the size its PNG or BMP header claims. False, with
// `reason` set, when the file cannot be read or claims more than
// kMaxPictureSide pixels either way. Other formats and headers too short to
// tell are left to the decoder.
bool checkPictureFile(const char* path, std::string& reason);

// The glyph marks on a bitmap font's top row, counted the way SGE counts
// them: each run of magenta (255, 0, 255) pixels is one mark.
int countGlyphMarks(SDL_Surface* font);
