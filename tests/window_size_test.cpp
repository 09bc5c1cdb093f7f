// The show's window as it first opens on a desktop of its own: the size it
// picks when none is asked for, and full screen from the start with F
// bringing back that size in a window.
#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "harness.h"
#include "virtual_desktop.h"

namespace {

using harness::Program;
using harness::VirtualDesktop;
using harness::WindowBox;

const char* const kCaption = "Frosthem LAN XMAS 2005";
constexpr int kDesktopWidth = 1920, kDesktopHeight = 1080;
// Twice 640x480: 3x would be 1440 high, more than 90% of 1080.
constexpr int kScaledWidth = 1280, kScaledHeight = 960;
constexpr double kAppearSeconds = 60;  // the show loads every asset first
constexpr double kChangeSeconds = 20;
const char* const kNoLeakCheck = "ASAN_OPTIONS=halt_on_error=1:detect_leaks=0";  // as in window_test.cpp

harness::ProgramSpec showOn(const VirtualDesktop& desktop, const std::string& mode)
{
    std::vector<std::string> env = desktop.env();
    env.push_back(kNoLeakCheck);
    std::vector<std::string> argv{FROSTHEM_BINARY, "--mute"};
    if (!mode.empty())
        argv.push_back(mode);
    return {argv, FROSTHEM_SOURCE_DIR, env};
}

// Polls until the window's inside has this size, wherever it stands.
bool waitForSize(VirtualDesktop& desktop, Window window, int width, int height, double seconds)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    do {
        const WindowBox b = desktop.box(window);
        if (b.width == width && b.height == height)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < until);
    return false;
}

std::string sizeOf(VirtualDesktop& desktop, Window window)
{
    const WindowBox b = desktop.box(window);
    return std::to_string(b.width) + "x" + std::to_string(b.height);
}

void quit(VirtualDesktop& desktop, Program& show, Window window)
{
    EXPECT_EQ("", desktop.xdotool({"key", "--window", std::to_string(window), "Escape"}));
    EXPECT_TRUE(show.waitExit(kChangeSeconds));
    EXPECT_EQ(show.exitCode(), 0) << show.howItEnded() << ": " << show.err();
    if (!show.waitExit(0))
        show.signal(SIGKILL);
}

TEST(WindowSize, WithoutScaleTheWindowIsTheLargestMultipleThatFits)
{
    VirtualDesktop desktop(kDesktopWidth, kDesktopHeight);
    ASSERT_EQ(desktop.error(), "");
    Program show(showOn(desktop, ""));
    const Window window = desktop.waitForWindow(show.pid(), kCaption, kAppearSeconds);
    ASSERT_NE(window, 0u) << "no window; the show said: " << show.err();
    EXPECT_TRUE(waitForSize(desktop, window, kScaledWidth, kScaledHeight, kChangeSeconds))
        << sizeOf(desktop, window);
    quit(desktop, show, window);
}

TEST(WindowSize, FullScreenFromTheStartAndFGivesTheScaledWindow)
{
    VirtualDesktop desktop(kDesktopWidth, kDesktopHeight);
    ASSERT_EQ(desktop.error(), "");
    Program show(showOn(desktop, "--fullscreen"));
    const Window window = desktop.waitForWindow(show.pid(), kCaption, kAppearSeconds);
    ASSERT_NE(window, 0u) << "no window; the show said: " << show.err();
    EXPECT_TRUE(desktop.waitForBox(window, {0, 0, kDesktopWidth, kDesktopHeight}, kChangeSeconds))
        << "at start: " << sizeOf(desktop, window);

    ASSERT_EQ("", desktop.xdotool({"key", "--window", std::to_string(window), "f"}));
    EXPECT_TRUE(waitForSize(desktop, window, kScaledWidth, kScaledHeight, kChangeSeconds))
        << "after F: " << sizeOf(desktop, window);
    quit(desktop, show, window);
}

}  // namespace
