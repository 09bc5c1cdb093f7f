// The offline renderer: its clock and recording in-process, and the real
// frosthem-capture run as a user runs it, against the reference frames under
// tests/golden/ and properties that hold whatever the art.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "capture_run.h"
#include "decode.h"
#include "geometry.h"
#include "harness.h"
#include "image.h"
#include "options.h"
#include "scratch_tree.h"
#include "simulate.h"
#include "wav.h"

namespace fs = std::filesystem;
using namespace capturetest;

namespace {

constexpr int kW = kScreenWidth, kH = kScreenHeight;
constexpr int kOpeningMs = 18000;
const char* const kGoldenDir = FROSTHEM_SOURCE_DIR "/tests/golden";
const char* const kToneMp3 = FROSTHEM_SOURCE_DIR "/tests/data/sine861_44k_stereo.mp3";

using harness::slurp;
using harness::TempDir;

Uint32 pixel(const RgbImage& im, int x, int y)
{
    const std::uint8_t* p = &im.rgb[(static_cast<std::size_t>(y) * im.width + x) * 3];
    return (p[0] << 16) | (p[1] << 8) | p[2];
}

std::string hex(Uint32 rgb)
{
    char s[8];
    std::snprintf(s, sizeof s, "%06x", rgb);
    return s;
}

// The left channel of a WAV written by the renderer (44-byte header).
std::vector<std::int16_t> wavLeft(const std::string& path)
{
    const std::string bytes = slurp(path);
    std::vector<std::int16_t> left;
    for (std::size_t i = 44; i + 3 < bytes.size(); i += 4)
        left.push_back(static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[i]) |
                                                 (static_cast<std::uint8_t>(bytes[i + 1]) << 8)));
    return left;
}

std::vector<std::int16_t> trackLeft(const char* mp3)
{
    PcmTrack pcm;
    std::string error;
    EXPECT_TRUE(decodeMp3(mp3, pcm, error)) << error;
    std::vector<std::int16_t> left;
    for (std::size_t i = 0; i < pcm.frames(); i++)
        left.push_back(pcm.samples[i * kMixChannels]);
    return left;
}

}  // namespace

TEST(CaptureClock, FramesReadWholeMillisecondsAndSecondsRoundToTicks)
{
    EXPECT_EQ(frameMs(1, 60), 16u);
    EXPECT_EQ(frameMs(2, 60), 33u);
    EXPECT_EQ(frameMs(1092, 60), 18200u);
    EXPECT_EQ(firstFrameAt(18200, 60), 1092);
    EXPECT_EQ(firstFrameAt(17, 60), 2);  // frame 1 is at 16 ms
    EXPECT_EQ(firstFrameAt(0, 7), 0);

    CaptureOptions o;
    std::string error;
    const char* argv[] = {"x", "--out", "d", "--from", "18.2", "--to", "18.6"};
    ASSERT_TRUE(parseCaptureArgs(7, const_cast<char**>(argv), o, error)) << error;
    EXPECT_EQ(o.fromMs, 18200u);
    EXPECT_EQ(o.toMs, 18600u);
}

TEST(CaptureFiles, PngAndWavReadBackAsWritten)
{
    TempDir dir;
    // Masks other than the screen's, to catch a converter that assumes them.
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 3, 2, 32, 0xff, 0xff00, 0xff0000, 0xff000000);
    const Uint32 colours[6] = {0xff0000, 0x00ff00, 0x0000ff, 0x123456, 0xffffff, 0x000000};
    for (int i = 0; i < 6; i++) {
        SDL_Rect r{static_cast<Sint16>(i % 3), static_cast<Sint16>(i / 3), 1, 1};
        SDL_FillRect(s, &r, SDL_MapRGB(s->format, colours[i] >> 16, (colours[i] >> 8) & 0xff, colours[i] & 0xff));
    }
    RgbImage image;
    surfaceToRgb(s, image);
    SDL_FreeSurface(s);
    std::string error;
    ASSERT_TRUE(writePng(dir / "a.png", image, error)) << error;
    const RgbImage back = loadRgb(dir / "a.png");
    ASSERT_EQ(back.width, 3);
    for (int i = 0; i < 6; i++)
        EXPECT_EQ(pixel(back, i % 3, i / 3), colours[i]) << i;
    EXPECT_FALSE(writePng(dir / "no/such/dir.png", image, error));
    EXPECT_NE(error.find("no/such/dir.png"), std::string::npos);

    WavWriter wav;
    ASSERT_TRUE(wav.open(dir / "a.wav", error)) << error;
    ASSERT_TRUE(wav.write({1, -1, 32767, -32768}, error));
    ASSERT_TRUE(wav.close(error)) << error;
    const std::string bytes = slurp(dir / "a.wav");
    ASSERT_EQ(bytes.size(), 44u + 8u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes[4], 44);  // 36 + 8 bytes of data
    EXPECT_EQ(bytes.substr(36, 4), "data");
    EXPECT_EQ(bytes[40], 8);
    EXPECT_EQ(wavLeft(dir / "a.wav"), (std::vector<std::int16_t>{1, 32767}));
}


