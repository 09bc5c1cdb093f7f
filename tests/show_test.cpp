// The show driver: the opening scope, the white flash, the keys, the frame
// pacing and the longest step a frame may take.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <limits>
#include <set>
#include <utility>
#include <vector>

#include "clock.h"
#include "effects/snow.h"
#include "extra.h"
#include "globals.h"
#include "show.h"
#include "testutil.h"

namespace {

constexpr Uint32 kWhite = 0xffffff;

class Scope : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        bins.assign(512, 0.0f);
        spectrum = bins.data();
        SDL_FillRect(screen, nullptr, 0);
    }
    // The show's own spectrum comes back when the test's bins go.
    Restore<float*> keepSpectrum{spectrum};
    std::vector<float> bins;
};

}  // namespace

TEST_F(Scope, ThresholdOfTwoPixelsIsExclusive)
{
    bins[10] = 0.02f;  // v = 2.0 exactly: nothing
    drawScope();
    EXPECT_EQ(countNot(screen, 0, 0, 0, 640, 480), 0);

    bins[10] = 0.0201f;  // just above: four dots two pixels off the middle
    drawScope();
    EXPECT_EQ(rgbAt(screen, 360, 242), kWhite);
    EXPECT_EQ(rgbAt(screen, 280, 242), kWhite);
    EXPECT_EQ(rgbAt(screen, 360, 238), kWhite);
    EXPECT_EQ(rgbAt(screen, 280, 238), kWhite);
    EXPECT_EQ(countNot(screen, 0, 0, 0, 640, 480), 4);
}

TEST_F(Scope, DotsStandAtTheRoundedMagnitude)
{
    const std::pair<float, int> cases[] = {{0.025f, 3}, {0.0249f, 2}, {0.0351f, 4}};
    for (const auto& [bin, y] : cases) {
        SDL_FillRect(screen, nullptr, 0);
        bins[10] = bin;
        drawScope();
        EXPECT_EQ(rgbAt(screen, 360, 240 + y), kWhite) << bin;
        EXPECT_EQ(rgbAt(screen, 280, 240 - y), kWhite) << bin;
        EXPECT_EQ(countNot(screen, 0, 0, 0, 640, 480), 4) << bin;
    }
}

TEST_F(Scope, IsMirroredBothWaysAndOnlyLowBinsReachTheScreen)
{
    for (int i = 0; i < 320; i++)
        bins[i] = 0.05f + 0.9f * ((i * 37) % 100) / 100.0f;
    drawScope();
    for (int y = 0; y < 480; y++)
        for (int x = 1; x < 640; x++) {
            ASSERT_EQ(rgbAt(screen, x, y), rgbAt(screen, 640 - x, y)) << x << "," << y;
            if (y > 0) {
                ASSERT_EQ(rgbAt(screen, x, y), rgbAt(screen, x, 480 - y)) << x << "," << y;
            }
        }
    // Bin 80 shows on the left edge only; bin 79 at x = 636 on the right.
    const int y80 = static_cast<int>(bins[80] * 100 + 0.5f);
    EXPECT_EQ(rgbAt(screen, 0, 240 + y80), kWhite);
    EXPECT_GT(countNot(screen, 0, 636, 0, 637, 480), 0);
    EXPECT_EQ(countNot(screen, 0, 637, 0, 640, 480), 0);
}

TEST_F(Scope, BinZeroDrawsOnTheCentreLine)
{
    bins[0] = 1.0f;
    drawScope();
    EXPECT_EQ(rgbAt(screen, 320, 340), kWhite);
    EXPECT_EQ(rgbAt(screen, 320, 140), kWhite);
    EXPECT_EQ(countNot(screen, 0, 0, 0, 640, 480), 2);
}

TEST_F(Scope, OutOfRangeMagnitudesDrawSafely)
{
    bins[1] = -5.0f;
    bins[2] = 1e30f;
    bins[3] = std::numeric_limits<float>::infinity();
    bins[4] = std::numeric_limits<float>::quiet_NaN();
    drawScope();
    EXPECT_EQ(countNot(screen, 0, 0, 0, 640, 480), 0);
}

