#include "sound.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include "clock.h"
#include "held_stderr.h"
#include "playhead.h"
#include "report.h"
#include "sound_samples.h"
#include "spectrum.h"
#include "streamtrack.h"

struct FSOUND_DSPUNIT {
    bool active = false;
};

namespace {

// One device buffer: about 23 ms at 44100 Hz. A block handed out is heard
// only after the one still queued, so the playhead lags one buffer behind.
constexpr Uint16 kDeviceBufferFrames = 1024;
constexpr std::uint64_t kMsPerSecond = 1000;
constexpr int kAnyChannel = -1;
constexpr int kOnlyChannel = 0;
constexpr std::size_t kUnknownEnd = std::numeric_limits<std::size_t>::max();

// Channel 0, the only one mixed. `track`, `mixPos` and `playhead` change
// only with the device locked (or from the callback, which SDL runs under
// that lock); the show thread reads `playing` without it.
struct Channel {
    StreamedTrack* track = nullptr;
    std::size_t mixPos = 0;  // next frame the callback copies
    Playhead playhead;
    std::atomic<bool> playing{false};
    Uint32 startTick = 0;    // silent mode: tick of PlaySound
};

struct SoundState {
    bool initialised = false;
    bool deviceOpen = false;
    bool audioStarted = false;  // we started SDL's audio and so stop it
    Channel channel;
};

// Kept for the whole process and never destroyed: the device thread may
// still be mixing from it while the process exits.
SoundState& state()
{
    static SoundState* const sound = new SoundState;
    return *sound;
}

bool devicelessRequested = false;
const SoundDevice* ownDevice = nullptr;  // in place of SDL's audio when set
void (*playListener)(void*) = nullptr;   // told of every start of channel 0
void* playListenerData = nullptr;
std::atomic<std::uint64_t> framesMixed{0};
FSOUND_DSPUNIT fftUnit;
float spectrumCopy[kSpectrumBands];
std::int16_t spectrumWindow[kFftSize * kMixChannels];

// The steady clock the playhead runs on; the show's tick clock may be
// virtual or wrap, and has only millisecond steps.
std::uint64_t deviceNowNs()
{
    return static_cast<std::uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch())
            .count());
}

// The track's length once decoded; until then it has no known end.
std::size_t trackEnd(const StreamedTrack& track)
{
    return track.finished() ? track.decodedFrames() : kUnknownEnd;
}

// Frames the decoder has not reached yet play as silence and are passed
// over; the track ends at its last decoded frame once decoding is done.
void mixChannel(void*, Uint8* stream, int len)
{
    Channel& ch = state().channel;
    const std::size_t wanted = static_cast<std::size_t>(len) / kBytesPerFrame;
    std::size_t copied = 0;
    if (ch.playing.load() && ch.track != nullptr) {
        const std::size_t end = trackEnd(*ch.track);
        const std::size_t pos = ch.mixPos;
        const std::size_t advance = pos < end ? std::min(end - pos, wanted) : 0;
        copied = ch.track->copy(pos, advance, reinterpret_cast<std::int16_t*>(stream));
        ch.mixPos = pos + advance;
        ch.playhead.handedOut(deviceNowNs(), pos, advance);
        framesMixed.fetch_add(copied);
        if (ch.mixPos >= end)
            ch.playing.store(false);
    }
    std::memset(stream + copied * kBytesPerFrame, 0, static_cast<std::size_t>(len) - copied * kBytesPerFrame);
}

// Asks for the device's own buffer size, the least that is queued ahead of
// the speaker. A device that wants another format is opened again with SDL
// converting for us, and its buffer taken as the one asked for.
bool openDevice(std::string& reason)
{
    HeldStderr alsaNoise;  // ALSA's own lines about a missing card; ours follows
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        reason = SDL_GetError();
        return false;
    }
    state().audioStarted = true;
    SDL_AudioSpec want;
    std::memset(&want, 0, sizeof want);
    want.freq = kMixRate;
    want.format = AUDIO_S16SYS;
    want.channels = kMixChannels;
    want.samples = kDeviceBufferFrames;
    want.callback = mixChannel;
    SDL_AudioSpec obtained;
    std::memset(&obtained, 0, sizeof obtained);
    if (SDL_OpenAudio(&want, &obtained) != 0) {
        reason = SDL_GetError();
        return false;
    }
    Uint16 bufferFrames = obtained.samples;
    if (obtained.freq != want.freq || obtained.format != want.format || obtained.channels != want.channels) {
        SDL_CloseAudio();
        if (SDL_OpenAudio(&want, nullptr) != 0) {
            reason = SDL_GetError();
            return false;
        }
        bufferFrames = kDeviceBufferFrames;
    }
    state().channel.playhead.setLatency(bufferFrames > 0 ? bufferFrames : kDeviceBufferFrames);
    SDL_PauseAudio(0);
    return true;
}

// The device stops mixing while the show thread swaps what channel 0 plays.
class DeviceLock {
public:
    DeviceLock() : locked_(state().deviceOpen && ownDevice == nullptr)
    {
        if (locked_)
            SDL_LockAudio();
    }
    ~DeviceLock()
    {
        if (locked_)
            SDL_UnlockAudio();
    }
    DeviceLock(const DeviceLock&) = delete;
    DeviceLock& operator=(const DeviceLock&) = delete;

private:
    bool locked_;
};

