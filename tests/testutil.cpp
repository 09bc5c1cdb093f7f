#include "testutil.h"

#include <cstdio>
#include <cstdlib>

#include "assets.h"
#include "clock.h"
#include "globals.h"
#include "window.h"

namespace {
// Headless whichever way the tests are started: before any test runs.
const bool headless = setenv("SDL_VIDEODRIVER", "dummy", 0) == 0 &&
                      setenv("SDL_AUDIODRIVER", "dummy", 0) == 0;
}  // namespace

void initTestScreen()
{
    if (screen)
        return;
    (void)headless;
    std::string error;
    screen = openOffscreen(error);
    if (!screen) {
        std::fprintf(stderr, "test screen: %s\n", error.c_str());
        std::abort();
    }
}

void initTestAssets()
{
    static bool loaded = false;
    initTestScreen();
    std::string error;
    if (!loaded && !loadGfx(error)) {
        std::fprintf(stderr, "test assets: %s\n", error.c_str());
        std::abort();
    }
    loaded = true;
}

SDL_Surface* makeSurface(int w, int h)
{
    return SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 32, 0x00ff0000, 0x0000ff00, 0x000000ff,
                                0xff000000);
}

Uint32 rgbAt(SDL_Surface* s, int x, int y)
{
    SDL_LockSurface(s);
    const Uint8* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
    Uint32 p = 0;
    const int bpp = s->format->BytesPerPixel;
    for (int i = 0; i < bpp; i++)
        p |= static_cast<Uint32>(row[x * bpp + i]) << (8 * i);
    SDL_UnlockSurface(s);
    Uint8 r, g, b;
    SDL_GetRGB(p, s->format, &r, &g, &b);
    return (r << 16) | (g << 8) | b;
}

void fillRgb(SDL_Surface* s, Uint32 rgb)
{
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, rgb >> 16, (rgb >> 8) & 0xff, rgb & 0xff, 255));
}

std::string frameDigest(SDL_Surface* s)
{
    // FNV-1a over the visible rows; pitch padding is not part of the picture.
    unsigned long long h = 1469598103934665603ull;
    SDL_LockSurface(s);
    for (int y = 0; y < s->h; y++) {
        const Uint8* row = static_cast<Uint8*>(s->pixels) + y * s->pitch;
        for (int i = 0; i < s->w * s->format->BytesPerPixel; i++)
            h = (h ^ row[i]) * 1099511628211ull;
    }
    SDL_UnlockSurface(s);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%016llx", h);
    return buf;
}

int countNot(SDL_Surface* s, Uint32 rgb, int x0, int y0, int x1, int y1)
{
    int n = 0;
    for (int y = y0; y < y1; y++)
        for (int x = x0; x < x1; x++)
            n += rgbAt(s, x, y) != rgb;
    return n;
}

VirtualClock::VirtualClock(Uint32 now) : wasVirtual_(clockIsVirtual()), was_(getTicks())
{
    setTicks(now);
}

VirtualClock::~VirtualClock()
{
    if (wasVirtual_)
        setTicks(was_);
    else
        useRealClock();
}

SwappedPicture::SwappedPicture(SDL_Surface*& slot, SDL_Surface* picture)
    : slot_(&slot), saved_(slot)
{
    slot = picture;
}

SwappedPicture::SwappedPicture(SwappedPicture&& other) noexcept
    : slot_(other.slot_), saved_(other.saved_)
{
    other.slot_ = nullptr;
}

SwappedPicture::~SwappedPicture()
{
    if (!slot_)
        return;
    SDL_FreeSurface(*slot_);
    *slot_ = saved_;
}
