// A track that plays while it is still being decoded. The first second is
// decoded on the caller's thread, the rest on a thread of the track's own,
// into storage that never moves: a first block sized from libmpg123's length
// estimate, then fixed-size blocks only if the estimate was short. Readers
// (the audio callback, the spectrum) see only frames already decoded,
// through a count published with release/acquire ordering.
#pragma once

#include <array>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "decode.h"

// The longest stretch of a file that is played: 30 minutes.
constexpr std::size_t kMaxTrackFrames = std::size_t(30) * 60 * kMixRate;

class StreamedTrack {
public:
    StreamedTrack() = default;
    // Stops the decoding and waits for its thread.
    ~StreamedTrack();
    StreamedTrack(const StreamedTrack&) = delete;
    StreamedTrack& operator=(const StreamedTrack&) = delete;

    // Opens `path`, decodes its first `firstFrames` frames here and the rest,
    // up to `maxFrames`, in the background. False with a short reason when
    // the file cannot be opened or its first part holds no audio. `cutNote`
    // is printed, on a line of its own, if the file goes on past maxFrames.
    bool start(const char* path, std::size_t firstFrames, std::size_t maxFrames, std::string cutNote,
               std::string& error);
    // Takes ready-made samples, wholly decoded.
    void adopt(PcmTrack pcm);

    // Frames decoded so far; all of them once finished().
    std::size_t decodedFrames() const { return decoded_.load(std::memory_order_acquire); }
    // The decoding has ended: decodedFrames() is the track's length.
    bool finished() const { return finished_.load(std::memory_order_acquire); }
    // Copies the decoded frames from `pos` on, at most `count`, into `dest`
    // (interleaved stereo); returns how many it copied.
    std::size_t copy(std::size_t pos, std::size_t count, std::int16_t* dest) const;
    // Asks the decoding to stop early and waits for its thread.
    void stop();
    // Waits for the decoding to end.
    void waitFinished();
    // The whole track in one piece, once decoded (assembled on first use).
    const PcmTrack& whole();

private:
    // Longer tracks than the first block's estimate grow by blocks this long.
    static constexpr std::size_t kGrowFrames = std::size_t(10) * kMixRate;
    static constexpr std::size_t kMaxBlocks = kMaxTrackFrames / kGrowFrames + 2;

    std::int16_t* frameAt(std::size_t frame) const;
    std::size_t blockEnd(std::size_t frame) const;
    bool ensureBlock(std::size_t frame);
    void decodeRest(std::unique_ptr<Mp3Stream> stream, std::size_t maxFrames, std::string cutNote);
    void finish();

    std::size_t firstBlockFrames_ = 0;
    // Block pointers are written before the count that makes them visible.
    std::array<std::int16_t*, kMaxBlocks> blocks_{};
    std::vector<std::unique_ptr<std::int16_t[]>> owned_;
    PcmTrack adopted_;
    PcmTrack assembled_;
    bool assembledReady_ = false;

    std::atomic<std::size_t> decoded_{0};
    std::atomic<bool> finished_{false};
    std::atomic<bool> stopRequested_{false};
    std::mutex doneMutex_;
    std::condition_variable doneSignal_;
    std::thread worker_;
};
