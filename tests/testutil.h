// Shared set-up for the headless tests: SDL's dummy video driver, a 640x480
// 32-bit screen and the show's assets loaded once.
#pragma once

#include <SDL.h>

#include <cstring>
#include <string>
#include <type_traits>

// Opens the dummy video driver and sets `screen` to a 640x480x32 surface.
void initTestScreen();
// initTestScreen, then every picture and font (once per process).
void initTestAssets();
// A blank 32-bit surface with an alpha channel.
SDL_Surface* makeSurface(int w, int h);
// The pixel at (x, y) as 0xRRGGBB (alpha dropped).
Uint32 rgbAt(SDL_Surface* s, int x, int y);
void fillRgb(SDL_Surface* s, Uint32 rgb);
// A hash of the visible pixels, for comparing whole frames.
std::string frameDigest(SDL_Surface* s);
// Counts pixels different from 0xRRGGBB `rgb` within a rectangle.
int countNot(SDL_Surface* s, Uint32 rgb, int x0, int y0, int x1, int y1);

// Puts a global back as it was when the guard was made: `dt`, a table, a
// record, a function pointer. Plain data only, arrays included.
template <class T>
class Restore {
public:
    explicit Restore(T& var) : var_(var)
    {
        static_assert(std::is_trivially_copyable_v<T>, "plain data only");
        std::memcpy(&saved_, &var, sizeof(T));
    }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;
    ~Restore() { std::memcpy(&var_, &saved_, sizeof(T)); }

private:
    T& var_;
    T saved_;
};

// The virtual clock at `now` for as long as the guard lives; then the clock
// the test found (SDL's own, or the virtual one at its old reading).
class VirtualClock {
public:
    explicit VirtualClock(Uint32 now);
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;
    ~VirtualClock();

private:
    bool wasVirtual_;
    Uint32 was_;
};

// A test picture in a slot the show draws from (`img_bar`, `bajssurface[3]`,
// ...). The guard owns the picture: it frees it and puts the show's own back.
class SwappedPicture {
public:
    SwappedPicture(SDL_Surface*& slot, SDL_Surface* picture);
    SwappedPicture(SwappedPicture&& other) noexcept;
    SwappedPicture(const SwappedPicture&) = delete;
    SwappedPicture& operator=(const SwappedPicture&) = delete;
    SwappedPicture& operator=(SwappedPicture&&) = delete;
    ~SwappedPicture();

private:
    SDL_Surface** slot_;
    SDL_Surface* saved_;
};
