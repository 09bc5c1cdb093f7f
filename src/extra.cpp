#include "extra.h"

#include <sge.h>

void drawImg(SDL_Surface* dst, SDL_Surface* src, int x, int y)
{
    SDL_Rect to;
    to.x = static_cast<Sint16>(x);
    to.y = static_cast<Sint16>(y);
    SDL_UpperBlit(src, nullptr, dst, &to);
}

void drawImg2(SDL_Surface* dst, SDL_Surface* src, int x, int y, int w, int h, int sx, int sy)
{
    SDL_Rect from;
    from.x = static_cast<Sint16>(sx);
    from.y = static_cast<Sint16>(sy);
    from.w = static_cast<Uint16>(w);
    from.h = static_cast<Uint16>(h);
    SDL_Rect to;
    to.x = static_cast<Sint16>(x);
    to.y = static_cast<Sint16>(y);
    SDL_UpperBlit(src, &from, dst, &to);
}

void drawImgAlpha(SDL_Surface* dst, SDL_Surface* src, int x, int y, int level)
{
    drawImg(dst, src, x, y);
    const Uint32 black = SDL_MapRGB(dst->format, 0, 0, 0);
    sge_FilledRectAlpha(dst, static_cast<Sint16>(x), static_cast<Sint16>(y),
                        static_cast<Sint16>(x + src->w), static_cast<Sint16>(y + src->h), black,
                        static_cast<Uint8>(255 - level));
}

void drawPixel(SDL_Surface* surface, int x, int y, Uint8 r, Uint8 g, Uint8 b)
{
    sge_PutPixel(surface, static_cast<Sint16>(x), static_cast<Sint16>(y),
                 SDL_MapRGB(surface->format, r, g, b));
}

void line(SDL_Surface* surface, int x1, int y1, int x2, int y2)
{
    sge_Line(surface, static_cast<Sint16>(x1), static_cast<Sint16>(y1), static_cast<Sint16>(x2),
             static_cast<Sint16>(y2), SDL_MapRGB(surface->format, 0, 255, 0));
}

void mirrorImg(SDL_Surface* img)
{
    const SDL_PixelFormat* f = img->format;
    SDL_Surface* tmp = SDL_CreateRGBSurface(SDL_HWSURFACE, img->w, img->h, f->BitsPerPixel,
                                            f->Rmask, f->Gmask, f->Bmask, f->Amask);
    if (!tmp)
        return;
    SDL_SetAlpha(tmp, 0, 255);
    // Copy, don't blend: with the picture's alpha or colour key active the
    // blits would blend into (or skip pixels of) the blank temporary surface
    // and write the result back over the picture.
    const Uint32 flags = img->flags;
    const Uint8 alpha = f->alpha;
    const Uint32 key = f->colorkey;
    SDL_SetAlpha(img, 0, 255);
    SDL_SetColorKey(img, 0, 0);
    for (int i = 0; i < img->w; i++)
        drawImg2(tmp, img, i, 0, 1, img->h, img->w - 1 - i, 0);
    drawImg(img, tmp, 0, 0);
    SDL_SetAlpha(img, flags & (SDL_SRCALPHA | SDL_RLEACCEL), alpha);
    SDL_SetColorKey(img, flags & (SDL_SRCCOLORKEY | SDL_RLEACCEL), key);
    SDL_FreeSurface(tmp);
}

int toInt(float x)
{
    // 0.5f added in double precision, so 0.49999997f rounds to 0, not 1.
    const double half = 0.5f;
    if (x < 0)
        return -static_cast<int>(static_cast<double>(-x) + half);
    return static_cast<int>(static_cast<double>(x) + half);
}
