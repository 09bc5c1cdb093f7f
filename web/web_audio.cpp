#include "web_audio.h"

#include <emscripten.h>

#include <algorithm>
#include <vector>

#include "streamtrack.h"

namespace {

// Frames of one AudioBuffer at most; fewer than the least wait for more
// decoding, unless the track is whole.
constexpr std::size_t kPieceFrames = std::size_t(2) * kMixRate;
constexpr std::size_t kLeastPieceFrames = kMixRate / 2;

// The page keeps one AudioContext (Module.audioContext) across restarts of
// the show. Module.webAudio holds the track's pieces made so far (each an
// AudioBuffer and the frame it starts at), kept for the repeats, the sources
// scheduled from them and the context time the track's first frame plays at.
EM_JS(void, jsAudioSetUp, (), {
    if (Module.webAudio)
        return;
    const a = Module.webAudio = {pieces: [], sources: new Set(), startTime: 0, playing: false};
    // A piece whose start has passed plays from the frame due now; one wholly
    // past is left out: frames not decoded in time are heard as silence.
    a.schedule = piece => {
        const ctx = Module.audioContext;
        const at = a.startTime + piece.from / piece.buffer.sampleRate;
        const late = ctx.currentTime - at;
        if (late >= piece.buffer.duration)
            return;
        const source = ctx.createBufferSource();
        source.buffer = piece.buffer;
        source.connect(ctx.destination);
        source.onended = () => {
            a.sources.delete(source);
            source.disconnect();
        };
        // Within a few milliseconds the context starts it on time itself.
        if (late > 0.005)
            source.start(ctx.currentTime, late);
        else
            source.start(at);
        a.sources.add(source);
    };
    a.stop = () => {
        for (const source of a.sources) {
            source.onended = null;
            source.stop();
            source.disconnect();
        }
        a.sources.clear();
        a.playing = false;
    };
});

EM_JS(int, jsAudioRunning, (), {
    const ctx = Module.audioContext;
    return ctx && ctx.state === "running" ? 1 : 0;
});

// The track from its first frame, now: the pieces already made play again.
EM_JS(void, jsAudioStart, (), {
    const a = Module.webAudio;
    a.stop();
    a.startTime = Module.audioContext.currentTime;
    a.playing = true;
    for (const piece of a.pieces)
        a.schedule(piece);
});

EM_JS(void, jsAudioStop, (), { Module.webAudio.stop(); });

// Another track: the pieces of the last one go.
EM_JS(void, jsAudioForget, (), { Module.webAudio.pieces = []; });

EM_JS(void, jsAudioAdd, (const short* samples, int frames, double from, int rate), {
    const a = Module.webAudio;
    const pcm = HEAP16.subarray(samples >> 1, (samples >> 1) + frames * 2);
    const buffer = Module.audioContext.createBuffer(2, frames, rate);
    const left = buffer.getChannelData(0), right = buffer.getChannelData(1);
    for (let i = 0; i < frames; i++) {
        left[i] = pcm[2 * i] / 32768;
        right[i] = pcm[2 * i + 1] / 32768;
    }
    const piece = {from: from, buffer: buffer};
    a.pieces.push(piece);
    if (a.playing)
        a.schedule(piece);
});

// Seconds of the track already heard, counted on the context's clock.
EM_JS(double, jsAudioHeard, (), {
    const ctx = Module.audioContext, a = Module.webAudio;
    if (!ctx || !a || !a.playing)
        return -1;
    const latency = ctx.outputLatency || ctx.baseLatency || 0;
    return Math.max(0, ctx.currentTime - latency - a.startTime);
});

// Seconds since the track's first frame was handed to the output.
EM_JS(double, jsAudioSent, (), {
    const ctx = Module.audioContext, a = Module.webAudio;
    return ctx && a && a.playing ? ctx.currentTime - a.startTime : -1;
});

const StreamedTrack* playingTrack = nullptr;
const StreamedTrack* piecesOf = nullptr;  // the track the page holds pieces of
std::size_t piecesEnd = 0;                // the frame after its last piece

bool openWeb(std::string& reason)
{
    if (jsAudioRunning()) {
        jsAudioSetUp();
        return true;
    }
    reason = "the browser has not allowed sound";
    return false;
}

void playWeb(const StreamedTrack* track)
{
    playingTrack = track;
    if (track == nullptr) {
        jsAudioStop();
        return;
    }
    if (track != piecesOf) {
        jsAudioForget();
        piecesOf = track;
        piecesEnd = 0;
    }
    jsAudioStart();
    webAudioPump();
}

// Until the last frame has gone out; the keep-alive then starts it again.
bool playingWeb()
{
    if (playingTrack == nullptr)
        return false;
    const double sent = jsAudioSent();
    if (sent < 0)
        return false;
    return !playingTrack->finished() || sent * kMixRate < static_cast<double>(playingTrack->decodedFrames());
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

void webAudioPump()
{
    if (playingTrack == nullptr)
        return;
    static std::vector<std::int16_t> samples;
    const bool whole = playingTrack->finished();
    const std::size_t decoded = playingTrack->decodedFrames();
    while (piecesEnd < decoded) {
        const std::size_t frames = std::min(kPieceFrames, decoded - piecesEnd);
        if (frames < kLeastPieceFrames && !whole)
            break;
        samples.resize(frames * kMixChannels);
        playingTrack->copy(piecesEnd, frames, samples.data());
        jsAudioAdd(samples.data(), static_cast<int>(frames), static_cast<double>(piecesEnd), kMixRate);
        piecesEnd += frames;
    }
}