class Flash : public ::testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        currentScene = kOpeningScene;
        mainTrans = 0;
    }
    void TearDown() override
    {
        currentScene = kOpeningScene;
        mainTrans = 0;
    }
};

TEST_F(Flash, StartsOnlyAfterEighteenSeconds)
{
    dt = 1.6f;
    updateFlash(18000);
    EXPECT_EQ(mainTrans, 0);
    updateFlash(18001);
    EXPECT_EQ(mainTrans, 8);
    EXPECT_EQ(currentScene, kOpeningScene);
}

TEST_F(Flash, FadeInCompletesAtOnceWhenThePassIsSlow)
{
    mainTrans = 250;
    dt = 1.0f;  // 250 + 5 > 254
    SDL_FillRect(screen, nullptr, 0);
    updateFlash(20000);
    EXPECT_EQ(mainTrans, 255);
    EXPECT_EQ(currentScene, kMainScene);
    // Pure white under the main scene, every pixel.
    EXPECT_EQ(countNot(screen, 0xffffff, 0, 0, 640, 480), 0);

    // The first pass of the fade-out with no time gone stays at 255: white.
    SDL_FillRect(screen, nullptr, 0);
    dt = 0.0f;
    updateFlash(20000);
    EXPECT_EQ(mainTrans, 255);
    EXPECT_EQ(countNot(screen, 0xffffff, 0, 0, 640, 480), 0);
}

TEST_F(Flash, ShortPassesStepByRoundedAmounts)
{
    dt = 0.0f;
    updateFlash(20000);
    EXPECT_EQ(mainTrans, 0);
    dt = 0.1f;  // 1 ms: toInt(0.5) = 1
    updateFlash(20000);
    EXPECT_EQ(mainTrans, 1);
    currentScene = kMainScene;
    mainTrans = 10;
    updateFlash(20000);  // toInt(0.9) = 1
    EXPECT_EQ(mainTrans, 9);
}

TEST_F(Flash, FadeOutStopsAtZeroAndThenDrawsNothing)
{
    currentScene = kMainScene;
    mainTrans = 20;
    dt = 10.0f;
    SDL_FillRect(screen, nullptr, 0);
    updateFlash(30000);
    EXPECT_EQ(mainTrans, 0);
    EXPECT_EQ(currentScene, kMainScene);
    EXPECT_EQ(rgbAt(screen, 100, 100), 0u);

    mainTrans = 128;
    dt = 0.0f;
    updateFlash(30000);
    const Uint32 grey = rgbAt(screen, 100, 100);
    EXPECT_GT(grey & 0xff, 100u);
    EXPECT_LT(grey & 0xff, 160u);
}

