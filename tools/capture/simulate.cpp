#include "simulate.h"

#include <algorithm>
#include <cstdlib>

#include "clock.h"
#include "globals.h"
#include "music.h"
#include "show.h"
#include "sound.h"
#include "streamtrack.h"

namespace {

constexpr std::uint64_t kMsPerSecond = 1000;
constexpr int kMusicChannel = 0;
// The sound layer counts each play from its own start tick, the tape counts
// on one grid from the start of the show: the two may round a sample apart.
constexpr std::size_t kPositionSlack = 1;

}  // namespace

Uint32 frameMs(long k, int fps)
{
    return static_cast<Uint32>(static_cast<std::uint64_t>(k) * kMsPerSecond / fps);
}

long firstFrameAt(Uint32 ms, int fps)
{
    // floor(k * 1000 / fps) >= ms exactly when k * 1000 >= ms * fps.
    const std::uint64_t scaled = static_cast<std::uint64_t>(ms) * fps;
    return static_cast<long>((scaled + kMsPerSecond - 1) / kMsPerSecond);
}

std::uint64_t sampleAt(Uint32 ms)
{
    return static_cast<std::uint64_t>(ms) * kMixRate / kMsPerSecond;
}

void MusicTape::started(Uint32 ms)
{
    playing_ = true;
    startMs_ = ms;
}

std::size_t MusicTape::positionAt(Uint32 ms) const
{
    return static_cast<std::size_t>(sampleAt(ms) - sampleAt(startMs_));
}

void MusicTape::render(Uint32 fromMs, Uint32 toMs, std::vector<std::int16_t>& out) const
{
    const std::size_t count = static_cast<std::size_t>(sampleAt(toMs) - sampleAt(fromMs));
    const std::size_t base = out.size();
    out.resize(base + count * kMixChannels, 0);
    if (!playing_ || track_ == nullptr)
        return;
    const std::size_t first = positionAt(fromMs);
    const std::size_t total = track_->decodedFrames();
    if (first < total)
        track_->copy(first, std::min(count, total - first), out.data() + base);
}

void startCapturedShow(MusicTape& tape)
{
    // Asking for the dummy driver by name is what lets the show start
    // without a display.
    SDL_putenv(const_cast<char*>("SDL_VIDEODRIVER=dummy"));
    soundSetDeviceless(true);
    setTicks(kCaptureStartTick);
    startShow();
    // Read from the sound layer's own blocks: a copy of the whole track
    // would double the renderer's memory.
    soundWaitDecoded(handle_sound);
    tape.setTrack(soundSampleTrack(handle_sound));
    if (FSOUND_IsPlaying(kMusicChannel))
        tape.started(0);
}

bool simulateFrames(long count, int fps, MusicTape& tape,
                    const std::function<bool(const SimulatedFrame&)>& sink, std::string& error)
{
    for (long k = 0; k < count; k++) {
        const Uint32 ms = frameMs(k, fps);
        setTicks(kCaptureStartTick + ms);
        // The keep-alive restarts the music inside the pass; seeing channel 0
        // idle before and busy after is how the tape learns of it.
        const bool wasPlaying = FSOUND_IsPlaying(kMusicChannel);
        framePass();
        const bool playing = FSOUND_IsPlaying(kMusicChannel);
        if (playing && !wasPlaying)
            tape.started(ms);
        if (playing) {
            const std::size_t heard = soundPlayPosition();
            const std::size_t taped = tape.positionAt(ms);
            const std::size_t apart = heard > taped ? heard - taped : taped - heard;
            if (!tape.hasStarted() || apart > kPositionSlack) {
                error = "the sound layer's music position parted from the recording at frame " +
                        std::to_string(k);
                return false;
            }
        }
        if (!sink(SimulatedFrame{k, ms, screen}))
            break;
    }
    return true;
}
