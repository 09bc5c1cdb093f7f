// Where the speaker is in the playing track, between two audio callbacks.
//
// Each callback hands the device a block of frames; that block is heard only
// after the frames still queued ahead of the speaker. So at the callback the
// speaker plays (block start - latency), and from then on it moves at the
// mix rate, measured on a steady clock passed in by the caller (nanoseconds,
// any origin; only differences are used, so the count may wrap).
#pragma once

#include <cstddef>
#include <cstdint>

class Playhead {
public:
    explicit Playhead(std::size_t latencyFrames = 0) : latency_(latencyFrames) {}

    void setLatency(std::size_t frames) { latency_ = frames; }
    std::size_t latency() const { return latency_; }
    // A play has started from the track's frame `from`.
    void restart(std::size_t from = 0);
    // The callback at `nowNs` handed out the frames [start, start + count).
    void handedOut(std::uint64_t nowNs, std::size_t start, std::size_t count);
    // The frame heard at `nowNs`: never before the one reported last in
    // this play, never past what was handed out nor past `trackEnd`.
    std::size_t position(std::uint64_t nowNs, std::size_t trackEnd);

private:
    std::size_t latency_;
    bool started_ = false;
    std::uint64_t callbackNs_ = 0;
    std::size_t blockStart_ = 0;
    std::size_t handedOutEnd_ = 0;
    std::size_t reported_ = 0;
};
