// Tracks fed their file's bytes as a download hands them over: the same
// samples as decoding the file, however the bytes are cut up and however
// little is decoded a call; nothing ends before the last byte; damaged and
// broken-off downloads.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "harness.h"
#include "streamtrack.h"

namespace {

const char* const kDemo = "data/demo.mp3";
const char* const kStereoTone = "tests/data/sine861_44k_stereo.mp3";
const char* const kMonoTone = "tests/data/sine861_22k_mono.mp3";
constexpr std::size_t kOneSecond = kMixRate;

const unsigned char* bytesOf(const std::string& s)
{
    return reinterpret_cast<const unsigned char*>(s.data());
}

// Feeds `file` in pieces of `piece` bytes, decoding at most `step` frames
// after each, and checks on the way that the track never runs ahead of
// what it has been given.
void feedAll(StreamedTrack& track, const std::string& file, std::size_t piece, std::size_t step)
{
    std::string error;
    std::size_t before = 0;
    for (std::size_t at = 0; at < file.size(); at += piece) {
        ASSERT_TRUE(track.feed(bytesOf(file) + at, std::min(piece, file.size() - at), error)) << error;
        ASSERT_TRUE(track.decodeFed(step, error)) << error;
        ASSERT_LE(track.decodedFrames() - before, step);
        before = track.decodedFrames();
        ASSERT_FALSE(track.finished()) << "finished before the last byte came, at byte " << at;
    }
    // Every byte is in, but only the end of the feed ends the track.
    do {
        before = track.decodedFrames();
        ASSERT_TRUE(track.decodeFed(step, error)) << error;
    } while (track.decodedFrames() != before);
    EXPECT_FALSE(track.finished());
    track.endFeed();
    while (!track.finished())
        ASSERT_TRUE(track.decodeFed(step, error)) << error;
}

TEST(FedTrack, GivesTheFilesSamplesHoweverItsBytesAndDecodingAreCutUp)
{
    struct Case {
        const char* path;
        std::size_t piece, step, grow;
    };
    // Pieces inside MPEG frames and headers; steps and blocks that are no
    // divisor of an MPEG frame's 1152 samples.
    const Case cases[] = {
        {kDemo, 64 * 1024, 40000, StreamedTrack::kDefaultGrowFrames},
        {kDemo, 1500, 100000, 3 * kOneSecond + 7},
        {kStereoTone, 1, 333, 1000},
        {kStereoTone, 417, 1, 777},
        {kMonoTone, 3, 4097, 1023},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " piece " + std::to_string(c.piece) + " step " + std::to_string(c.step));
        PcmTrack whole;
        std::string error;
        ASSERT_TRUE(decodeMp3(c.path, whole, error)) << error;
        StreamedTrack track(c.grow);
        ASSERT_TRUE(track.startFed(kMaxTrackFrames, "cut", error)) << error;
        feedAll(track, harness::slurp(c.path), c.piece, c.step);
        ASSERT_EQ(track.decodedFrames(), whole.frames());
        std::vector<std::int16_t> all(whole.samples.size());
        ASSERT_EQ(track.copy(0, whole.frames(), all.data()), whole.frames());
        EXPECT_TRUE(all == whole.samples);
    }
}

TEST(FedTrack, ADownloadThatBreaksOffPlaysWhatCameAndOneCutToLengthStopsThere)
{
    const std::string file = harness::slurp(kDemo);
    std::string error;
    {
        StreamedTrack part;
        ASSERT_TRUE(part.startFed(kMaxTrackFrames, "cut", error));
        feedAll(part, file.substr(0, file.size() / 4), 8192, 50000);
        EXPECT_GT(part.decodedFrames(), 30 * kOneSecond);
    }
    StreamedTrack cut;
    ASSERT_TRUE(cut.startFed(2 * kOneSecond, "cut", error));
    ASSERT_TRUE(cut.feed(bytesOf(file), file.size(), error));
    ASSERT_TRUE(cut.decodeFed(10 * kOneSecond, error)) << error;
    EXPECT_TRUE(cut.finished()) << "a track at its longest ends without waiting for the rest";
    EXPECT_EQ(cut.decodedFrames(), 2 * kOneSecond);
}

TEST(FedTrack, BytesThatHoldNoAudioAreNamedOnceTheyAreAllIn)
{
    struct Case {
        const char* what;
        std::string bytes;
        const char* reason;
    };
    std::string wav("RIFF\x24\x10\x00\x00WAVEfmt ", 16);
    wav.resize(4096, '\x01');
    const Case cases[] = {
        {"zeros", std::string(64 * 1024, '\0'), "nothing but zero bytes"},
        {"a WAV file", wav, "looks like WAV"},
        {"a web page", "<!DOCTYPE html><html><body>Not here</body></html>", ""},
        {"nothing", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StreamedTrack track;
        std::string error;
        ASSERT_TRUE(track.startFed(kMaxTrackFrames, "cut", error));
        ASSERT_TRUE(track.feed(bytesOf(c.bytes), c.bytes.size(), error));
        bool ok = track.decodeFed(kOneSecond, error);
        if (ok) {
            track.endFeed();
            ok = track.decodeFed(kOneSecond, error);
        }
        EXPECT_FALSE(ok);
        EXPECT_TRUE(track.finished());
        EXPECT_EQ(track.decodedFrames(), 0u);
        EXPECT_FALSE(error.empty());
        EXPECT_NE(error.find(c.reason), std::string::npos) << error;
    }
}

}  // namespace