void stopChannel()
{
    Channel& ch = state().channel;
    DeviceLock lock;
    ch.playing.store(false);
    ch.track = nullptr;
    ch.mixPos = 0;
    ch.playhead.restart();
    if (ownDevice != nullptr && state().deviceOpen)
        ownDevice->play(nullptr);
}

// Frames of the timeline since PlaySound when there is no device; 64-bit so
// the product cannot wrap, the tick difference unsigned so it survives the
// tick counter wrapping.
std::size_t silentPosition()
{
    const Uint32 elapsed = getTicks() - state().channel.startTick;
    return static_cast<std::size_t>(static_cast<std::uint64_t>(elapsed) * kMixRate / kMsPerSecond);
}

bool channelPlaying()
{
    const SoundState& s = state();
    const Channel& ch = s.channel;
    if (!ch.playing.load() || ch.track == nullptr)
        return false;
    if (s.deviceOpen && ownDevice != nullptr)
        return ownDevice->playing();
    return s.deviceOpen || silentPosition() < trackEnd(*ch.track);
}

}  // namespace

void stopChannelPlaying(const StreamedTrack* track)
{
    if (state().channel.track == track)
        stopChannel();
}

// The device always mixes at kMixRate, the rate every sample is decoded to,
// and one channel: the show asks for nothing else.
signed char FSOUND_Init(int, int, unsigned int)
{
    SoundState& s = state();
    if (s.initialised)
        return 1;
    s.initialised = true;
    stopDecodingAtExit();
    if (devicelessRequested)
        return 1;
    std::string reason;
    s.deviceOpen = ownDevice != nullptr ? ownDevice->open(reason) : openDevice(reason);
    if (!s.deviceOpen)
        reportNotice("frosthem: no audio device (%s); the music runs silently", reason.c_str());
    return 1;
}

int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample)
{
    SoundState& s = state();
    if (sample == nullptr || !s.initialised || (channel != kOnlyChannel && channel != kAnyChannel))
        return -1;
    Channel& ch = s.channel;
    DeviceLock lock;
    ch.track = &sample->track;
    ch.mixPos = 0;
    ch.playhead.restart();
    ch.startTick = getTicks();
    ch.playing.store(true);
    if (ownDevice != nullptr && s.deviceOpen)
        ownDevice->play(ch.track);
    if (playListener != nullptr)
        playListener(playListenerData);
    return kOnlyChannel;
}

signed char FSOUND_IsPlaying(int channel)
{
    return channel == kOnlyChannel && channelPlaying() ? 1 : 0;
}

FSOUND_DSPUNIT* FSOUND_DSP_GetFFTUnit()
{
    return &fftUnit;
}

signed char FSOUND_DSP_SetActive(FSOUND_DSPUNIT* unit, signed char active)
{
    if (unit == nullptr)
        return 0;
    unit->active = active != 0;
    return 1;
}

// Only decoded frames are analysed; any not decoded yet count as silence,
// as they are played.
float* FSOUND_DSP_GetSpectrum()
{
    const StreamedTrack* track = state().channel.track;
    if (fftUnit.active && channelPlaying()) {
        const std::size_t frames = track->copy(soundPlayPosition(), kFftSize, spectrumWindow);
        computeSpectrum(spectrumWindow, frames, 0, spectrumCopy);
    } else
        std::fill(std::begin(spectrumCopy), std::end(spectrumCopy), 0.0f);
    return spectrumCopy;
}

void FSOUND_Close()
{
    SoundState& s = state();
    stopChannel();
    if (s.deviceOpen && ownDevice != nullptr)
        ownDevice->close();
    else if (s.deviceOpen)
        SDL_CloseAudio();
    if (s.audioStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    s.deviceOpen = false;
    s.audioStarted = false;
    s.initialised = false;
    dropSamples();
    fftUnit.active = false;
    std::fill(std::begin(spectrumCopy), std::end(spectrumCopy), 0.0f);
}

void soundUseDevice(const SoundDevice* device)
{
    ownDevice = device;
}

void soundOnPlay(void (*listener)(void* data), void* data)
{
    playListener = listener;
    playListenerData = data;
}

bool soundGoLive()
{
    SoundState& s = state();
    if (!s.initialised || s.deviceOpen || ownDevice != nullptr)
        return false;
    const bool playing = channelPlaying();
    const std::size_t from = playing ? silentPosition() : 0;
    // Set before the device runs its first callback; the silent timeline
    // does not use them.
    Channel& ch = s.channel;
    ch.mixPos = from;
    ch.playhead.restart(from);
    // A track that ended in silence is started again by the keep-alive.
    ch.playing.store(playing);
    devicelessRequested = false;
    std::string reason;
    s.deviceOpen = openDevice(reason);
    if (!s.deviceOpen) {
        reportNotice("frosthem: no audio device (%s); the music runs silently", reason.c_str());
        return false;
    }
    return true;
}

void soundSetDeviceless(bool deviceless)
{
    devicelessRequested = deviceless;
}

bool soundIsSilent()
{
    const SoundState& s = state();
    return s.initialised && !s.deviceOpen;
}

std::uint64_t soundFramesMixed()
{
    return framesMixed.load();
}

std::size_t soundPlayPosition()
{
    if (!channelPlaying())
        return 0;
    if (!state().deviceOpen)
        return silentPosition();
    if (ownDevice != nullptr)
        return ownDevice->position();
    Channel& ch = state().channel;
    DeviceLock lock;
    return ch.track != nullptr ? ch.playhead.position(deviceNowNs(), trackEnd(*ch.track)) : 0;
}
