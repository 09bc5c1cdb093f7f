#include "window.h"

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)  // no X display in a browser
#include <X11/Xlib.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "assets.h"
#include "geometry.h"
#include "globals.h"
#include "held_stderr.h"
#include "report.h"
#include "scaled_window.h"
#include "show_party.h"

namespace {

const char* const kCaption = "Frosthem LAN XMAS 2005";
const char* const kIconFile = "icons/frosthem_128.png";

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
// sdl12-compat's own settings. It reads the scale method when video starts
// and the window scaling when the video mode is set, so they are put into
// the environment just before those points; a value the user set wins.
const char* const kScaleMethodVar = "SDL12COMPAT_SCALE_METHOD";
const char* const kWindowScalingVar = "SDL12COMPAT_WINDOW_SCALING";
const char* const kCompatPrefix = "SDL12COMPAT_";
#endif
// SDL's complaint when it probes for Wayland without a runtime folder: no
// help to someone without a display, who gets our own line about that.
const char* const kRuntimeDirNoise = "XDG_RUNTIME_DIR";


constexpr int kRoomPercent = 90;  // of the desktop, both ways

const char* caption()
{
    return showParty.caption.empty() ? kCaption : showParty.caption.c_str();
}

SDL_Surface* failed(std::string& error, const char* what, const char* reason)
{
    error = std::string(what) + ": " + reason;
    return nullptr;
}

bool invisibleDriver()
{
    char name[64] = "";
    SDL_VideoDriverName(name, sizeof name);
    return std::strcmp(name, "dummy") == 0 || std::strcmp(name, "offscreen") == 0;
}

// False when SDL fell back to a driver that shows nothing although nobody
// asked for it: the music would otherwise play behind no window.
bool displayUsable()
{
    // Read as SDL reads it: on Windows SDL keeps an environment of its own.
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    return !invisibleDriver() || (asked && *asked);
}

#ifndef __EMSCRIPTEN__  // the page sizes the picture itself
// The window's scale for --scale `asked` (0: chosen from the desktop), on
// a desktop of this size (0 when unknown); one that does not fit is brought
// down, saying so. Read before the first window: until then SDL reports the
// desktop's mode as the current one.
int windowScale(int asked, int desktopWidth, int desktopHeight)
{
    if (asked == 0)
        return chooseScale(desktopWidth, desktopHeight);
    const int fitted = fitScale(asked, desktopWidth, desktopHeight);
    if (fitted < asked)
        reportNotice("frosthem: --scale %d would open a %dx%d window on a %dx%d desktop; using %d, the largest "
                     "that fits",
                     asked, kScreenWidth * asked, kScreenHeight * asked, desktopWidth, desktopHeight, fitted);
    return fitted;
}
#endif

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)  // no X display in a browser
// sdl12-compat scales the window itself, as its setting says.
void chooseWindowScaling(int scale)
{
    if (std::getenv(kWindowScalingVar))
        return;
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    scale = windowScale(scale, info ? info->current_w : 0, info ? info->current_h : 0);
    setenv(kWindowScalingVar, std::to_string(scale).c_str(), 0);
}
#endif

void setWindowIcon()
{
    SDL_Surface* icon = readPicture(kIconFile);
    if (!icon) {
        reportNotice("frosthem: %s: %s; the window has no icon", kIconFile, SDL_GetError());
        return;
    }
    SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
}

#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)  // no X display in a browser
// Xlib calls this when the connection to the X server breaks (the server
// died, or the window was killed). Its own handler would call exit(), and
// the SDL_Quit registered with atexit would then wait forever for an answer
// from the dead server; nothing is left to tidy on the display, so the
// process ends here.
int displayLost(Display* display)
{
    const char* name = display ? DisplayString(display) : nullptr;
    std::string line = "frosthem: lost the connection to the display";
    if (name && *name)
        line += std::string(" ") + name;
    line += " (the X server ended or closed the window)\n";
    const ssize_t written = write(STDERR_FILENO, line.data(), line.size());
    (void)written;
    _exit(1);
}
#endif

// The SDL12COMPAT_ settings the user gave, as " (with NAME=VALUE set)", for
// the line that says the window could not be opened: sdl12-compat's own
// words do not name them.
std::string userCompatSettings()
{
    std::string set;
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)
    for (char** e = environ; e && *e; e++) {
        if (std::strncmp(*e, kCompatPrefix, std::strlen(kCompatPrefix)) == 0)
            set += std::string(set.empty() ? "" : ", ") + *e;
    }
