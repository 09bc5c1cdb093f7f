// The show run frame-exact on a virtual clock: the show's start-up and frame
// step on an offscreen surface without an audio device, with a recording of
// what the music channel would have played. The offline renderer and the
// browser's frame capture run it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <SDL.h>

#include "decode.h"
#include "show.h"

class StreamedTrack;

// The tick of the show's start-up; frame k reads it plus frameMs(k, fps).
constexpr Uint32 kCaptureStartTick = 1000;

// Milliseconds from the start tick to frame k: floor(k * 1000 / fps).
Uint32 frameMs(long k, int fps);
// The first frame whose time is `ms` or later.
long firstFrameAt(Uint32 ms, int fps);
// The first sample of the music's 44100 Hz grid at `ms` after the start tick.
std::uint64_t sampleAt(Uint32 ms);

// What channel 0 played: the track from the start of each play, silence
// after its end until the keep-alive starts it again. The sound layer tells
// the tape of each start while the tape lives.
class MusicTape {
public:
    MusicTape();
    ~MusicTape();
    MusicTape(const MusicTape&) = delete;
    MusicTape& operator=(const MusicTape&) = delete;

    // A track whose decoding has finished.
    void setTrack(const StreamedTrack* track) { track_ = track; }
    // A play started at `ms` after the start tick.
    void started(Uint32 ms);
    bool hasStarted() const { return playing_; }
    // The frame of the track heard at `ms`, counted on the tape's own sample
    // grid (the track's length or more once it has ended).
    std::size_t positionAt(Uint32 ms) const;
    // Appends the interleaved stereo samples heard from `fromMs` up to
    // `toMs`, both not earlier than the last start.
    void render(Uint32 fromMs, Uint32 toMs, std::vector<std::int16_t>& out) const;

private:
    const StreamedTrack* track_ = nullptr;
    bool playing_ = false;
    Uint32 startMs_ = 0;
};

struct SimulatedFrame {
    long index;
    Uint32 ms;  // since the start tick
    SDL_Surface* screen;
};

// The renderer's host: an offscreen surface, no audio device, the virtual
// clock reading `start` through start-up.
ShowHost capturedHost(Uint32 start = kCaptureStartTick);

// Starts the show as the renderer runs it: an offscreen surface, no audio
// device, every tick reading of start-up at kCaptureStartTick. False, with
// the reason in `error`, when the surface or a picture cannot be had.
bool startCapturedShow(MusicTape& tape, std::string& error);

// The rate at which a show started part-way is worked out up to its start,
// the renderer's usual one.
constexpr int kStartFps = 60;

// The show begun `ms` into it: started as the renderer starts it (on the
// host's screen, without sound), its frames worked out at kStartFps up to
// the first at `ms` or later, which is presented; from then on the clock runs
// in real time and the music is heard from there, on an audio device unless
// the host is silent. False, with the reason in `error`, as startShow; a quit
// asked for on the way ends the working out early.
bool startShowAt(const ShowHost& host, Uint32 ms, std::string& error);

// Frame k at `fps`: the virtual clock set to its time, then the frame step.
SimulatedFrame simulateFrame(long k, int fps);
// Runs frames 0 .. count-1 at `fps`, handing each to `sink` after its pass;
// stops early when the sink returns false.
void simulateFrames(long count, int fps, const std::function<bool(const SimulatedFrame&)>& sink);
