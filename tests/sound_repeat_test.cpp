// The music's repeat with a sound device behind it, driven by the show's own
// frame pass: every play hands the device the same frames from the first
// on, the play position starts again near 0, and the spectrum at a point of
// a repeat is the one of the first play at that point.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "clock.h"
#include "globals.h"
#include "harness.h"
#include "music.h"
#include "show.h"
#include "sound.h"
#include "spectrum.h"
#include "streamtrack.h"
#include "testutil.h"

namespace {

constexpr std::size_t kSegmentFrames = kMixRate / 10;
// Tones on band centres, each for a tenth of a second; a cosine, so the
// track's first sample is loud and a play's start shows in the output.
constexpr int kBands[] = {12, 45, 90};
constexpr double kLevel = 0.8;
constexpr int kPlays = 3;  // the first play and two repeats

PcmTrack segmentTrack()
{
    PcmTrack track;
    for (const int band : kBands)
        for (std::size_t n = 0; n < kSegmentFrames; ++n) {
            const double v = kLevel * 32767.0 * std::cos(6.283185307179586 * band * static_cast<double>(n) / kFftSize);
            const auto s = static_cast<std::int16_t>(std::lround(v));
            track.samples.push_back(s);
            track.samples.push_back(s);
        }
    return track;
}

// The segment whose tone fills the whole analysis window from `pos`, or -1
// when the window straddles two segments or the end.
int wholeSegmentAt(std::size_t pos)
{
    const std::size_t segment = pos / kSegmentFrames;
    if (segment >= std::size(kBands) || (pos + kFftSize - 1) / kSegmentFrames != segment)
        return -1;
    return static_cast<int>(segment);
}

std::vector<float> copySpectrum(const float* s)
{
    return std::vector<float>(s, s + kSpectrumBands);
}

// The show as the frame loop leaves it between passes: a screen, the
// opening scene, the music started by initMusic's calls on a track of ours.
class ShowWithDevice : public testing::Test {
protected:
    void SetUp() override
    {
        initTestScreen();
        FSOUND_Close();
        soundSetDeviceless(false);
        currentScene = kOpeningScene;
        mainTrans = 0;
    }
    void TearDown() override
    {
        FSOUND_Close();
        soundUseDevice(nullptr);
        handle_sound = savedHandle_;
        useRealClock();
    }
    void startMusic()
    {
        FSOUND_Init(kMixRate, 32, 0);
        handle_sound = soundSampleFromPcm(0, track_);
        ASSERT_NE(handle_sound, nullptr);
        FSOUND_PlaySound(0, handle_sound);
        FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
        startTick = getTicks();
        td = startTick;
    }

