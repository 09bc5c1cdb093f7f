// gfx_preview <gfx folder> <out.png> [strip picture | strips]: composes one
// still of the main scene from the generated files, drawn the way the show
// draws them (SDL blits, colour keys, SGE bitmap fonts), to judge the
// pictures together; or, with "strips1" or "strips2", strip pictures 1-6 or
// 7-12 one under the other as the strip shows them, between the edge and the
// snow bank.
// Run with SDL_VIDEODRIVER=dummy.
#include <SDL.h>
#include <SDL_image.h>
#include <sge.h>

#include <cmath>
#include <cstdio>
#include <string>

#include "canvas.h"

namespace {
std::string dir;
SDL_Surface* screen = nullptr;

SDL_Surface* load(const std::string& name)
{
    SDL_Surface* s = IMG_Load((dir + "/" + name).c_str());
    if (!s) {
        std::fprintf(stderr, "gfx_preview: cannot load %s\n", name.c_str());
        std::exit(1);
    }
    return s;
}

// As the show does for its keyed, converted pictures.
SDL_Surface* loadKeyed(const std::string& name, Uint8 r, Uint8 g, Uint8 b)
{
    SDL_Surface* s = load(name);
    SDL_SetColorKey(s, SDL_SRCCOLORKEY, SDL_MapRGB(s->format, r, g, b));
    return SDL_DisplayFormat(s);
}

void put(SDL_Surface* s, int x, int y)
{
    SDL_Rect d{static_cast<Sint16>(x), static_cast<Sint16>(y), 0, 0};
    SDL_BlitSurface(s, nullptr, screen, &d);
}

void text(sge_bmpFont* f, const char* s, int x, int y)
{
    for (int i = 0; s[i]; ++i) {
        const char one[2] = {s[i], 0};
        sge_BF_textout(screen, f, const_cast<char*>(one), x + 10 * i, y);
    }
}

constexpr int kStripH = 121;

void strips(int first, int count)
{
    screen =
        SDL_CreateRGBSurface(SDL_SWSURFACE, 640, count * kStripH, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_Surface* edge = load("bar.png");
    SDL_Surface* bank = load("snow_down.png");
    SDL_Surface* shade = load("shaddow.png");
    for (int i = 0; i < count; ++i) {
        const int y = i * kStripH;
        SDL_Surface* pic = load("pics_" + std::to_string(first + i) + ".png");
        SDL_Rect src{0, 0, 640, kStripH}, dst{0, static_cast<Sint16>(y), 0, 0};
        SDL_BlitSurface(pic, &src, screen, &dst);
        put(shade, 0, y);
        put(edge, 0, y - 7);
        put(bank, 0, y + kStripH - bank->h);
    }
}

void savePng(const std::string& path)
{
    Canvas c(screen->w, screen->h, false);
    c.beginPixels();
    SDL_LockSurface(screen);
    for (int y = 0; y < screen->h; ++y)
        for (int x = 0; x < screen->w; ++x) {
            Uint8 r, g, b;
            SDL_GetRGB(static_cast<const Uint32*>(screen->pixels)[y * screen->pitch / 4 + x],
                       screen->format, &r, &g, &b);
            c.setPixel(x, y, argb(255, r, g, b));
        }
    SDL_UnlockSurface(screen);
    c.endPixels();
    c.savePng(path);
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: gfx_preview <gfx folder> <out.png> [strip picture]\n");
        return 2;
    }
    dir = argv[1];
    const std::string strip = argc > 3 ? argv[3] : "pics_2.png";
    SDL_Init(SDL_INIT_VIDEO);
    screen = SDL_SetVideoMode(640, 480, 32, SDL_SWSURFACE);
    if (strip == "strips1" || strip == "strips2") {
        strips(strip == "strips1" ? 1 : 7, 6);
        savePng(argv[2]);
        return 0;
    }

    sge_bmpFont* ink = sge_BF_OpenFont(const_cast<char*>((dir + "/mario3.bmp").c_str()), 3);
    sge_bmpFont* bg = sge_BF_OpenFont(const_cast<char*>((dir + "/newfont.bmp").c_str()), 3);
    const char* bgtext = "FROSTHEMLANFROSTHEMLANFRO";
    for (int i = 0; i < 25; ++i) {
        const double s = std::sin(0.2 * i + 0.3), v = std::sin(0.2 * i);
        for (int r = 0; r < 8; ++r) {
            const char one[3] = {bgtext[i], '\n', 0};
            sge_BF_textout(screen, bg, const_cast<char*>(one),
                           static_cast<Sint16>(35 * i - 90 + (40 + 10 * r) * s),
                           static_cast<Sint16>(80 + 40 * r + 20 * v));
        }
    }
    // Stand-in for the spectrum bars: a few columns of warm colour.
    for (int x = 1; x < 640; ++x) {
        const int h = static_cast<int>(std::fabs(std::sin(x * 0.05) * std::sin(x * 0.013)) * 90);
        SDL_Rect up{static_cast<Sint16>(x), 128, 1, static_cast<Uint16>(h)};
        SDL_Rect dn{static_cast<Sint16>(x), static_cast<Sint16>(353 - h), 1,
                    static_cast<Uint16>(h)};
        const Uint32 col = SDL_MapRGB(screen->format, 200, 180 - h, 0);
        if (x % 2)
            SDL_FillRect(screen, &up, col), SDL_FillRect(screen, &dn, col);
    }
    put(SDL_DisplayFormat(load("top.png")), 0, 0);
    put(SDL_DisplayFormat(load("botton.png")), 0, 359);
    put(load("mun_2.png"), 175, 83);
    SDL_Surface* pic = load(strip);
    SDL_Rect src{0, 0, 640, 121}, dst{0, 359, 0, 0};
    SDL_BlitSurface(pic, &src, screen, &dst);
    SDL_Surface* flake1 = loadKeyed("snow1.png", 255, 0, 255);
    SDL_Surface* flake2 = load("snow2.png");
    SDL_Surface* flake3 = load("snow3.png");
    for (int i = 0; i < 60; ++i) {
        const int x = (i * 97) % 640, y = (i * 151) % 480;
        if (y <= 120 || y >= 352)
            put(i % 2 ? flake2 : flake3, x, y);
    }
    put(load("shaddow.png"), 0, 359);
    for (int i = 0; i < 25; ++i)
        put(flake1, (i * 211 + 40) % 640, (i * 89 + 20) % 480);
    SDL_Surface* bars[3] = {SDL_DisplayFormat(load("bar_1.png")),
                            SDL_DisplayFormat(load("bar_2.png")),
                            SDL_DisplayFormat(load("bar_3.png"))};
    // Bar 0 moving up (over the edges), bars 1 and 2 moving down (behind).
    put(bars[1], 0, 121 + 14), put(bars[1], 0, 352 + 14);
    put(bars[2], 0, 121 + 10), put(bars[2], 0, 352 + 10);
    put(load("top_bar_snow.png"), 0, 109);
    put(SDL_DisplayFormat(load("bar.png")), 0, 352);
    put(bars[0], 0, 121 - 6), put(bars[0], 0, 352 - 6);
    put(load("bubbla.png"), 238, 17);
    text(ink, "  CHRISTMAS 2005 AT THE LAN!", 290, 30);
    text(ink, "SAUNA, GINGERBREAD, DRINKS -", 290, 50);
    text(ink, "17-19 DECEMBER. BE THERE OR", 290, 70);
    text(ink, "BE A SNOWMAN: 0123456789 ?'", 290, 90);
    SDL_Surface* logo = loadKeyed("frosthemliten.bmp", 0, 0, 0);
    SDL_Surface* shadow = loadKeyed("frosthem_skugga.bmp", 0, 0, 0);
    put(logo, 320 - logo->w / 2 + 40, 145);
    put(shadow, 320 - shadow->w / 2 + 40, 265);
    put(load("snow_down.png"), 0, 430);
    put(load("boll0001.png"), 40, 250);
    put(load("boll0003.png"), 520, 330);
    put(load("boll0005.png"), 470, 60);
    savePng(argv[2]);
    return 0;
}
