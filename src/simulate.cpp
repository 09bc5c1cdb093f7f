#include "simulate.h"

#include <algorithm>

#include "clock.h"
#include "globals.h"
#include "music.h"
#include "show.h"
#include "sound.h"
#include "streamtrack.h"

namespace {

constexpr std::uint64_t kMsPerSecond = 1000;

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

MusicTape::MusicTape()
{
    soundOnPlay([](void* tape) { static_cast<MusicTape*>(tape)->started(getTicks() - kCaptureStartTick); }, this);
}

MusicTape::~MusicTape()
{
    soundOnPlay(nullptr, nullptr);
}

ShowHost capturedHost(Uint32 start)
{
    ShowHost host;
    host.offscreen = true;
    host.silent = true;
    host.clock = ShowClock::Virtual;
    host.virtualStart = start;
    return host;
}

bool startCapturedShow(MusicTape& tape, std::string& error)
{
    if (!startShow(capturedHost(), error))
        return false;
    // Read from the sound layer's own blocks: a copy of the whole track
    // would double the renderer's memory.
    soundWaitDecoded(handle_sound);
    tape.setTrack(soundSampleTrack(handle_sound));
    return true;
}

bool startShowAt(const ShowHost& host, Uint32 ms, std::string& error)
{
    ShowHost worked = host;
    worked.clock = ShowClock::Virtual;
    worked.virtualStart = kCaptureStartTick;
    worked.silent = true;
    if (!startShow(worked, error))
        return false;
    // The frames worked out must be the renderer's, whose spectrum reads a
    // wholly decoded track: a pass ahead of the decoder would see silence.
    soundWaitDecoded(handle_sound);
    const long last = firstFrameAt(ms, kStartFps);
    for (long k = 0; k <= last && !quitRequested; k++) {
        setTicks(kCaptureStartTick + frameMs(k, kStartFps));
        framePass();
    }
    if (host.present != nullptr)
        host.present();
    followRealTime();
    if (!host.silent && !host.options.mute)
        soundGoLive();
    return true;
}

SimulatedFrame simulateFrame(long k, int fps)
{
    const Uint32 ms = frameMs(k, fps);
    setTicks(kCaptureStartTick + ms);
    showFrame();
    return SimulatedFrame{k, ms, screen};
}

void simulateFrames(long count, int fps, const std::function<bool(const SimulatedFrame&)>& sink)
{
    for (long k = 0; k < count; k++) {
        if (!sink(simulateFrame(k, fps)))
            break;
    }
}