    const PcmTrack track_ = segmentTrack();
    FSOUND_SAMPLE* savedHandle_ = handle_sound;
};

// A device of the test's own: it plays whatever track it was last handed,
// one step of frames each time the test moves it on, and keeps every frame
// it played.
namespace fake {
const StreamedTrack* playing = nullptr;
std::size_t position = 0;
int plays = 0;
std::vector<std::vector<std::int16_t>> heard;  // one entry a play

bool open(std::string&) { return true; }
void play(const StreamedTrack* track)
{
    playing = track;
    position = 0;
    if (track) {
        plays++;
        heard.emplace_back();
    }
}
bool isPlaying() { return playing && position < playing->decodedFrames(); }
std::size_t at() { return playing ? std::min(position, playing->decodedFrames()) : 0; }
void close() { playing = nullptr; }
void moveOn(std::size_t frames)
{
    if (!isPlaying())
        return;
    const std::size_t end = std::min(position + frames, playing->decodedFrames());
    std::vector<std::int16_t>& out = heard.back();
    const std::size_t had = out.size();
    out.resize(had + (end - position) * kMixChannels);
    playing->copy(position, end - position, out.data() + had);
    position = end;
}
const SoundDevice device{open, play, isPlaying, at, close};
}  // namespace fake

TEST_F(ShowWithDevice, OwnDeviceReplaysTheWholeTrackAndTheSpectrumRepeatsWithIt)
{
    fake::plays = 0;
    fake::heard.clear();
    soundUseDevice(&fake::device);
    VirtualClock clock(5000);
    startMusic();
    ASSERT_FALSE(soundIsSilent());

    // A step that is no divisor of the track, so the plays end mid-step.
    constexpr std::size_t kStep = 997;
    std::vector<std::vector<float>> firstPlay(track_.frames() + 1);
    std::size_t last = 0;
    int checked = 0;
    for (int pass = 0; pass < 2000 && fake::plays <= kPlays; ++pass) {
        framePass();
        const std::size_t pos = soundPlayPosition();
        if (pos < last) {
            EXPECT_EQ(pos, 0u) << "play " << fake::plays << " starts elsewhere";
        }
        last = pos;
        if (fake::plays == 1)
            firstPlay[pos] = copySpectrum(spectrum);
        else if (!firstPlay[pos].empty()) {
            ASSERT_EQ(copySpectrum(spectrum), firstPlay[pos]) << "play " << fake::plays << " at frame " << pos;
            checked++;
        }
        fake::moveOn(kStep);
        advanceTicks(23);
    }
    ASSERT_GT(fake::plays, kPlays) << "the keep-alive did not repeat the music";
    EXPECT_GT(checked, 2 * static_cast<int>(track_.frames() / kStep) - 4);
    for (int play = 0; play < kPlays; ++play)
        EXPECT_TRUE(fake::heard[play] == track_.samples) << "play " << play + 1 << " is not the whole track";
}

// SDL's disk driver plays into a file, in real time: what the file holds is
// what the sound layer mixed.
struct DiskDevice {
    explicit DiskDevice(const std::string& file)
    {
        set("SDL_AUDIODRIVER", "disk");
        set("SDL_DISKAUDIOFILE", file.c_str());
    }
    ~DiskDevice()
    {
        for (const auto& [name, value] : saved_)
            value.empty() ? unsetenv(name.c_str()) : setenv(name.c_str(), value.c_str(), 1);
    }
    void set(const char* name, const char* value)
    {
        const char* was = std::getenv(name);
        saved_.emplace_back(name, was ? was : "");
        setenv(name, value, 1);
    }
    std::vector<std::pair<std::string, std::string>> saved_;
};

std::vector<std::int16_t> readSamples(const std::string& path)
{
    const std::string bytes = harness::slurp(path);
    std::vector<std::int16_t> out(bytes.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::int16_t>(static_cast<std::uint8_t>(bytes[2 * i]) |
                                           (static_cast<std::uint8_t>(bytes[2 * i + 1]) << 8));
    return out;
}

// Where the whole track lies in `mixed`, each copy after the one before.
std::vector<std::size_t> copiesOf(const std::vector<std::int16_t>& track, const std::vector<std::int16_t>& mixed)
{
    std::vector<std::size_t> found;
    auto from = mixed.begin();
    while (true) {
        from = std::search(from, mixed.end(), track.begin(), track.end());
        if (from == mixed.end())
            return found;
        found.push_back(static_cast<std::size_t>(from - mixed.begin()) / kMixChannels);
        from += static_cast<std::ptrdiff_t>(track.size());
    }
}

TEST_F(ShowWithDevice, RealDeviceMixesEveryRepeatFromTheStartAndThePositionFollows)
{
    harness::TempDir dir;
    const std::string out = dir / "mixed.raw";
    {
        DiskDevice disk(out);
        useRealClock();
        startMusic();
    }
    if (soundIsSilent())
        GTEST_SKIP() << "SDL has no disk audio driver here";

    struct Play {
        std::size_t first = 0, furthest = 0;
    };
    std::vector<Play> plays(1);
    std::vector<std::vector<float>> firstSpectra(std::size(kBands));
    std::size_t last = 0;
    int compared = 0;
    const Uint32 giveUp = getTicks() + 6000;
    while (plays.size() <= kPlays && getTicks() < giveUp) {
        const std::size_t before = soundPlayPosition();
        framePass();
        const std::vector<float> seen = copySpectrum(spectrum);
        const std::size_t pos = soundPlayPosition();
        // A play that ended since the pass's spectrum reads as position 0.
        if (!FSOUND_IsPlaying(0)) {
            SDL_Delay(1);
            continue;
        }
        if (pos + kSegmentFrames < last)
            plays.push_back({pos, pos});
        plays.back().furthest = std::max(plays.back().furthest, pos);
        last = pos;
        // The pass's spectrum was taken somewhere between the two readings;
        // when both windows lie in one tone, so did the spectrum's.
        int segment = wholeSegmentAt(before);
        if (before > pos || segment != wholeSegmentAt(pos))
            segment = -1;
        if (segment >= 0 && plays.size() == 1) {
            firstSpectra[segment] = seen;
        } else if (segment >= 0 && !firstSpectra[segment].empty()) {
            for (int k = 0; k < kSpectrumBands; ++k)
                ASSERT_NEAR(seen[k], firstSpectra[segment][k], 0.01f)
                    << "band " << k << " in play " << plays.size() << " at frame " << pos;
            compared++;
        }
        SDL_Delay(1);
    }
    FSOUND_Close();

    EXPECT_GT(plays.size(), static_cast<std::size_t>(kPlays)) << "the position did not start again twice";
    // Readings are some milliseconds apart, more on a busy machine; a tone's
    // length (a third of the track) is room enough for a stall.
    for (std::size_t p = 0; p < plays.size() - 1; ++p) {
        if (p > 0) {
            EXPECT_LT(plays[p].first, kSegmentFrames) << "play " << p + 1 << " began at frame " << plays[p].first;
        }
        EXPECT_GT(plays[p].furthest, plays[p].first + kSegmentFrames) << "play " << p + 1 << " did not move on";
    }
    EXPECT_GT(compared, 0) << "no spectrum of a repeat was seen inside a tone";

    const std::vector<std::size_t> copies = copiesOf(track_.samples, readSamples(out));
    ASSERT_GE(copies.size(), static_cast<std::size_t>(kPlays)) << "the device did not mix every play whole";
    // Between two plays: the rest of the device's buffer and a pass or so.
    for (std::size_t c = 1; c < copies.size(); ++c)
        EXPECT_LT(copies[c] - copies[c - 1] - track_.frames(), kMixRate / 4) << "gap before play " << c + 1;
}

}  // namespace
