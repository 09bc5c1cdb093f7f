#include "streamtrack.h"

#ifdef __linux__
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cstring>
#include <utility>

#include "report.h"

namespace {

// Frames decoded per step of the background thread: small enough that a
// request to stop is answered at once.
constexpr std::size_t kStepFrames = 8 * 1024;

void yieldToTheShow()
{
#ifdef __linux__
    // Decoding runs over 100 times faster than playback, so it can yield to
    // the show's start-up on a busy machine without falling behind.
    constexpr int kDecoderNice = 10;
    setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), kDecoderNice);
#endif
}

}  // namespace

StreamedTrack::~StreamedTrack()
{
    stop();
}

std::int16_t* StreamedTrack::frameAt(std::size_t frame) const
{
    if (frame < firstBlockFrames_)
        return blocks_[0] + frame * kMixChannels;
    const std::size_t beyond = frame - firstBlockFrames_;
    return blocks_[1 + beyond / growFrames_] + (beyond % growFrames_) * kMixChannels;
}

// The first frame past the block that holds `frame`.
std::size_t StreamedTrack::blockEnd(std::size_t frame) const
{
    if (frame < firstBlockFrames_)
        return firstBlockFrames_;
    const std::size_t beyond = frame - firstBlockFrames_;
    return firstBlockFrames_ + (beyond / growFrames_ + 1) * growFrames_;
}

bool StreamedTrack::ensureBlock(std::size_t frame)
{
    const std::size_t index = frame < firstBlockFrames_ ? 0 : 1 + (frame - firstBlockFrames_) / growFrames_;
    if (index >= blocks_.size())
        return false;
    if (blocks_[index] == nullptr) {
        const std::size_t frames = index == 0 ? firstBlockFrames_ : growFrames_;
        // Left uninitialised: nobody reads a frame before it is decoded, and
        // untouched pages cost no memory.
        owned_.emplace_back(new std::int16_t[frames * kMixChannels]);
        blocks_[index] = owned_.back().get();
    }
    return true;
}

std::size_t StreamedTrack::copy(std::size_t pos, std::size_t count, std::int16_t* dest) const
{
    const std::size_t available = decodedFrames();
    if (pos >= available)
        return 0;
    const std::size_t end = pos + std::min(count, available - pos);
    for (std::size_t at = pos; at < end;) {
        const std::size_t run = std::min(end, blockEnd(at)) - at;
        std::memcpy(dest + (at - pos) * kMixChannels, frameAt(at), run * kBytesPerFrame);
        at += run;
    }
    return end - pos;
}

void StreamedTrack::sizeBlocks(std::size_t firstBlockFrames, std::size_t maxFrames)
{
    firstBlockFrames_ = std::max<std::size_t>(std::min(firstBlockFrames, maxFrames), 1);
    blocks_.assign(2 + (maxFrames - std::min(firstBlockFrames_, maxFrames)) / growFrames_, nullptr);
    ensureBlock(0);
}

bool StreamedTrack::start(const char* path, std::size_t firstFrames, std::size_t maxFrames, std::string cutNote,
                          std::string& error)
{
    auto stream = std::make_unique<Mp3Stream>();
    if (!stream->open(path, error))
        return false;
    const std::size_t estimate = sizeFromEstimate_ ? stream->estimatedFrames() : 0;
    sizeBlocks(std::max(estimate, firstFrames), maxFrames);

    std::size_t got = 0;
    const std::size_t first = std::min(firstFrames, maxFrames);
    Mp3Stream::Status status = stream->read(blocks_[0], first, got, error);
    if (status == Mp3Stream::Status::Failed)
        return false;
    if (got == 0) {
        error = stream->whyNoAudio();
        return false;
    }
    decoded_.store(got, std::memory_order_release);
    if (status == Mp3Stream::Status::Done) {
        finish();
        return true;
    }
#ifdef __EMSCRIPTEN__
    // The browser build has no threads: the rest is decoded here, at load.
    decodeRest(std::move(stream), maxFrames, std::move(cutNote));
#else
    worker_ = std::thread(&StreamedTrack::decodeRest, this, std::move(stream), maxFrames, std::move(cutNote));
#endif
    return true;
}

