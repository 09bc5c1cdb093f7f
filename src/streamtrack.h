// A track that plays while it is still being decoded. From a file, the first
// second is decoded on the caller's thread, the rest on a thread of the
// track's own; a fed track (a download) is decoded on the caller's thread a
// piece a call, as its bytes arrive. Either way into storage that never
// moves: a first block sized from libmpg123's length estimate (a fed track
// has none), then fixed-size blocks only if the estimate was short. Readers
// (the audio callback, the spectrum) see only frames already decoded,
// through a count published with release/acquire ordering.
#pragma once

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
    // Longer tracks than the first block grow by blocks of `growFrames`.
    // Without `sizeFromEstimate` the first block holds only the first part
    // decoded at start, so every later frame lands in a grown block.
    explicit StreamedTrack(std::size_t growFrames = kDefaultGrowFrames, bool sizeFromEstimate = true)
        : growFrames_(growFrames > 0 ? growFrames : kDefaultGrowFrames), sizeFromEstimate_(sizeFromEstimate)
    {
    }
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

    // A track whose file's bytes are handed over as they arrive (feed), up
    // to `maxFrames`; `cutNote` as for start(). False with a short reason
    // when no decoder can be had.
    bool startFed(std::size_t maxFrames, std::string cutNote, std::string& error);
    // More of the file. False, with the reason, when the decoder refuses it.
    bool feed(const unsigned char* bytes, std::size_t n, std::string& error);
    // The whole file has been fed: the track ends where its audio does.
    void endFeed();
    // Decodes up to `frames` more frames of what has been fed. False, with
    // a short reason, when the file turns out to hold no audio at all; the
    // track is then finished and empty. A file that breaks off after some
    // audio ends there, as from a file.
    bool decodeFed(std::size_t frames, std::string& error);

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

    static constexpr std::size_t kDefaultGrowFrames = std::size_t(10) * kMixRate;

private:
    std::int16_t* frameAt(std::size_t frame) const;
    std::size_t blockEnd(std::size_t frame) const;
    bool ensureBlock(std::size_t frame);
    void sizeBlocks(std::size_t firstBlockFrames, std::size_t maxFrames);
    Mp3Stream::Status decodeStep(Mp3Stream& stream, std::size_t maxFrames, std::size_t wanted,
                                 std::string& error);
    void decodeRest(std::unique_ptr<Mp3Stream> stream, std::size_t maxFrames, std::string cutNote);
    void endDecoding(Mp3Stream& stream, Mp3Stream::Status status, std::size_t maxFrames,
                     const std::string& cutNote);
    void finish();

    const std::size_t growFrames_;
    const bool sizeFromEstimate_;
    std::size_t firstBlockFrames_ = 0;
    // Sized before any reader comes and never resized after; a block's
    // pointer is written before the count that makes its frames visible.
    std::vector<std::int16_t*> blocks_;
    std::vector<std::unique_ptr<std::int16_t[]>> owned_;
    // A fed track's decoder, until its decoding ends.
    std::unique_ptr<Mp3Stream> fed_;
    std::size_t fedMaxFrames_ = 0;
    std::string fedCutNote_;
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
