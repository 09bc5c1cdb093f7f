// The play position between audio callbacks, on a fake device clock.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "decode.h"
#include "playhead.h"

namespace {

constexpr std::size_t kBlock = 1024;
constexpr std::uint64_t kNsPerMs = 1000000;
constexpr std::size_t kNoEnd = std::numeric_limits<std::size_t>::max();

// Frames the mix rate plays in `ms` milliseconds.
std::size_t framesIn(double ms)
{
    return static_cast<std::size_t>(ms * kMixRate / 1000.0);
}

TEST(Playhead, FollowsTheSpeakerBetweenCallbacksBehindTheQueue)
{
    Playhead head(kBlock);
    const std::uint64_t t0 = 5000 * kNsPerMs;
    EXPECT_EQ(head.position(t0, kNoEnd), 0u) << "nothing handed out yet";

    head.handedOut(t0, 0, kBlock);
    EXPECT_EQ(head.position(t0, kNoEnd), 0u) << "the first block waits behind the queue";
    head.handedOut(t0 + 23 * kNsPerMs, kBlock, kBlock);
    EXPECT_EQ(head.position(t0 + 23 * kNsPerMs, kNoEnd), 0u);
    EXPECT_EQ(head.position(t0 + 33 * kNsPerMs, kNoEnd), framesIn(10));
    // Past what was handed out the speaker cannot be: the callback is late.
    EXPECT_EQ(head.position(t0 + 500 * kNsPerMs, kNoEnd), 2 * kBlock);
    // The late callback's own estimate lies behind: the position holds.
    head.handedOut(t0 + 501 * kNsPerMs, 2 * kBlock, kBlock);
    EXPECT_EQ(head.position(t0 + 501 * kNsPerMs, kNoEnd), 2 * kBlock);
    EXPECT_EQ(head.position(t0 + 521 * kNsPerMs, kNoEnd), 2 * kBlock);
    EXPECT_EQ(head.position(t0 + 540 * kNsPerMs, kNoEnd), 2 * kBlock + framesIn(39) - kBlock);
}

TEST(Playhead, ClampedAtTheTracksEndAndResetByARestart)
{
    Playhead head(kBlock);
    head.handedOut(0, 40000, kBlock);
    EXPECT_EQ(head.position(10 * kNsPerMs, 39000), 39000u);
    EXPECT_EQ(head.position(10 * kNsPerMs, kNoEnd), 40000 - kBlock + framesIn(10));

    head.restart();
    EXPECT_EQ(head.position(20 * kNsPerMs, kNoEnd), 0u);
    head.handedOut(20 * kNsPerMs, 0, kBlock);
    EXPECT_EQ(head.position(50 * kNsPerMs, kNoEnd), framesIn(30) - kBlock);
}

TEST(Playhead, SurvivesTheClockWrappingAndReadingsTakenJustBeforeTheCallback)
{
    Playhead head(0);
    const std::uint64_t nearWrap = std::numeric_limits<std::uint64_t>::max() - 5 * kNsPerMs;
    head.handedOut(nearWrap, 10000, kBlock);
    EXPECT_EQ(head.position(nearWrap + 10 * kNsPerMs, kNoEnd), 10000 + framesIn(10));
    // A reading from before the callback counts as no time at all.
    Playhead early(0);
    early.handedOut(100 * kNsPerMs, 10000, kBlock);
    EXPECT_EQ(early.position(99 * kNsPerMs, kNoEnd), 10000u);
}

TEST(Playhead, EverySixtiethOfASecondSeesANewPosition)
{
    // Callbacks of 1024 frames (23.2 ms) arriving 23 to 26 ms apart, frames
    // every 16.67 ms: no two frames read the same position, none goes back.
    Playhead head(kBlock);
    std::uint64_t callbackNs = 0, nextCallbackNs = 0;
    std::size_t handed = 0, last = 0;
    int frames = 0;
    const int jitterMs[] = {23, 24, 23, 26, 23, 25};
    for (std::uint64_t frameNs = 50 * kNsPerMs; frameNs < 10000 * kNsPerMs; frameNs += 16666667) {
        while (nextCallbackNs <= frameNs) {
            callbackNs = nextCallbackNs;
            head.handedOut(callbackNs, handed, kBlock);
            handed += kBlock;
            nextCallbackNs = callbackNs + jitterMs[handed / kBlock % 6] * kNsPerMs;
        }
        const std::size_t now = head.position(frameNs, kNoEnd);
        if (frames++ > 0) {
            ASSERT_GT(now, last) << "frame at " << frameNs / kNsPerMs << " ms";
        }
        last = now;
    }
}

}  // namespace
