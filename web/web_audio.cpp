#include "web_audio.h"

#include <emscripten.h>

namespace {

// The page keeps one AudioContext (Module.audioContext) across restarts of
// the show; the buffer of a track is made once per module.
EM_JS(int, jsAudioRunning, (), {
    const ctx = Module.audioContext;
    return ctx && ctx.state === "running" ? 1 : 0;
});

EM_JS(void, jsAudioPlay, (const short* samples, int frames, int rate), {
    const ctx = Module.audioContext;
    const a = Module.webAudio || (Module.webAudio = {});
    if (a.source) {
        a.source.onended = null;
        a.source.stop();
        a.source.disconnect();
        a.source = null;
    }
    if (!samples)
        return;
    if (a.bufferOf !== samples) {
        const pcm = HEAP16.subarray(samples >> 1, (samples >> 1) + frames * 2);
        const buffer = ctx.createBuffer(2, frames, rate);
        const left = buffer.getChannelData(0), right = buffer.getChannelData(1);
        for (let i = 0; i < frames; i++) {
            left[i] = pcm[2 * i] / 32768;
            right[i] = pcm[2 * i + 1] / 32768;
        }
        a.buffer = buffer;
        a.bufferOf = samples;
    }
    a.source = ctx.createBufferSource();
    a.source.buffer = a.buffer;
    a.source.connect(ctx.destination);
    a.startTime = ctx.currentTime;
    a.rate = rate;
    a.frames = frames;
    a.source.start(a.startTime);
});

// Seconds of the track already heard, counted on the context's clock.
EM_JS(double, jsAudioHeard, (), {
    const ctx = Module.audioContext, a = Module.webAudio;
    if (!ctx || !a || !a.source)
        return -1;
    const latency = ctx.outputLatency || ctx.baseLatency || 0;
    return Math.max(0, ctx.currentTime - latency - a.startTime);
});

// Seconds since the track was handed to the output.
EM_JS(double, jsAudioSent, (), {
    const ctx = Module.audioContext, a = Module.webAudio;
    return ctx && a && a.source ? ctx.currentTime - a.startTime : -1;
});

const PcmTrack* playingTrack = nullptr;

bool openWeb(std::string& reason)
{
    if (jsAudioRunning())
        return true;
    reason = "the browser has not allowed sound";
    return false;
}

void playWeb(const PcmTrack* track)
{
    playingTrack = track;
    if (track == nullptr || track->frames() == 0)
        jsAudioPlay(nullptr, 0, kMixRate);
    else
        jsAudioPlay(track->samples.data(), static_cast<int>(track->frames()), kMixRate);
}

// Until the last frame has gone out; the keep-alive then starts it again.
bool playingWeb()
{
    if (playingTrack == nullptr)
        return false;
    const double sent = jsAudioSent();
    return sent >= 0 && sent * kMixRate < static_cast<double>(playingTrack->frames());
}

std::size_t positionWeb()
{
    const double heard = jsAudioHeard();
    return heard > 0 ? static_cast<std::size_t>(heard * kMixRate) : 0;
}

void closeWeb()
{
    playWeb(nullptr);
}

const SoundDevice device{openWeb, playWeb, playingWeb, positionWeb, closeWeb};

}  // namespace

const SoundDevice* webAudioDevice()
{
    return &device;
}