// Decodes at most `wanted` frames, up to the end of the block the next one
// falls in.
Mp3Stream::Status StreamedTrack::decodeStep(Mp3Stream& stream, std::size_t maxFrames, std::size_t wanted,
                                            std::string& error)
{
    const std::size_t frames = decodedFrames();
    if (!ensureBlock(frames))
        return Mp3Stream::Status::Done;
    const std::size_t room = std::min({blockEnd(frames) - frames, maxFrames - frames, wanted});
    std::size_t got = 0;
    const Mp3Stream::Status status = stream.read(frameAt(frames), room, got, error);
    decoded_.store(frames + got, std::memory_order_release);
    return status;
}

void StreamedTrack::decodeRest(std::unique_ptr<Mp3Stream> stream, std::size_t maxFrames, std::string cutNote)
{
    yieldToTheShow();
    std::string error;
    Mp3Stream::Status status = Mp3Stream::Status::More;
    while (status == Mp3Stream::Status::More && decodedFrames() < maxFrames &&
           !stopRequested_.load(std::memory_order_relaxed))
        status = decodeStep(*stream, maxFrames, kStepFrames, error);
    endDecoding(*stream, status, maxFrames, cutNote);
}

// A file that breaks off midway plays what decoded, so a failure here ends
// the track without a word. One that runs past the limit says so.
void StreamedTrack::endDecoding(Mp3Stream& stream, Mp3Stream::Status status, std::size_t maxFrames,
                                const std::string& cutNote)
{
    if (decodedFrames() >= maxFrames && status == Mp3Stream::Status::More) {
        std::int16_t probe[kMixChannels];
        std::size_t got = 0;
        std::string error;
        stream.read(probe, 1, got, error);
        if (got > 0)
            reportNotice("%s", cutNote.c_str());
    }
    finish();
}

bool StreamedTrack::startFed(std::size_t maxFrames, std::string cutNote, std::string& error)
{
    auto stream = std::make_unique<Mp3Stream>();
    if (!stream->openFed(error))
        return false;
    // No length is known ahead: every block is a grown one.
    sizeBlocks(growFrames_, maxFrames);
    fed_ = std::move(stream);
    fedMaxFrames_ = maxFrames;
    fedCutNote_ = std::move(cutNote);
    return true;
}

bool StreamedTrack::feed(const unsigned char* bytes, std::size_t n, std::string& error)
{
    return fed_ == nullptr || fed_->feed(bytes, n, error);
}

void StreamedTrack::endFeed()
{
    if (fed_ != nullptr)
        fed_->endFeed();
}

bool StreamedTrack::decodeFed(std::size_t frames, std::string& error)
{
    if (fed_ == nullptr)
        return true;
    const std::size_t target = std::min(decodedFrames() + frames, fedMaxFrames_);
    Mp3Stream::Status status = Mp3Stream::Status::More;
    while (status == Mp3Stream::Status::More && decodedFrames() < target)
        status = decodeStep(*fed_, fedMaxFrames_, target - decodedFrames(), error);
    const bool going = status == Mp3Stream::Status::Hungry ||
                       (status == Mp3Stream::Status::More && decodedFrames() < fedMaxFrames_);
    if (going)
        return true;
    const bool noAudio = status == Mp3Stream::Status::Failed || decodedFrames() == 0;
    if (noAudio && error.empty())
        error = fed_->whyNoAudio();
    endDecoding(*fed_, status, fedMaxFrames_, fedCutNote_);
    fed_.reset();
    return !noAudio;
}

void StreamedTrack::finish()
{
    {
        std::lock_guard<std::mutex> lock(doneMutex_);
        finished_.store(true, std::memory_order_release);
    }
    doneSignal_.notify_all();
}

void StreamedTrack::adopt(PcmTrack pcm)
{
    stop();
    adopted_ = std::move(pcm);
    firstBlockFrames_ = adopted_.frames();
    blocks_.assign(1, adopted_.samples.data());
    decoded_.store(firstBlockFrames_, std::memory_order_release);
    finish();
}

void StreamedTrack::stop()
{
    stopRequested_.store(true, std::memory_order_relaxed);
    if (worker_.joinable())
        worker_.join();
}

void StreamedTrack::waitFinished()
{
    std::unique_lock<std::mutex> lock(doneMutex_);
    doneSignal_.wait(lock, [this] { return finished(); });
}

const PcmTrack& StreamedTrack::whole()
{
    waitFinished();
    if (!adopted_.samples.empty() || firstBlockFrames_ == 0)
        return adopted_;
    if (!assembledReady_) {
        assembled_.samples.resize(decodedFrames() * kMixChannels);
        copy(0, decodedFrames(), assembled_.samples.data());
        assembledReady_ = true;
    }
    return assembled_;
}
