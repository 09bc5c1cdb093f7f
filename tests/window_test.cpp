// The real show in a real window on a desktop of its own (Xvfb and openbox):
// the window's size, full screen and back, quitting, and a display that
// goes away under the running show.
#include <signal.h>

#include <gtest/gtest.h>

#include <string>

#include "harness.h"
#include "virtual_desktop.h"
#include "window_show.h"

namespace {

using harness::Program;
using harness::VirtualDesktop;
using harness::WindowBox;
using namespace windowtest;

constexpr double kDeathSeconds = 2;  // the most a lost display may take to end the show

harness::ProgramSpec showOn(const VirtualDesktop& desktop, const std::string& scale)
{
    return windowtest::showOn(desktop, {"--scale", scale, "--mute"});
}

int lines(const std::string& text)
{
    int n = 0;
    for (const char c : text)
        n += c == '\n';
    return n;
}

TEST(Window, ScaledWindowGoesFullScreenAndBackThenQuits)
{
    VirtualDesktop desktop(kDesktopWidth, kDesktopHeight);
    ASSERT_EQ(desktop.error(), "");
    Program show(showOn(desktop, "2"));
    const Window window = desktop.waitForWindow(show.pid(), kCaption, kAppearSeconds);
    ASSERT_NE(window, 0u) << "no window; the show said: " << show.err();

    const WindowBox windowed = desktop.box(window);
    EXPECT_EQ(windowed.width, 1280);
    EXPECT_EQ(windowed.height, 960);

    const std::string id = std::to_string(window);
    ASSERT_EQ("", desktop.xdotool({"key", "--window", id, "f"}));
    EXPECT_TRUE(desktop.waitForBox(window, {0, 0, kDesktopWidth, kDesktopHeight}, kChangeSeconds))
        << "full screen: " << desktop.box(window).width << "x" << desktop.box(window).height;
    ASSERT_EQ("", desktop.xdotool({"key", "--window", id, "f"}));
    EXPECT_TRUE(desktop.waitForBox(window, windowed, kChangeSeconds))
        << "back: " << desktop.box(window).width << "x" << desktop.box(window).height;

    ASSERT_EQ("", desktop.xdotool({"key", "--window", id, "Escape"}));
    EXPECT_TRUE(show.waitExit(kChangeSeconds));
    EXPECT_EQ(show.exitCode(), 0) << show.howItEnded() << ": " << show.err();
    EXPECT_EQ(show.err(), "");
    reap(show);
}

// A party's caption names the window, here at once 25 s into the show.
TEST(Window, APartyStartedPartWayHasItsOwnCaption)
{
    harness::TempDir party;
    harness::spill(party.path() / "party.toml", "caption = \"Our Own Party 2027\"\n");
    VirtualDesktop desktop(kDesktopWidth, kDesktopHeight);
    ASSERT_EQ(desktop.error(), "");
    harness::ProgramSpec spec = showOn(desktop, "1");
    spec.argv.insert(spec.argv.end(), {"--party", party.path().string(), "--start", "25"});
    Program show(spec);
    const Window window = desktop.waitForWindow(show.pid(), "Our Own Party 2027", kAppearSeconds);
    ASSERT_NE(window, 0u) << "no window; the show said: " << show.err();
    ASSERT_TRUE(desktop.waitForDrawing(window, kAppearSeconds)) << show.err();
    ASSERT_EQ("", desktop.xdotool({"key", "--window", std::to_string(window), "Escape"}));
    EXPECT_TRUE(show.waitExit(kChangeSeconds));
    EXPECT_EQ(show.exitCode(), 0) << show.howItEnded() << ": " << show.err();
    EXPECT_EQ(show.err(), "");
    reap(show);
}

// Xlib's own way out on a lost connection runs the exit handlers, whose
// SDL_Quit then waited forever on the dead server.
void expectQuickEndOnLostDisplay(bool killServer)
{
    VirtualDesktop desktop(kDesktopWidth, kDesktopHeight);
    ASSERT_EQ(desktop.error(), "");
    Program show(showOn(desktop, "1"));
    const Window window = desktop.waitForWindow(show.pid(), kCaption, kAppearSeconds);
    ASSERT_NE(window, 0u) << "no window; the show said: " << show.err();
    // While it loads, the show does not talk to the display; the loss is
    // noticed from the first frame on.
    ASSERT_TRUE(desktop.waitForDrawing(window, kAppearSeconds)) << show.err();

    if (killServer)
        desktop.killServer();
    else
        ASSERT_EQ("", desktop.xdotool({"windowkill", std::to_string(window)}));
    EXPECT_TRUE(show.waitExit(kDeathSeconds)) << "the show still runs";
    reap(show);
    EXPECT_GT(show.exitCode(), 0) << show.howItEnded();
    EXPECT_EQ(lines(show.err()), 1) << show.err();
    EXPECT_NE(show.err().find("lost the connection to the display"), std::string::npos) << show.err();
}

TEST(Window, KilledWindowEndsTheShowWithOneLine)
{
    expectQuickEndOnLostDisplay(false);
}

TEST(Window, KilledXServerEndsTheShowWithOneLine)
{
    expectQuickEndOnLostDisplay(true);
}

// A --scale the desktop cannot hold is brought down to the largest that
// fits, saying so; a window sdl12-compat's own settings make impossible is
// one line naming them.
TEST(Window, ScalesTooLargeForTheDesktopAreFittedOrNamed)
{
    VirtualDesktop desktop(kDesktopWidth, kDesktopHeight);
    ASSERT_EQ(desktop.error(), "");
    Program fitted(showOn(desktop, "16"));
    const Window window = desktop.waitForWindow(fitted.pid(), kCaption, kAppearSeconds);
    ASSERT_NE(window, 0u) << "no window; the show said: " << fitted.err();
    EXPECT_EQ(desktop.box(window).width, 1280);
    EXPECT_EQ(desktop.box(window).height, 960);
    EXPECT_EQ(fitted.err(), "frosthem: --scale 16 would open a 10240x7680 window on a 1920x1080 desktop; using 2, "
                            "the largest that fits\n");
    fitted.stop();
    reap(fitted);

    harness::ProgramSpec spec = showOn(desktop, "1");
    spec.env.push_back("SDL12COMPAT_WINDOW_SCALING=99999");
    Program refused(spec);
    EXPECT_TRUE(refused.waitExit(kAppearSeconds));
    reap(refused);
    EXPECT_EQ(refused.exitCode(), 1) << refused.howItEnded();
    EXPECT_EQ(lines(refused.err()), 1) << refused.err();
    EXPECT_NE(refused.err().find("cannot open a 640x480 window: "), std::string::npos) << refused.err();
    EXPECT_NE(refused.err().find("(with SDL12COMPAT_WINDOW_SCALING=99999 set)"), std::string::npos) << refused.err();
}

}  // namespace
