#include "decode.h"

#include <mpg123.h>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "file_ptr.h"
#include "input_file.h"

namespace {

// Frames per mpg123_read call of the whole-file decode: a few MPEG frames.
constexpr std::size_t kWholeStepFrames = 16 * 1024;
constexpr std::size_t kSniffBytes = 16;  // enough for the signatures below
struct HandleCloser {
    void operator()(mpg123_handle* mh) const
    {
        mpg123_close(mh);
        mpg123_delete(mh);
    }
};
using HandlePtr = std::unique_ptr<mpg123_handle, HandleCloser>;

// A handle that will only hand out 44100 Hz interleaved stereo int16: with
// every other format struck from its table, libmpg123 duplicates mono and
// resamples other rates itself. QUIET keeps its own warnings off stderr, so
// a failure is reported by our caller in one line.
HandlePtr openDecoder(std::string& error)
{
    // Required once per process by libmpg123 before 1.27, a no-op since.
    static const int libraryReady = mpg123_init();
    if (libraryReady != MPG123_OK) {
        error = mpg123_plain_strerror(libraryReady);
        return nullptr;
    }
    int err = MPG123_OK;
    HandlePtr mh(mpg123_new(nullptr, &err));
    if (!mh) {
        error = mpg123_plain_strerror(err);
        return nullptr;
    }
    mpg123_param(mh.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0.0);
    if (mpg123_format_none(mh.get()) != MPG123_OK ||
        mpg123_format(mh.get(), kMixRate, MPG123_STEREO, MPG123_ENC_SIGNED_16) != MPG123_OK) {
        error = mpg123_strerror(mh.get());
        return nullptr;
    }
    return mh;
}

// What a file that yields no MPEG audio looks like instead, from its first
// bytes: the common sound formats by their signatures.
std::string notMp3(const unsigned char* head, std::size_t n)
{
    const auto starts = [&](std::size_t at, const char* tag) {
        const std::size_t len = std::strlen(tag);
        return n >= at + len && std::memcmp(head + at, tag, len) == 0;
    };
    const char* looks = starts(0, "RIFF") && starts(8, "WAVE") ? "WAV"
                        : starts(0, "OggS")                    ? "Ogg"
                        : starts(0, "fLaC")                    ? "FLAC"
                        : starts(0, "FORM")                    ? "AIFF"
                        : starts(4, "ftyp")                    ? "MP4 or AAC"
                                                               : nullptr;
    if (looks)
        return std::string("not an MP3 file (it looks like ") + looks + ")";
    if (n > 0 && std::all_of(head, head + n, [](unsigned char c) { return c == 0; }))
        return "not an MP3 file (it starts with nothing but zero bytes)";
    return "";
}

}  // namespace

struct Mp3Stream::Impl {
    FilePtr file;
    HandlePtr mh;
    bool fed = false;
    bool feedEnded = false;
    bool ended = false;
    bool gotAudio = false;
    unsigned char head[kSniffBytes] = {};
    std::size_t headBytes = 0;
};

Mp3Stream::Mp3Stream() : impl_(std::make_unique<Impl>()) {}
Mp3Stream::~Mp3Stream() = default;

bool Mp3Stream::open(const char* path, std::string& error)
{
    // Opened by us rather than by libmpg123 so a missing file is reported
    // with the system's own reason, and a FIFO or device is refused.
    const int fd = openInputFile(path, error);
    if (fd < 0)
        return false;
    impl_->file.reset(fdopen(fd, "rb"));
    if (!impl_->file) {
        error = std::strerror(errno);
        close(fd);
        return false;
    }
    // The first bytes, kept to say what the file is should it hold no
    // audio (where they can be read again: not from a test's FIFO).
    if (lseek(fd, 0, SEEK_CUR) == 0) {
        const auto head = ::read(fd, impl_->head, sizeof impl_->head);
        impl_->headBytes = head > 0 ? static_cast<std::size_t>(head) : 0;
        if (lseek(fd, 0, SEEK_SET) != 0) {
            error = std::strerror(errno);
            return false;
        }
    }
    impl_->mh = openDecoder(error);
    if (!impl_->mh)
        return false;
    if (mpg123_open_fd(impl_->mh.get(), fileno(impl_->file.get())) != MPG123_OK) {
        error = mpg123_strerror(impl_->mh.get());
        return false;
    }
    return true;
}

