#include "virtual_desktop.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <thread>

namespace harness {

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPoll = std::chrono::milliseconds(20);
constexpr double kStartSeconds = 30;  // generous: CI machines are busy
constexpr double kToolSeconds = 20;

bool waitUntil(double seconds, const std::function<bool()>& done)
{
    const auto end = Clock::now() + std::chrono::duration<double>(seconds);
    while (!done()) {
        if (Clock::now() >= end)
            return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

// An X property of 32-bit items (CARDINAL, WINDOW) as a list.
std::vector<unsigned long> property(Display* x, Window w, const char* name, Atom type)
{
    Atom actual = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::vector<unsigned long> items;
    if (XGetWindowProperty(x, w, XInternAtom(x, name, False), 0, 4096, False, type, &actual,
                           &format, &count, &after, &data) == Success &&
        data && format == 32) {
        const unsigned long* values = reinterpret_cast<const unsigned long*>(data);
        items.assign(values, values + count);
    }
    if (data)
        XFree(data);
    return items;
}

// Windows come and go under the tests (a killed window, a closed program):
// a query about one that is gone answers empty instead of ending the test.
int ignoreXError(Display*, XErrorEvent*)
{
    return 0;
}

}  // namespace

std::string findOnPath(const std::string& name)
{
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return "";
}

VirtualDesktop::VirtualDesktop(int width, int height)
{
    XSetErrorHandler(ignoreXError);
    if (require("xdotool", xdotool_) && startServer(width, height))
        startWindowManager();
}

VirtualDesktop::~VirtualDesktop()
{
    if (connection_)
        XCloseDisplay(connection_);
    windowManager_.reset();
    server_.reset();
}

bool VirtualDesktop::require(const std::string& name, std::string& path)
{
    path = findOnPath(name);
    if (path.empty())
        error_ = name + " is not installed (scripts/install-deps.sh installs it)";
    return !path.empty();
}

bool VirtualDesktop::startServer(int width, int height)
{
    std::string xvfb;
    if (!require("Xvfb", xvfb))
        return false;
    // -displayfd: the server takes the first free display number and writes
    // it to our standard output, which the harness keeps in a file.
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    server_ = std::make_unique<Program>(ProgramSpec{
        {xvfb, "-displayfd", "1", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}, {}, {}});
    std::string number;
    waitUntil(kStartSeconds, [&] {
        const std::string out = server_->out();
        if (out.find('\n') != std::string::npos)
            number = out.substr(0, out.find('\n'));
        return !number.empty() || server_->waitExit(0);
    });
    if (number.empty()) {
        error_ = "Xvfb did not start: " + server_->err();
        return false;
    }
    display_ = ":" + number;
    connection_ = XOpenDisplay(display_.c_str());
    if (!connection_)
        error_ = "cannot connect to Xvfb on " + display_;
    return connection_ != nullptr;
}

bool VirtualDesktop::startWindowManager()
{
    std::string openbox;
    if (!require("openbox", openbox))
        return false;
    windowManager_ = std::make_unique<Program>(ProgramSpec{{openbox}, {}, env()});
    // A window manager that follows the usual hints announces itself on the
    // root window; only then do windows get placed and made full screen.
    const Window root = DefaultRootWindow(connection_);
    const bool up = waitUntil(kStartSeconds, [&] {
        return !property(connection_, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty() ||
               windowManager_->waitExit(0);
    });
    if (!up || windowManager_->waitExit(0))
        error_ = "openbox did not start: " + windowManager_->err();
    return error_.empty();
}

// Searches the whole window tree, not only the window manager's list of
// clients, so a window shows up as soon as it has its title.
Window VirtualDesktop::findWindow(Window under, pid_t pid, const std::string& title)
{
    const std::vector<unsigned long> owner = property(connection_, under, "_NET_WM_PID", XA_CARDINAL);
    if (!owner.empty() && static_cast<pid_t>(owner[0]) == pid) {
        char* name = nullptr;
        const bool match = XFetchName(connection_, under, &name) && name && title == name;
        if (name)
            XFree(name);
        if (match)
            return under;
    }
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(connection_, under, &root, &parent, &children, &count))
        for (unsigned int i = 0; i < count && !found; i++)
            found = findWindow(children[i], pid, title);
    if (children)
        XFree(children);
    return found;
}

Window VirtualDesktop::waitForWindow(pid_t pid, const std::string& title, double seconds)
{
    Window found = 0;
    waitUntil(seconds, [&] {
        found = findWindow(DefaultRootWindow(connection_), pid, title);
        return found != 0;
    });
    return found;
}

WindowBox VirtualDesktop::box(Window window)
{
    WindowBox b;
    XWindowAttributes attributes;
    Window child;
    if (XGetWindowAttributes(connection_, window, &attributes)) {
        XTranslateCoordinates(connection_, window, DefaultRootWindow(connection_), 0, 0, &b.x, &b.y,
                              &child);
        b.width = attributes.width;
        b.height = attributes.height;
    }
    return b;
}

bool VirtualDesktop::waitForBox(Window window, const WindowBox& want, double seconds)
{
    return waitUntil(seconds, [&] { return box(window) == want; });
}

std::string VirtualDesktop::xdotool(const std::vector<std::string>& args)
{
    ProgramSpec spec{{xdotool_}, {}, env()};
    spec.argv.insert(spec.argv.end(), args.begin(), args.end());
    const ProgramResult result = runProgram(spec, kToolSeconds);
    if (result.exitCode == 0)
        return "";
    return "xdotool " + args.front() + " failed (" +
           (result.timedOut ? std::string("timed out") : "exit code " + std::to_string(result.exitCode)) +
           "): " + result.err;
}

bool VirtualDesktop::waitForDrawing(Window window, double seconds)
{
    return waitUntil(seconds, [&] {
        const WindowBox b = box(window);
        if (b.width <= 0 || b.height <= 0)
            return false;
        XImage* image = XGetImage(connection_, window, 0, 0, b.width, b.height, AllPlanes, ZPixmap);
        bool drawn = false;
        for (int y = 0; image && y < b.height && !drawn; y++)
            for (int x = 0; x < b.width && !drawn; x++)
                drawn = (XGetPixel(image, x, y) & 0xffffff) != 0;
        if (image)
            XDestroyImage(image);
        return drawn;
    });
}

void VirtualDesktop::killServer()
{
    // Our own connection would die with it and take the test down.
    if (connection_)
        XCloseDisplay(connection_);
    connection_ = nullptr;
    if (server_)
        server_->signal(SIGKILL);
}

}  // namespace harness
