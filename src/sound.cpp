#include "sound.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "clock.h"
#include "report.h"
#include "spectrum.h"

struct FSOUND_SAMPLE {
    PcmTrack pcm;
};

struct FSOUND_DSPUNIT {
    bool active = false;
};

namespace {

// One device buffer: about 23 ms at 44100 Hz, so the spectrum the show
// fetches is never more than one buffer off what is heard.
constexpr Uint16 kDeviceBufferFrames = 1024;
constexpr std::size_t kBytesPerFrame = kMixChannels * sizeof(std::int16_t);
constexpr std::uint64_t kMsPerSecond = 1000;
constexpr int kSampleSlots = 16;
constexpr int kAnyFree = -1;  // the sample slot or channel number meaning "pick one"
constexpr int kOnlyChannel = 0;
constexpr signed char kTrue = 1;
constexpr signed char kFalse = 0;

// Channel 0, the only one mixed. `track` and `mixPos` change only with the
// device locked (or from the callback, which SDL runs under that lock); the
// show thread reads the callback's progress through the atomics alone.
struct Channel {
    const PcmTrack* track = nullptr;
    std::size_t mixPos = 0;                // next frame the callback copies
    std::atomic<std::size_t> heardPos{0};  // first frame of the block last handed out
    std::atomic<bool> playing{false};
    Uint32 startTick = 0;                  // silent mode: tick of PlaySound
};

struct SoundState {
    bool initialised = false;
    bool deviceOpen = false;
    bool audioStarted = false;  // we started SDL's audio and so stop it
    std::array<std::unique_ptr<FSOUND_SAMPLE>, kSampleSlots> slots;
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
FSOUND_DSPUNIT fftUnit;
float spectrumCopy[kSpectrumBands];

void mixChannel(void*, Uint8* stream, int len)
{
    Channel& ch = state().channel;
    const std::size_t wanted = static_cast<std::size_t>(len) / kBytesPerFrame;
    std::size_t copied = 0;
    if (ch.playing.load() && ch.track != nullptr) {
        const std::size_t total = ch.track->frames();
        const std::size_t pos = ch.mixPos;
        copied = pos < total ? std::min(total - pos, wanted) : 0;
        std::memcpy(stream, ch.track->samples.data() + pos * kMixChannels, copied * kBytesPerFrame);
        ch.mixPos = pos + copied;
        ch.heardPos.store(pos);
        if (ch.mixPos >= total)
            ch.playing.store(false);
    }
    std::memset(stream + copied * kBytesPerFrame, 0, static_cast<std::size_t>(len) - copied * kBytesPerFrame);
}

bool openDevice(std::string& reason)
{
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
    // No `obtained` spec: SDL converts to whatever the device really takes.
    if (SDL_OpenAudio(&want, nullptr) != 0) {
        reason = SDL_GetError();
        return false;
    }
    SDL_PauseAudio(0);
    return true;
}

// The device stops mixing while the show thread swaps what channel 0 plays.
class DeviceLock {
public:
    DeviceLock() : locked_(state().deviceOpen)
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
    ch.heardPos.store(0);
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
    return s.deviceOpen || silentPosition() < ch.track->frames();
}

int resolveSlot(int index)
{
    SoundState& s = state();
    if (index == kAnyFree) {
        for (int i = 0; i < kSampleSlots; ++i)
            if (!s.slots[i])
                return i;
        return -1;
    }
    return index >= 0 && index < kSampleSlots ? index : -1;
}

FSOUND_SAMPLE* storeSample(int slot, PcmTrack&& pcm)
{
    SoundState& s = state();
    std::unique_ptr<FSOUND_SAMPLE>& held = s.slots[slot];
    if (held && s.channel.track == &held->pcm)
        stopChannel();
    held = std::make_unique<FSOUND_SAMPLE>();
    held->pcm = std::move(pcm);
    return held.get();
}

void reportLoadFailure(const char* name, const std::string& reason)
{
    reportError("frosthem: cannot load music \"%s\": %s", name, reason.c_str());
}

}  // namespace

// The device always mixes at kMixRate, the rate every sample is decoded to,
// and one channel: the show asks for nothing else.
signed char FSOUND_Init(int, int, unsigned int)
{
    SoundState& s = state();
    if (s.initialised)
        return kTrue;
    s.initialised = true;
    if (devicelessRequested)
        return kTrue;
    std::string reason;
    s.deviceOpen = openDevice(reason);
    if (!s.deviceOpen)
        reportNotice("frosthem: no audio device (%s); the music runs silently", reason.c_str());
    return kTrue;
}

// Always the whole file, played once: the show loads with no loop, offset
// or length, and repeats the music itself.
FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name, unsigned int, int, int)
{
    const char* shown = name != nullptr ? name : "";
    const int slot = resolveSlot(index);
    if (slot < 0) {
        reportLoadFailure(shown, "no such sample slot");
        return nullptr;
    }
    PcmTrack pcm;
    std::string reason;
    if (name == nullptr || !decodeMp3(name, pcm, reason)) {
        reportLoadFailure(shown, name == nullptr ? "no file name" : reason);
        return nullptr;
    }
    return storeSample(slot, std::move(pcm));
}

int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample)
{
    SoundState& s = state();
    if (sample == nullptr || !s.initialised || (channel != kOnlyChannel && channel != kAnyFree))
        return -1;
    Channel& ch = s.channel;
    DeviceLock lock;
    ch.track = &sample->pcm;
    ch.mixPos = 0;
    ch.heardPos.store(0);
    ch.startTick = getTicks();
    ch.playing.store(true);
    return kOnlyChannel;
}

signed char FSOUND_IsPlaying(int channel)
{
    return channel == kOnlyChannel && channelPlaying() ? kTrue : kFalse;
}

FSOUND_DSPUNIT* FSOUND_DSP_GetFFTUnit()
{
    return &fftUnit;
}

signed char FSOUND_DSP_SetActive(FSOUND_DSPUNIT* unit, signed char active)
{
    if (unit == nullptr)
        return kFalse;
    unit->active = active != 0;
    return kTrue;
}

float* FSOUND_DSP_GetSpectrum()
{
    const PcmTrack* track = state().channel.track;
    if (fftUnit.active && channelPlaying())
        computeSpectrum(track->samples.data(), track->frames(), soundPlayPosition(), spectrumCopy);
    else
        std::fill(std::begin(spectrumCopy), std::end(spectrumCopy), 0.0f);
    return spectrumCopy;
}

void FSOUND_Close()
{
    SoundState& s = state();
    if (s.deviceOpen)
        SDL_CloseAudio();
    if (s.audioStarted)
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    s.deviceOpen = false;
    s.audioStarted = false;
    s.initialised = false;
    stopChannel();
    for (auto& slot : s.slots)
        slot.reset();
    fftUnit.active = false;
    std::fill(std::begin(spectrumCopy), std::end(spectrumCopy), 0.0f);
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

std::size_t soundPlayPosition()
{
    if (!channelPlaying())
        return 0;
    return state().deviceOpen ? state().channel.heardPos.load() : silentPosition();
}

const PcmTrack* soundSampleData(const FSOUND_SAMPLE* sample)
{
    return sample != nullptr ? &sample->pcm : nullptr;
}

FSOUND_SAMPLE* soundSampleFromPcm(int index, PcmTrack pcm)
{
    const int slot = resolveSlot(index);
    if (slot < 0 || pcm.frames() == 0)
        return nullptr;
    return storeSample(slot, std::move(pcm));
}
