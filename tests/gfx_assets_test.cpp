// The generated pictures and fonts (tools/gfx) against what the show does
// with them: SGE opens the fonts and draws every character of the
// invitation, the ball pictures rotate on a transparent square, the front
// snowflake and the logos are keyed, not blended.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sge.h>

#include <string>

#include "testutil.h"

namespace {
const std::string kGfx = std::string(FROSTHEM_SOURCE_DIR) + "/gfx/";
const char* const kInvitationChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!',-.:?";
constexpr Uint32 kProbe = 0x00ff00;  // a colour no font uses
constexpr int kCell = 10, kLine = 20;

sge_bmpFont* openFont(const char* name) {
  initTestScreen();
  sge_bmpFont* f = sge_BF_OpenFont(const_cast<char*>((kGfx + name).c_str()), 3);
  EXPECT_NE(f, nullptr) << name;
  return f;
}

// Draws one character at (x, y) on a probe-coloured surface.
SDL_Surface* drawChar(sge_bmpFont* f, char c, int x, int y) {
  SDL_Surface* s = makeSurface(120, 80);
  fillRgb(s, kProbe);
  const char text[2] = {c, 0};
  sge_BF_textout(s, f, const_cast<char*>(text), x, y);
  return s;
}

SDL_Surface* loadPicture(const char* name) {
  initTestScreen();
  SDL_Surface* s = IMG_Load((kGfx + name).c_str());
  EXPECT_NE(s, nullptr) << name;
  return s;
}

Uint8 alphaAt(SDL_Surface* s, int x, int y) {
  SDL_LockSurface(s);
  const Uint32 p = static_cast<Uint32*>(s->pixels)[y * s->pitch / 4 + x];
  SDL_UnlockSurface(s);
  Uint8 r, g, b, a;
  SDL_GetRGBA(p, s->format, &r, &g, &b, &a);
  return a;
}
}  // namespace

TEST(GfxAssets, InvitationFontFillsItsGridCellsOnly) {
  sge_bmpFont* f = openFont("mario3.bmp");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(sge_BF_GetHeight(f), kLine);
  for (const char* c = kInvitationChars; *c; ++c) {
    SDL_Surface* s = drawChar(f, *c, 20, 20);
    const int inside = countNot(s, kProbe, 20, 20, 20 + kCell, 20 + kLine);
    EXPECT_GT(inside, 0) << "glyph '" << *c << "' is empty";
    EXPECT_EQ(countNot(s, kProbe, 0, 0, 120, 80), inside) << "glyph '" << *c << "' leaves its cell";
    SDL_FreeSurface(s);
  }
  SDL_Surface* space = drawChar(f, ' ', 20, 20);
  EXPECT_EQ(countNot(space, kProbe, 0, 0, 120, 80), 0);
  SDL_FreeSurface(space);
  sge_BF_CloseFont(f);
}

TEST(GfxAssets, BackgroundFontsDrawTheirLettersOnATransparentGround) {
  for (const char* name : {"newfont.bmp", "newfont_inverted.bmp"}) {
    sge_bmpFont* f = openFont(name);
    ASSERT_NE(f, nullptr);
    for (const char* c = kInvitationChars; *c; ++c) {
      // The show hands each letter over with a line feed behind it.
      SDL_Surface* s = makeSurface(120, 80);
      fillRgb(s, kProbe);
      const char text[3] = {*c, '\n', 0};
      sge_BF_textout(s, f, const_cast<char*>(text), 10, 10);
      const int drawn = countNot(s, kProbe, 0, 0, 120, 80);
      EXPECT_GT(drawn, 0) << name << " '" << *c << "'";
      // The ground around a glyph is keyed out: far less than its box.
      EXPECT_LT(drawn, sge_BF_GetHeight(f) * 40 * 3 / 4) << name << " '" << *c << "'";
      SDL_FreeSurface(s);
    }
    sge_BF_CloseFont(f);
  }
}

TEST(GfxAssets, BallsAreRoundOnATransparentSquare) {
  for (int i = 1; i <= 6; ++i) {
    const std::string name = "boll000" + std::to_string(i) + ".png";
    SDL_Surface* s = loadPicture(name.c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, 100);
    EXPECT_EQ(s->h, 100);
    ASSERT_EQ(s->format->BytesPerPixel, 4);
    ASSERT_NE(s->format->Amask, 0u);
    for (int corner : {0, 99}) {
      EXPECT_EQ(alphaAt(s, corner, 0), 0) << name;
      EXPECT_EQ(alphaAt(s, corner, 99), 0) << name;
    }
    EXPECT_EQ(alphaAt(s, 50, 50), 255) << name;
    EXPECT_EQ(alphaAt(s, 50, 4), 255) << name;  // radius reaches 46 at least
    SDL_FreeSurface(s);
  }
}

TEST(GfxAssets, FrontSnowflakeIsKeyedOnMagentaWithoutPinkEdges) {
  SDL_Surface* s = loadPicture("snow1.png");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(s->format->Amask, 0u);
  EXPECT_EQ(rgbAt(s, 0, 0), 0xff00ffu);
  int flake = 0;
  for (int y = 0; y < s->h; ++y)
    for (int x = 0; x < s->w; ++x) {
      const Uint32 p = rgbAt(s, x, y);
      if (p == 0xff00ffu) continue;
      ++flake;
      const int r = p >> 16, g = (p >> 8) & 0xff;
      EXPECT_GE(g + 40, r) << "pinkish pixel at " << x << "," << y;
    }
  EXPECT_GT(flake, 10);
  SDL_FreeSurface(s);
}

TEST(GfxAssets, LogosHaveNoBlackHolesInTheirLettering) {
  for (const char* name : {"frosthemliten.bmp", "frosthem_skugga.bmp"}) {
    initTestScreen();
    SDL_Surface* s = SDL_LoadBMP((kGfx + name).c_str());
    ASSERT_NE(s, nullptr) << name;
    EXPECT_EQ(s->format->BitsPerPixel, 24);
    EXPECT_EQ(rgbAt(s, 0, 0), 0u) << name << ": the key must frame the art";
    // A black pixel whose four neighbours are all art would be keyed out as
    // a pinhole in the letters.
    int art = 0, holes = 0;
    for (int y = 1; y + 1 < s->h; ++y)
      for (int x = 1; x + 1 < s->w; ++x) {
        if (rgbAt(s, x, y) != 0) {
          ++art;
          continue;
        }
        holes += rgbAt(s, x - 1, y) && rgbAt(s, x + 1, y) && rgbAt(s, x, y - 1) && rgbAt(s, x, y + 1);
      }
    EXPECT_GT(art, s->w * s->h / 5) << name;
    EXPECT_EQ(holes, 0) << name;
    SDL_FreeSurface(s);
  }
}
