// The show's window as it first opens on a desktop of its own: the size it
// picks when none is asked for, and full screen from the start with F
// bringing back that size in a window.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "harness.h"
#include "virtual_desktop.h"
#include "window_show.h"

namespace {

using harness::VirtualDesktop;
using harness::WindowBox;
using namespace windowtest;

// Twice 640x480: 3x would be 1440 high, more than 90% of 1080.
constexpr int kScaledWidth = 1280, kScaledHeight = 960;

// The show started with `args` on a desktop of its own, its window found;
// Escape ends it when the test is done.
class ShowWindow : public testing::Test {
protected:
    void start(const std::vector<std::string>& args)
    {
        ASSERT_EQ(desktop_.error(), "");
        show_ = std::make_unique<harness::Program>(showOn(desktop_, args));
        window_ = desktop_.waitForWindow(show_->pid(), kCaption, kAppearSeconds);
        ASSERT_NE(window_, 0u) << "no window; the show said: " << show_->err();
    }
    void TearDown() override
    {
        if (!show_)
            return;
        if (window_ != 0) {
            EXPECT_EQ("", desktop_.xdotool({"key", "--window", std::to_string(window_), "Escape"}));
            EXPECT_TRUE(show_->waitExit(kChangeSeconds));
            EXPECT_EQ(show_->exitCode(), 0) << show_->howItEnded() << ": " << show_->err();
        }
        reap(*show_);
    }
    // Polls until the window's inside has this size, wherever it stands.
    bool waitForSize(int width, int height)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::duration<double>(kChangeSeconds);
        do {
            const WindowBox b = desktop_.box(window_);
            if (b.width == width && b.height == height)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (std::chrono::steady_clock::now() < until);
        return false;
    }
    std::string size()
    {
        const WindowBox b = desktop_.box(window_);
        return std::to_string(b.width) + "x" + std::to_string(b.height);
    }

    VirtualDesktop desktop_{kDesktopWidth, kDesktopHeight};
    std::unique_ptr<harness::Program> show_;
    Window window_ = 0;
};

TEST_F(ShowWindow, WithoutScaleItIsTheLargestMultipleThatFits)
{
    ASSERT_NO_FATAL_FAILURE(start({"--mute"}));
    EXPECT_TRUE(waitForSize(kScaledWidth, kScaledHeight)) << size();
}

TEST_F(ShowWindow, FullScreenFromTheStartAndFGivesTheScaledWindow)
{
    ASSERT_NO_FATAL_FAILURE(start({"--mute", "--fullscreen"}));
    EXPECT_TRUE(desktop_.waitForBox(window_, {0, 0, kDesktopWidth, kDesktopHeight}, kChangeSeconds))
        << "at start: " << size();
    ASSERT_EQ("", desktop_.xdotool({"key", "--window", std::to_string(window_), "f"}));
    EXPECT_TRUE(waitForSize(kScaledWidth, kScaledHeight)) << "after F: " << size();
}

}  // namespace
