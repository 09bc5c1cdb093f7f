#include "scaled_window.h"

#include <algorithm>
#include <cstring>

#include "report.h"

namespace {

constexpr int kWidth = 640, kHeight = 480, kDepth = 32;

SDL_Surface* window = nullptr;  // the real one, as SDL last set it
SDL_Surface* canvas = nullptr;  // the 640x480 screen the show draws into
int windowScale = 1;
int desktopW = 0, desktopH = 0;
bool fullScreen = false;

// Full screen takes the desktop's own size, so no mode change is needed and
// the monitor keeps its resolution; the picture is enlarged within it. A
// display whose list of modes lacks its own size refuses that; a borderless
// window covering the desktop is then full screen all the same.
SDL_Surface* setMode(bool full)
{
    if (full && desktopW > 0 && desktopH > 0) {
        SDL_Surface* whole = SDL_SetVideoMode(desktopW, desktopH, kDepth, SDL_SWSURFACE | SDL_FULLSCREEN);
        return whole ? whole : SDL_SetVideoMode(desktopW, desktopH, kDepth, SDL_SWSURFACE | SDL_NOFRAME);
    }
    return SDL_SetVideoMode(kWidth * windowScale, kHeight * windowScale, kDepth,
                            SDL_SWSURFACE | (full ? SDL_FULLSCREEN : 0));
}

bool sameLayout(const SDL_PixelFormat* a, const SDL_PixelFormat* b)
{
    return a->BytesPerPixel == 4 && b->BytesPerPixel == 4 && a->Rmask == b->Rmask && a->Gmask == b->Gmask &&
           a->Bmask == b->Bmask;
}

Uint32* row(SDL_Surface* s, int y)
{
    return reinterpret_cast<Uint32*>(static_cast<Uint8*>(s->pixels) + static_cast<std::ptrdiff_t>(y) * s->pitch);
}

}  // namespace

int scaleInto(SDL_Surface* from, SDL_Surface* to)
{
    const int factor = std::max(1, std::min(to->w / from->w, to->h / from->h));
    const int outW = from->w * factor, outH = from->h * factor;
    const int left = (to->w - outW) / 2, top = (to->h - outH) / 2;
    if (outW < to->w || outH < to->h)
        SDL_FillRect(to, nullptr, SDL_MapRGB(to->format, 0, 0, 0));
    // Where the window is smaller than the picture, its middle shows.
    const int firstX = std::max(0, -left), lastX = std::min(outW, to->w - left);
    const int firstY = std::max(0, -top), lastY = std::min(outH, to->h - top);
    if (SDL_LockSurface(from) < 0)
        return factor;
    if (SDL_LockSurface(to) < 0) {
        SDL_UnlockSurface(from);
        return factor;
    }
    for (int y = firstY; y < lastY; y++) {
        Uint32* out = row(to, top + y) + left;
        // Each source row is drawn once and copied to the rest of its block.
        if (y % factor != 0 && y > firstY) {
            std::memcpy(out + firstX, row(to, top + y - 1) + left + firstX, sizeof(Uint32) * (lastX - firstX));
            continue;
        }
        const Uint32* in = row(from, y / factor);
        for (int x = firstX; x < lastX; x++)
            out[x] = in[x / factor];
    }
    SDL_UnlockSurface(to);
    SDL_UnlockSurface(from);
    return factor;
}

SDL_Surface* openScaledWindow(int scale, bool fullscreen, int desktopWidth, int desktopHeight, std::string& error)
{
    windowScale = std::max(1, scale);
    desktopW = desktopWidth;
    desktopH = desktopHeight;
    fullScreen = fullscreen;
    window = setMode(fullscreen);
    if (!window && fullscreen) {
        reportNotice("frosthem: cannot go full screen (%s); opening a window", SDL_GetError());
        fullScreen = false;
        window = setMode(false);
    }
    if (!window) {
        error = std::string("cannot open a ") + std::to_string(kWidth * windowScale) + "x" +
                std::to_string(kHeight * windowScale) + " window: " + SDL_GetError();
        return nullptr;
    }
    const SDL_PixelFormat* f = window->format;
    canvas = SDL_CreateRGBSurface(SDL_SWSURFACE, kWidth, kHeight, kDepth, f->Rmask, f->Gmask, f->Bmask, 0);
    if (!canvas)
        error = std::string("cannot make the 640x480 screen: ") + SDL_GetError();
    return canvas;
}

bool scaledWindowOpen()
{
    return canvas != nullptr;
}

void toggleScaledFullScreen()
{
    SDL_Surface* next = setMode(!fullScreen);
    if (next) {
        window = next;
        fullScreen = !fullScreen;
        return;
    }
    reportNotice("frosthem: cannot switch %s full screen: %s", fullScreen ? "out of" : "to", SDL_GetError());
    window = setMode(fullScreen);
}

void presentScaled()
{
    if (!window || !canvas || window->format->BytesPerPixel != 4)
        return;
    if (sameLayout(canvas->format, window->format)) {
        scaleInto(canvas, window);
    } else {
        // A mode whose pixels are laid out otherwise: converted first.
        SDL_Surface* converted = SDL_ConvertSurface(canvas, window->format, SDL_SWSURFACE);
        if (!converted)
            return;
        scaleInto(converted, window);
        SDL_FreeSurface(converted);
    }
    SDL_Flip(window);
}
