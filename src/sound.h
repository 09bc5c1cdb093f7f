// The show's sound layer: the calls the show makes to play its music on one
// channel and to read the music's spectrum each frame.
//
// The device is driven by SDL's audio callback; when no device can be opened
// the music's timeline runs silently on the tick clock (getTicks) and the
// spectrum follows it, so the visuals still move. A sample plays while it is
// still being decoded by a thread of the sound layer's own, stopped and
// joined by FSOUND_Close and at exit.
// The show's own names (`FSOUND_PlaySound`, `FSOUND_DSP_GetSpectrum` and the
// rest) are kept as they have always been, odd as some may look: they are the
// show's vocabulary.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "decode.h"

struct FSOUND_SAMPLE;
class StreamedTrack;
struct FSOUND_DSPUNIT;

constexpr unsigned int FSOUND_LOOP_OFF = 1;

signed char FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned int flags);
FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name, unsigned int mode, int offset,
                                  int length);
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample);
signed char FSOUND_IsPlaying(int channel);
FSOUND_DSPUNIT* FSOUND_DSP_GetFFTUnit();
signed char FSOUND_DSP_SetActive(FSOUND_DSPUNIT* unit, signed char active);
float* FSOUND_DSP_GetSpectrum();
void FSOUND_Close();

// --- Beyond the show's own calls: for tests and the offline renderer. ---

// Ask FSOUND_Init not to open an audio device at all: the music runs on the
// tick clock only (the offline renderer, tests). Call before FSOUND_Init.
void soundSetDeviceless(bool deviceless);
// True when FSOUND_Init ended up without a device.
bool soundIsSilent();
// Frames of music the device has been handed since FSOUND_Init: how far
// the device has got, for measuring start-up (0 without a device).
std::uint64_t soundFramesMixed();
// Frame position of channel 0 in the playing sample (0 when idle).
std::size_t soundPlayPosition();
// The whole decoded track of a sample handle; waits for its decoding to end.
const PcmTrack* soundSampleData(FSOUND_SAMPLE* sample);
// The decoded track of a sample handle, read a piece at a time: no second
// copy of it is made. Null for no handle.
const StreamedTrack* soundSampleTrack(FSOUND_SAMPLE* sample);
// Waits until a loaded sample is decoded to its end.
void soundWaitDecoded(FSOUND_SAMPLE* sample);
// Puts ready-made 44100 Hz stereo samples into sample slot `index` (-1: the
// first free one), as FSOUND_Sample_Load does with a decoded file. nullptr
// for an empty track or a bad slot.
FSOUND_SAMPLE* soundSampleFromPcm(int index, PcmTrack pcm);
// FSOUND_Sample_Load without its line on standard error: nullptr and the
// reason when the file cannot be used, for a caller that reports it itself.
FSOUND_SAMPLE* soundLoadSample(int index, const char* name, std::string& reason);
// A sample whose file `name` arrives a piece at a time (the browser's
// download of it), empty until its track is fed (soundFedTrack); it plays
// what has been decoded so far. nullptr, with the reason, as soundLoadSample.
FSOUND_SAMPLE* soundFedSample(int index, const char* name, std::string& reason);
// The track of a fed sample, to feed and decode; null for no handle.
StreamedTrack* soundFedTrack(FSOUND_SAMPLE* sample);

// A device of the program's own that plays channel 0 in place of SDL's
// audio (the browser's Web Audio). The sound layer keeps the channel's
// bookkeeping; the device plays the decoded samples and says which frame is
// heard now, which is what the spectrum follows. The track may still be
// decoding: the device plays its frames as they come, frames it reaches
// before they are decoded as silence, and the track ends at its last frame
// once decoding is done.
struct SoundDevice {
    bool (*open)(std::string& reason);         // false: the music runs silently
    void (*play)(const StreamedTrack* track);  // from its first frame; nullptr stops
    bool (*playing)();                         // false once the track has ended
    std::size_t (*position)();            // the frame heard now
    void (*close)();
};
// Use `device` (nullptr: SDL's audio again) from the next FSOUND_Init on.
void soundUseDevice(const SoundDevice* device);

// A sound layer started without a device (soundSetDeviceless) opens SDL's
// audio now and goes on playing channel 0 from where its silent timeline
// has got to. False, with the music left silent, when there is no device.
bool soundGoLive();

// Calls `listener(data)` each time FSOUND_PlaySound starts channel 0: at
// start-up, and each time the show starts its music over after the end.
// The call comes at the tick the play counts from. nullptr: nobody listens.
void soundOnPlay(void (*listener)(void* data), void* data);