// One run renders all the reference frames; each is compared pixel for
// pixel. tests/golden/regenerate.sh renews them when the picture is meant
// to change.
// The frames at the times `golden`/times lists, rendered with `args`, are
// the references in `golden`, pixel for pixel.
void expectReferenceFrames(const std::string& golden, std::vector<std::string> args)
{
    std::string times;
    std::ifstream(golden + "/times") >> times;
    ASSERT_FALSE(times.empty()) << golden << "/times lists the seconds to render";
    TempDir dir;
    args.insert(args.end(), {"--out", dir.path().string(), "--at", times});
    const CaptureRun run = capture(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const fs::path inspect = fs::path(FROSTHEM_CAPTURE_BINARY).parent_path() / "golden-actual";
    std::stringstream list(times);
    std::string t;
    while (std::getline(list, t, ',')) {
        const std::string name = frameFileName(firstFrameAt(static_cast<Uint32>(std::stod(t) * 1000 + 0.5), 60));
        const RgbImage expected = loadRgb(golden + "/" + name);
        const RgbImage actual = loadRgb(dir / name);
        ASSERT_EQ(actual.width, kW) << name << " was not rendered";
        ASSERT_EQ(expected.width, kW) << "no reference " << name << ": run tests/golden/regenerate.sh";
        int differing = 0;
        std::string first;
        for (int y = 0; y < kH; y++)
            for (int x = 0; x < kW; x++)
                if (pixel(expected, x, y) != pixel(actual, x, y) && ++differing <= 5)
                    first += " (" + std::to_string(x) + "," + std::to_string(y) + ") expected " +
                             hex(pixel(expected, x, y)) + " got " + hex(pixel(actual, x, y)) + ";";
        if (differing > 0) {
            fs::create_directories(inspect);
            fs::copy_file(dir / name, inspect / name, fs::copy_options::overwrite_existing);
        }
        EXPECT_EQ(differing, 0) << name << " (" << t << " s): " << differing << " pixels differ, first:" << first
                                << "\nactual frame: " << (inspect / name).string();
    }
}

TEST(CaptureGolden, FramesMatchTheReferences)
{
    expectReferenceFrames(kGoldenDir, {});
}

// The example party: its text on a page with accented letters, its logo line
// and background letters, its photos in the strip.
TEST(CaptureGolden, TheExamplePartysFramesMatchTheReferences)
{
    expectReferenceFrames(std::string(kGoldenDir) + "/party", {"--party", "examples/norrsken"});
}

TEST(CaptureShow, OpeningIsBlackAndWhiteAndMirroredBothWays)
{
    constexpr int kFps = 20;
    TempDir dir;
    const CaptureRun run = capture({"--out", dir.path().string(), "--fps", std::to_string(kFps), "--to", "18"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    int withDots = 0;
    for (long k = 0; k < kOpeningMs * kFps / 1000; k++) {
        const RgbImage im = loadRgb(dir / frameFileName(k));
        ASSERT_EQ(im.width, kW) << frameFileName(k);
        bool dots = false;
        for (int y = 0; y < kH; y++)
            for (int x = 0; x < kW; x++) {
                const Uint32 p = pixel(im, x, y);
                ASSERT_TRUE(p == 0 || p == 0xffffff) << frameFileName(k) << " " << x << "," << y << " " << hex(p);
                dots = dots || p != 0;
                if (x > 0) {
                    ASSERT_EQ(p, pixel(im, kW - x, y)) << frameFileName(k) << " " << x << "," << y;
                }
                if (y > 0) {
                    ASSERT_EQ(p, pixel(im, x, kH - y)) << frameFileName(k) << " " << x << "," << y;
                }
            }
        withDots += dots;
    }
    EXPECT_GT(withDots, kOpeningMs * kFps / 1000 / 2) << "the scope should follow the music";
}

TEST(CaptureShow, TwoRunsWriteTheSameFiles)
{
    TempDir a, b;
    for (const TempDir* d : {&a, &b}) {
        const CaptureRun run = capture({"--out", d->path().string(), "--fps", "30", "--from", "18.5", "--to", "19.5"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
    }
    int files = 0;
    for (const auto& entry : fs::directory_iterator(a.path())) {
        const std::string name = entry.path().filename().string();
        EXPECT_TRUE(slurp(entry.path().string()) == slurp(b / name)) << name << " differs between runs";
        files++;
    }
    EXPECT_EQ(files, 30 + 1);
}

// The tick at which the keep-alive restarts a play begun at `startMs`: the
// first frame at which the sound layer's position has reached the end.
Uint32 restartMs(Uint32 startMs, std::size_t frames, int fps)
{
    const Uint32 lengthMs = static_cast<Uint32>((frames * 1000 + kMixRate - 1) / kMixRate);
    return frameMs(firstFrameAt(startMs + lengthMs, fps), fps);
}

// A half-second tone as the music, in a scratch copy of the layout: the
// restarts, their gaps and the spectrum after them all show within a second.
TEST(CaptureShow, ShortMusicRepeatsAfterAGapOfUnderAFrame)
{
    constexpr int kFps = 45;  // frames 22 or 23 ms apart: the tone ends between two
    TempDir dir;
    fs::create_directory_symlink(fs::current_path() / "gfx", dir / "gfx");
    fs::create_directory(dir / "data");
    fs::copy_file(kToneMp3, dir / "data/demo.mp3");
    const CaptureRun run = capture({"--out", dir / "out", "--fps", std::to_string(kFps), "--to", "1.5"},
                                   dir.path().string());
    ASSERT_EQ(run.exitCode, 0) << run.err;

    const std::vector<std::int16_t> track = trackLeft(kToneMp3);
    const std::vector<std::int16_t> wav = wavLeft(dir / "out/audio.wav");
    ASSERT_EQ(wav.size(), sampleAt(frameMs(firstFrameAt(1500, kFps), kFps)));
    std::vector<std::int16_t> want;
    for (Uint32 start = 0; want.size() < wav.size(); start = restartMs(start, track.size(), kFps)) {
        want.resize(sampleAt(start), 0);  // the gap before this play
        want.insert(want.end(), track.begin(), track.end());
        ASSERT_LT(sampleAt(restartMs(start, track.size(), kFps)) - want.size(), 44100u / kFps + 1);
    }
    ASSERT_GT(sampleAt(restartMs(0, track.size(), kFps)), track.size()) << "no gap to check";
    for (std::size_t i = 0; i < wav.size(); i++)
        ASSERT_EQ(wav[i], want[i]) << "sample " << i;

    // The 861 Hz tone lights scope bin 20, 80 pixels either side of the middle.
    const long secondPlay = firstFrameAt(restartMs(0, track.size(), kFps), kFps);
    for (long k : {5L, secondPlay + 5}) {
        const RgbImage im = loadRgb(dir / ("out/" + frameFileName(k)));
        int lit = 0;
        for (int y = 0; y < kH; y++)
            lit += pixel(im, 400, y) != 0;
        EXPECT_GT(lit, 0) << frameFileName(k);
    }
}

TEST(CaptureShow, FromPastTheEndOfTheMusicPicksUpItsRepeat)
{
    const std::vector<std::int16_t> track = trackLeft("data/demo.mp3");
    const double length = track.size() / 44100.0;
    TempDir dir;
    const CaptureRun run = capture({"--out", dir.path().string(), "--fps", "5", "--from", std::to_string(length + 0.5),
                             "--to", std::to_string(length + 1.5)});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::int16_t> wav = wavLeft(dir / "audio.wav");
    ASSERT_EQ(wav.size(), 44100u);
    const long firstFrame = firstFrameAt(static_cast<Uint32>(std::llround((length + 0.5) * 1000)), 5);
    const std::size_t offset = sampleAt(frameMs(firstFrame, 5)) - sampleAt(restartMs(0, track.size(), 5));
    int loud = 0;
    for (std::size_t i = 0; i < wav.size(); i++) {
        ASSERT_EQ(wav[i], track[offset + i]) << "sample " << i;
        loud += wav[i] != 0;
    }
    EXPECT_GT(loud, 44100 / 2);
}

// The video is the show doubled, with its sound; without the music there
// is no show to film: one line, and nothing made.
TEST(CaptureShow, VideoIsDoubledToTwelveEightyByNineSixty)
{
    if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "ffmpeg not installed";
    for (bool music : {true, false}) {
        SCOPED_TRACE(music ? "with music" : "without music");
        TempDir dir;
        scratch::ScratchTree tree(scratch::kShortMusic);
        if (!music)
            fs::remove(tree.root() / scratch::kMusic);
        const std::string mp4 = dir / "v.mp4";
        const CaptureRun run =
            capture({"--out", dir / "frames", "--fps", "10", "--to", "1", "--video", mp4}, tree.root().string());
        if (!music) {
            EXPECT_EQ(run.exitCode, 1) << run.err;
            EXPECT_NE(run.err.find("cannot load music"), std::string::npos) << run.err;
            EXPECT_TRUE(fs::is_empty(dir.path())) << "something was made without the music";
            continue;
        }
        ASSERT_EQ(run.exitCode, 0) << run.err;
        ASSERT_TRUE(fs::exists(mp4));
        EXPECT_TRUE(fs::exists(dir / "frames/audio.wav"));
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2)
            << "the picture-only or an unfinished file is left beside the video";
        if (std::system("command -v ffprobe >/dev/null 2>&1") != 0)
            continue;
        const std::string cmd = "ffprobe -v error -show_entries stream=codec_type,width,height -of csv=p=0 '" +
                                mp4 + "' > '" + (dir / "probe.txt") + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0);
        const std::string probe = slurp(dir / "probe.txt");
        EXPECT_NE(probe.find("video,1280,960"), std::string::npos) << probe;
        EXPECT_NE(probe.find("audio"), std::string::npos) << probe;
    }
}