namespace {
void pushKey(SDLKey key)
{
    SDL_Event e{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
}
}  // namespace

TEST(Events, EscapeAndCloseQuitAfterHandlingEveryPendingEvent)
{
    initTestScreen();
    while (SDL_PollEvent(nullptr)) {
        SDL_Event drop;
        SDL_PollEvent(&drop);
    }
    quitRequested = false;
    const Uint32 windowed = screen->flags & SDL_FULLSCREEN;
    pushKey(SDLK_a);
    pushKey(SDLK_f);  // toggles full screen, never quits
    handleEvents();
    EXPECT_FALSE(quitRequested);
    EXPECT_EQ(screen->flags & SDL_FULLSCREEN, windowed ^ SDL_FULLSCREEN);
    pushKey(SDLK_f);  // and back
    handleEvents();
    EXPECT_EQ(screen->flags & SDL_FULLSCREEN, windowed);

    pushKey(SDLK_ESCAPE);
    pushKey(SDLK_b);
    handleEvents();
    EXPECT_TRUE(quitRequested);
    EXPECT_EQ(SDL_PollEvent(nullptr), 0);  // all handled, even after quit

    quitRequested = false;
    SDL_Event close{};
    close.type = SDL_QUIT;
    SDL_PushEvent(&close);
    handleEvents();
    EXPECT_TRUE(quitRequested);
    quitRequested = false;
}

TEST(Logo, SwingsOnTheClockAndIsTruncated)
{
    VirtualClock clock{1000};
    SDL_Surface* logo = makeSurface(201, 10);  // centred at 320 - 100
    // 220 + 100 sin(1000 / 700) = 318.99, 220 + 100 sin(7000 / 700) = 165.60
    EXPECT_EQ(swayX(logo), 318);
    setTicks(7000);
    EXPECT_EQ(swayX(logo), 165);
    SDL_FreeSurface(logo);
}

TEST(Pacing, DeadlinesFollowSixtyFramesASecondWithoutCatchingUp)
{
    EXPECT_EQ(nextFrameDeadline(1000, 1000), 1016u);
    EXPECT_EQ(nextFrameDeadline(1000, 1015), 1016u);
    EXPECT_EQ(nextFrameDeadline(1000, 1016), 1033u);
    EXPECT_EQ(nextFrameDeadline(1000, 1033), 1050u);
    EXPECT_EQ(nextFrameDeadline(1000, 1050), 1066u);
    // A long frame skips the missed deadlines.
    EXPECT_EQ(nextFrameDeadline(1000, 1500), 1516u);
    // Over the wrap of the tick count.
    EXPECT_EQ(nextFrameDeadline(0xfffffff0u, 0xfffffff0u + 20), 0xfffffff0u + 33);
    // Each frame lasts 16 or 17 ms.
    Uint32 t = 5000;
    for (int i = 0; i < 120; i++) {
        const Uint32 next = nextFrameDeadline(5000, t);
        EXPECT_TRUE(next - t == 16 || next - t == 17 || i == 0) << i;
        t = next;
    }
    EXPECT_EQ(t, 7000u);
}

namespace {

constexpr int kLayers = 3;
const float kFallFactor[kLayers] = {0.8f, 0.5f, 0.3f};
constexpr Uint32 kStallMs = 10000;
constexpr float kLongestDt = 10.0f;  // 100 ms
constexpr int kSpreadRows = 40;

}  // namespace

// Ten seconds without a frame (a suspended laptop, a debugger) count as one
// 100 ms frame: every flake moves by one such step, and each layer stays
// spread down the screen instead of all wrapping to one row together.
TEST(Stall, TenSecondsMoveTheSnowAsOneLongFrame)
{
    initTestAssets();
    initSnow();
    currentScene = kMainScene;
    mainTrans = 0;
    Uint32 now = 60000;
    setTicks(now);
    td = now;
    const auto pass = [&](Uint32 ms) {
        now += ms;
        setTicks(now);
        framePass();
    };
    for (int i = 0; i < 30; i++)
        pass(16);
    SnowFlake before[kSnowFlakes];
    std::copy(std::begin(snow), std::end(snow), before);
    pass(kStallMs);
    EXPECT_EQ(dt, kLongestDt);
    for (int i = 0; i < kSnowFlakes; i++) {
        const int step = toInt(kLongestDt * kFallFactor[before[i].layer]);
        EXPECT_TRUE(snow[i].y == before[i].y + step || snow[i].y == 0) << "flake " << i << " from " << before[i].y
                                                                         << " to " << snow[i].y;
    }
    for (int i = 0; i < 30; i++)
        pass(16);
    std::set<int> rows[kLayers];
    for (const SnowFlake& f : snow)
        rows[f.layer].insert(f.y);
    for (int layer = 0; layer < kLayers; layer++)
        EXPECT_GE(rows[layer].size(), static_cast<std::size_t>(kSpreadRows)) << "layer " << layer;

    currentScene = kOpeningScene;
    td = 0;
    useRealClock();
}