bool Mp3Stream::openFed(std::string& error)
{
    impl_->mh = openDecoder(error);
    if (!impl_->mh)
        return false;
    if (mpg123_open_feed(impl_->mh.get()) != MPG123_OK) {
        error = mpg123_strerror(impl_->mh.get());
        return false;
    }
    impl_->fed = true;
    return true;
}

bool Mp3Stream::feed(const unsigned char* bytes, std::size_t n, std::string& error)
{
    if (!impl_->fed || impl_->feedEnded || n == 0)
        return true;
    const std::size_t keep = std::min(n, kSniffBytes - impl_->headBytes);
    std::memcpy(impl_->head + impl_->headBytes, bytes, keep);
    impl_->headBytes += keep;
    if (mpg123_feed(impl_->mh.get(), bytes, n) != MPG123_OK) {
        error = mpg123_strerror(impl_->mh.get());
        return false;
    }
    return true;
}

void Mp3Stream::endFeed()
{
    impl_->feedEnded = true;
}

std::size_t Mp3Stream::estimatedFrames()
{
    if (!impl_->mh)
        return 0;
    const off_t length = mpg123_length(impl_->mh.get());
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

Mp3Stream::Status Mp3Stream::read(std::int16_t* out, std::size_t maxFrames, std::size_t& got,
                                  std::string& error)
{
    got = 0;
    if (!impl_->mh || impl_->ended)
        return Status::Done;
    unsigned char* dest = reinterpret_cast<unsigned char*>(out);
    const std::size_t wanted = maxFrames * kBytesPerFrame;
    std::size_t bytes = 0;
    int rc = MPG123_OK;
    // A format change hands out nothing; go on until there is audio.
    while (bytes < wanted && (rc == MPG123_OK || rc == MPG123_NEW_FORMAT)) {
        std::size_t done = 0;
        rc = mpg123_read(impl_->mh.get(), dest + bytes, wanted - bytes, &done);
        bytes += done;
        if (rc == MPG123_OK && done == 0)
            break;
    }
    // Only whole frames: a stray half frame at the very end is dropped.
    got = bytes / kBytesPerFrame;
    impl_->gotAudio = impl_->gotAudio || got > 0;
    if (rc == MPG123_OK || rc == MPG123_NEW_FORMAT)
        return Status::More;
    // A fed stream has no end of its own: it ends where its bytes do.
    if (rc == MPG123_NEED_MORE && !impl_->feedEnded)
        return Status::Hungry;
    impl_->ended = true;
    if (rc == MPG123_DONE || rc == MPG123_NEED_MORE)
        return Status::Done;
    // A stream that breaks off after some good audio still plays what
    // decoded; one that yields nothing at all is a failure.
    if (impl_->gotAudio)
        return Status::Done;
    error = notMp3(impl_->head, impl_->headBytes);
    if (error.empty())
        error = mpg123_strerror(impl_->mh.get());
    return Status::Failed;
}

std::string Mp3Stream::whyNoAudio() const
{
    const std::string looks = notMp3(impl_->head, impl_->headBytes);
    return looks.empty() ? kNoAudio : looks;
}

bool decodeMp3(const char* path, PcmTrack& out, std::string& error)
{
    out.samples.clear();
    Mp3Stream stream;
    if (!stream.open(path, error))
        return false;
    // Sized once from the estimate (with room for the last step's slack);
    // grown only if it was short.
    out.samples.reserve((stream.estimatedFrames() + kWholeStepFrames) * kMixChannels);
    std::size_t frames = 0;
    for (;;) {
        out.samples.resize((frames + kWholeStepFrames) * kMixChannels);
        std::size_t got = 0;
        const Mp3Stream::Status status =
            stream.read(out.samples.data() + frames * kMixChannels, kWholeStepFrames, got, error);
        frames += got;
        if (status == Mp3Stream::Status::Failed) {
            out.samples.clear();
            return false;
        }
        if (status == Mp3Stream::Status::Done)
            break;
    }
    out.samples.resize(frames * kMixChannels);
    if (frames == 0) {
        error = stream.whyNoAudio();
        return false;
    }
    return true;
}
