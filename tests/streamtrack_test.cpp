// Tracks decoded in the background while they play: the same samples as a
// whole decode wherever the blocks split, only decoded frames handed out,
// files that break off, run too long or are dropped while decoding.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <thread>
#include <vector>

#include "arriving_file.h"
#include "harness.h"
#include "streamtrack.h"

namespace {

const char* const kDemo = "data/demo.mp3";
const char* const kStereoTone = "tests/data/sine861_44k_stereo.mp3";
const char* const kMonoTone = "tests/data/sine861_22k_mono.mp3";
constexpr std::size_t kOneSecond = kMixRate;

PcmTrack decodeWhole(const char* path)
{
    PcmTrack whole;
    std::string error;
    EXPECT_TRUE(decodeMp3(path, whole, error)) << path << ": " << error;
    return whole;
}

TEST(StreamedTrack, SteppedDecodeGivesTheWholeDecodesSamplesWhereverTheBlocksSplit)
{
    struct Case {
        const char* path;
        std::size_t first, grow;
        bool fromEstimate;
    };
    // Odd sizes put block edges inside MPEG frames and inside read steps.
    const Case cases[] = {
        {kDemo, kOneSecond, StreamedTrack::kDefaultGrowFrames, true},
        {kDemo, 1000, 7 * kOneSecond + 13, false},
        {kStereoTone, 1, 777, false},
        {kMonoTone, 4097, 1023, false},
        {kMonoTone, kOneSecond, StreamedTrack::kDefaultGrowFrames, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " first " + std::to_string(c.first) + " grow " + std::to_string(c.grow));
        const PcmTrack whole = decodeWhole(c.path);
        StreamedTrack track(c.grow, c.fromEstimate);
        std::string error;
        ASSERT_TRUE(track.start(c.path, c.first, kMaxTrackFrames, "cut", error)) << error;
        const PcmTrack& stepped = track.whole();
        ASSERT_EQ(stepped.frames(), whole.frames());
        EXPECT_TRUE(stepped.samples == whole.samples);

        // Reads across block edges: a window straddling each of the first few.
        std::vector<std::int16_t> window(2048 * kMixChannels);
        for (std::size_t edge = c.first; edge < whole.frames() && edge < c.first + 5 * c.grow; edge += c.grow) {
            const std::size_t from = edge > 1000 ? edge - 1000 : 0;
            const std::size_t got = track.copy(from, 2048, window.data());
            ASSERT_EQ(got, std::min<std::size_t>(2048, whole.frames() - from));
            ASSERT_TRUE(std::equal(window.begin(), window.begin() + got * kMixChannels,
                                   whole.samples.begin() + from * kMixChannels))
                << "window from " << from;
        }
    }
}

TEST(StreamedTrack, HandsOutOnlyDecodedFramesWhileTheFileArrives)
{
    // A pipe stands for a file still being read: the decoder has only what
    // was written so far, and playback past it gets nothing to copy.
    const std::string bytes = harness::slurp(kDemo);
    // Declared first so it goes last: the file is let through before the
    // track waits for its decoding thread, however the test ends.
    StreamedTrack track;
    // About 20 s of music at first.
    harness::TempDir dir;
    ArrivingFile arriving(dir / "arriving.mp3", bytes, bytes.size() / 8);
    ASSERT_TRUE(arriving.ok());
    std::string error;
    ASSERT_TRUE(track.start(arriving.path(), kOneSecond, kMaxTrackFrames, "cut", error)) << error;
    EXPECT_FALSE(track.finished());
    const std::size_t far = 100 * kOneSecond;
    std::vector<std::int16_t> window(1024 * kMixChannels, 7);
    EXPECT_EQ(track.copy(far, 1024, window.data()), 0u);
    EXPECT_LT(track.decodedFrames(), 40 * kOneSecond);
    EXPECT_FALSE(track.finished()) << "the end is not known before the file is";

    arriving.sendRest();
    const PcmTrack& all = track.whole();
    const PcmTrack whole = decodeWhole(kDemo);
    ASSERT_EQ(all.frames(), whole.frames());
    EXPECT_EQ(track.copy(far, 1024, window.data()), 1024u);
    EXPECT_TRUE(std::equal(window.begin(), window.end(), whole.samples.begin() + far * kMixChannels));
}

TEST(StreamedTrack, FileBrokenOffMidwayPlaysItsFirstPart)
{
    const std::string bytes = harness::slurp(kDemo);
    harness::TempDir dir;
    const std::string half = dir / "half.mp3";
    harness::spill(half, bytes.substr(0, bytes.size() / 2));
    // Cut inside an MPEG frame, not on its edge.
    const std::string odd = dir / "odd.mp3";
    harness::spill(odd, bytes.substr(0, bytes.size() / 3 + 77));
    const PcmTrack whole = decodeWhole(kDemo);
    for (const std::string& path : {half, odd}) {
        SCOPED_TRACE(path);
        StreamedTrack track;
        std::string error;
        testing::internal::CaptureStderr();
        ASSERT_TRUE(track.start(path.c_str(), kOneSecond, kMaxTrackFrames, "cut", error)) << error;
        const PcmTrack& part = track.whole();
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_GT(part.frames(), whole.frames() / 4);
        EXPECT_LT(part.frames(), whole.frames() * 2 / 3);
        // The last MPEG frame before the cut may come out differently.
        const std::size_t same = (part.frames() - 4 * kOneSecond / 10) * kMixChannels;
        EXPECT_TRUE(std::equal(part.samples.begin(), part.samples.begin() + same, whole.samples.begin()));
    }
}

TEST(StreamedTrack, MissingOrSilentFilesAreRefusedByTheirFirstPart)
{
    StreamedTrack missing;
    std::string error;
    EXPECT_FALSE(missing.start("data/no-such-music.mp3", kOneSecond, kMaxTrackFrames, "cut", error));
    EXPECT_EQ(error, "No such file or directory");

    harness::TempDir dir;
    const std::string empty = dir / "empty.mp3";
    harness::spill(empty, "");
    StreamedTrack nothing;
    error.clear();
    EXPECT_FALSE(nothing.start(empty.c_str(), kOneSecond, kMaxTrackFrames, "cut", error));
    EXPECT_FALSE(error.empty());
}

TEST(StreamedTrack, LongFileIsCutAtTheLimitSayingSoOnce)
{
    const PcmTrack whole = decodeWhole(kStereoTone);
    const std::size_t limit = whole.frames() / 2 + 3;
    testing::internal::CaptureStderr();
    {
        StreamedTrack track(1000, false);
        std::string error;
        ASSERT_TRUE(track.start(kStereoTone, 1500, limit, "music cut here", error)) << error;
        track.waitFinished();
        EXPECT_EQ(track.decodedFrames(), limit);
        EXPECT_TRUE(std::equal(track.whole().samples.begin(), track.whole().samples.end(), whole.samples.begin()));
    }
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "music cut here\n");

    // A file that ends exactly at the limit is played whole, without a word.
    testing::internal::CaptureStderr();
    StreamedTrack exact;
    std::string error;
    ASSERT_TRUE(exact.start(kStereoTone, kOneSecond, whole.frames(), "music cut here", error));
    exact.waitFinished();
    EXPECT_EQ(exact.decodedFrames(), whole.frames());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(StreamedTrack, DroppedWhileDecodingStopsItsThread)
{
    // Over and over, at different points of the decoding; the sanitizers
    // watch for leaks and races.
    for (int i = 0; i < 20; ++i) {
        StreamedTrack track(kOneSecond, i % 2 == 0);
        std::string error;
        ASSERT_TRUE(track.start(kDemo, 1000, kMaxTrackFrames, "cut", error)) << error;
        std::vector<std::int16_t> window(1024 * kMixChannels);
        track.copy(static_cast<std::size_t>(i) * 1000, 1024, window.data());
        if (i % 3 == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(i));
    }
}

}  // namespace
