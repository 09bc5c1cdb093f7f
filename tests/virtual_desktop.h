// A desktop of its own for the tests that need a real window: Xvfb on a free
// display number with the openbox window manager, both stopped when the
// object goes. Queries go through an Xlib connection of the test's own;
// keys and window kills through xdotool.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <memory>
#include <string>
#include <vector>

#include "harness.h"

namespace harness {

// The full path of a program found on PATH; empty when there is none.
std::string findOnPath(const std::string& name);

struct WindowBox {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const WindowBox& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

class VirtualDesktop {
public:
    VirtualDesktop(int width, int height);
    ~VirtualDesktop();
    VirtualDesktop(const VirtualDesktop&) = delete;
    VirtualDesktop& operator=(const VirtualDesktop&) = delete;

    // Empty when the server and window manager are up; otherwise what went
    // wrong, for the failure message.
    const std::string& error() const { return error_; }
    const std::string& display() const { return display_; }
    // What a program needs in its environment to open windows here.
    std::vector<std::string> env() const { return {"DISPLAY=" + display_}; }

    // The top-level window with this title that the process `pid` put up,
    // waiting up to `seconds` for it; 0 when none came. The title tells the
    // finished window from those a program makes and drops while it starts.
    Window waitForWindow(pid_t pid, const std::string& title, double seconds);
    // The window's inside, in screen coordinates.
    WindowBox box(Window window);
    // Polls until the window's box is `want`, up to `seconds`.
    bool waitForBox(Window window, const WindowBox& want, double seconds);

    // Polls until something other than black shows in the window: the
    // program has got past its start-up and draws frames.
    bool waitForDrawing(Window window, double seconds);

    // Runs xdotool with these arguments; empty when it succeeded, otherwise
    // what went wrong.
    std::string xdotool(const std::vector<std::string>& args);
    // Kills the X server under everything that is connected to it.
    void killServer();

private:
    bool startServer(int width, int height);
    bool startWindowManager();
    bool require(const std::string& name, std::string& path);
    Window findWindow(Window under, pid_t pid, const std::string& title);

    std::string error_;
    std::string display_;
    std::string xdotool_;
    std::unique_ptr<Program> server_;
    std::unique_ptr<Program> windowManager_;
    Display* connection_ = nullptr;
};

}  // namespace harness
