#include "decode.h"

#include <mpg123.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

// Decoding buffer per mpg123_read call: a few MPEG frames' worth.
constexpr std::size_t kReadChunkBytes = 64 * 1024;

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
struct HandleCloser {
    void operator()(mpg123_handle* mh) const
    {
        mpg123_close(mh);
        mpg123_delete(mh);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
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

bool decodeStream(mpg123_handle* mh, PcmTrack& out, std::string& error)
{
    std::vector<unsigned char> chunk(kReadChunkBytes);
    for (;;) {
        std::size_t got = 0;
        const int rc = mpg123_read(mh, chunk.data(), chunk.size(), &got);
        const std::size_t values = got / sizeof(std::int16_t);
        if (values > 0) {
            const std::size_t start = out.samples.size();
            out.samples.resize(start + values);
            std::memcpy(out.samples.data() + start, chunk.data(), values * sizeof(std::int16_t));
        }
        if (rc == MPG123_DONE)
            return true;
        if (rc == MPG123_NEW_FORMAT || rc == MPG123_OK)
            continue;
        // A stream that breaks off after some good audio still plays; a
        // file that yields nothing at all is reported by the caller.
        if (!out.samples.empty())
            return true;
        error = mpg123_strerror(mh);
        return false;
    }
}

}  // namespace

bool decodeMp3(const char* path, PcmTrack& out, std::string& error)
{
    out.samples.clear();
    // Opened by us rather than by libmpg123 so a missing file is reported
    // with the system's own reason.
    FilePtr file(std::fopen(path, "rb"));
    if (!file) {
        error = std::strerror(errno);
        return false;
    }
    HandlePtr mh = openDecoder(error);
    if (!mh)
        return false;
    if (mpg123_open_fd(mh.get(), fileno(file.get())) != MPG123_OK) {
        error = mpg123_strerror(mh.get());
        return false;
    }
    if (!decodeStream(mh.get(), out, error)) {
        out.samples.clear();
        return false;
    }
    // An odd value count would leave half a frame; drop it.
    out.samples.resize(out.frames() * kMixChannels);
    if (out.samples.empty()) {
        error = "no MPEG audio in the file";
        return false;
    }
    out.samples.shrink_to_fit();
    return true;
}