#endif
    return set.empty() ? "" : " (with " + set + " set)";
}

// Lines SDL prints while it starts, less its runtime-folder complaint.
void passOnStartupLines(const std::string& said)
{
    std::string line;
    for (std::size_t at = 0; at < said.size(); at += line.size() + 1) {
        line = said.substr(at, said.find('\n', at) - at);
        if (line.find(kRuntimeDirNoise) == std::string::npos)
            std::fprintf(stderr, "%s\n", line.c_str());
    }
}

}  // namespace

int fitScale(int asked, int desktopWidth, int desktopHeight)
{
    if (desktopWidth <= 0 || desktopHeight <= 0)
        return asked;
    const int fits = std::min(desktopWidth / kScreenWidth, desktopHeight / kScreenHeight);
    return std::max(1, std::min(asked, fits));
}

int chooseScale(int desktopWidth, int desktopHeight)
{
    if (desktopWidth <= 0 || desktopHeight <= 0)
        return 1;
    int scale = 1;
    while (static_cast<long>(kScreenWidth) * (scale + 1) * 100 <= static_cast<long>(desktopWidth) * kRoomPercent &&
           static_cast<long>(kScreenHeight) * (scale + 1) * 100 <= static_cast<long>(desktopHeight) * kRoomPercent &&
           scale < kMaxScale)
        scale++;
    return scale;
}

SDL_Surface* openShowWindow(const ShowOptions& options, std::string& error)
{
    // Read before our own settings join them.
    const std::string compatSettings = userCompatSettings();
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)  // no X display in a browser
    setenv(kScaleMethodVar, "nearest", 0);
#endif
    HeldStderr held;
    const bool started = SDL_Init(SDL_INIT_VIDEO) >= 0;
    passOnStartupLines(held.release());
    if (!started)
        return failed(error, "cannot start video", SDL_GetError());
    if (!displayUsable())
        return failed(error, "no display", "SDL found no usable video device (is DISPLAY or WAYLAND_DISPLAY set?)");
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)  // no X display in a browser
    // Once video is up, before there is a window to lose.
    XSetIOErrorHandler(displayLost);
#endif
    // Nothing to size or decorate on a driver that shows nothing (tests).
    if (!invisibleDriver()) {
#if !defined(_WIN32) && !defined(__EMSCRIPTEN__)  // no X display in a browser
        chooseWindowScaling(options.scale);
#endif
        setWindowIcon();
    }
#ifdef _WIN32
    if (!invisibleDriver()) {
        const SDL_VideoInfo* info = SDL_GetVideoInfo();
        const int w = info ? info->current_w : 0, h = info ? info->current_h : 0;
        SDL_Surface* shown = openScaledWindow(windowScale(options.scale, w, h), options.fullscreen, w, h, error);
        if (shown)
            SDL_WM_SetCaption(caption(), "");
        return shown;
    }
#endif
    SDL_Surface* window = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenDepth, SDL_DOUBLEBUF);
    if (!window)
        return failed(error, "cannot open a 640x480 window", (SDL_GetError() + compatSettings).c_str());
    SDL_WM_SetCaption(caption(), "");
    // Opened as a scaled window first and then switched, so that F brings
    // back the scaled window rather than a bare 640x480 one.
    if (options.fullscreen)
        SDL_WM_ToggleFullScreen(window);
    return window;
}

void toggleFullScreen()
{
    if (scaledWindowOpen())
        toggleScaledFullScreen();
    else
        SDL_WM_ToggleFullScreen(screen);
}

void presentWindow()
{
    if (scaledWindowOpen())
        presentScaled();
    else
        SDL_Flip(screen);
}

SDL_Surface* openOffscreen(std::string& error)
{
    // Asking for the dummy driver by name is what lets SDL start without a
    // display; SDL_putenv, as on Windows SDL keeps an environment of its own.
    SDL_putenv(const_cast<char*>("SDL_VIDEODRIVER=dummy"));
    if (SDL_Init(SDL_INIT_VIDEO) < 0)
        return failed(error, "cannot start video", SDL_GetError());
    SDL_Surface* surface = SDL_SetVideoMode(kScreenWidth, kScreenHeight, kScreenDepth, 0);
    if (!surface)
        return failed(error, "cannot make a 640x480 screen", SDL_GetError());
    return surface;
}
