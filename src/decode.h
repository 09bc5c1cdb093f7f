// Decoding of the music file: converted to the device's 44100 Hz, 16-bit,
// interleaved stereo, either whole into memory or a piece at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

constexpr int kMixRate = 44100;
constexpr int kMixChannels = 2;
constexpr std::size_t kBytesPerFrame = kMixChannels * sizeof(std::int16_t);
// What a file with no audio the decoder can find is reported as.
constexpr const char* kNoAudio = "no MPEG audio in the file";

struct PcmTrack {
    std::vector<std::int16_t> samples;  // interleaved left, right
    std::size_t frames() const { return samples.size() / kMixChannels; }
};

// An open MP3 file read a piece at a time with libmpg123: from a file, or
// fed its bytes as they arrive (a download in the browser).
class Mp3Stream {
public:
    // Hungry: a fed stream has decoded all it has been given so far.
    enum class Status { More, Done, Failed, Hungry };

    Mp3Stream();
    ~Mp3Stream();
    Mp3Stream(const Mp3Stream&) = delete;
    Mp3Stream& operator=(const Mp3Stream&) = delete;

    // On failure returns false and sets `error` to a short reason (no file
    // name).
    bool open(const char* path, std::string& error);
    // A stream with no file: its bytes come through feed(), and it ends
    // after endFeed() where they do.
    bool openFed(std::string& error);
    // More of the file, in order. False, with the reason, when the decoder
    // cannot take them.
    bool feed(const unsigned char* bytes, std::size_t n, std::string& error);
    // The whole file has been fed.
    void endFeed();
    // libmpg123's estimate of the whole length in output frames, from the
    // file's tag or size; 0 when it has none.
    std::size_t estimatedFrames();
    // Decodes up to `maxFrames` frames into `out`, setting `got`. Done at
    // the end of the file; Failed (with `error`) when the stream breaks off;
    // Hungry when a fed stream wants more bytes before it can go on.
    Status read(std::int16_t* out, std::size_t maxFrames, std::size_t& got, std::string& error);
    // Why a file gave no audio: what it looks like instead, from its first
    // bytes, or that it holds no MPEG audio.
    std::string whyNoAudio() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Decodes `path` whole. A stream that breaks off after some good audio
// gives what decoded. On failure returns false and sets `error` to a short
// reason (no file name); `out` is then empty.
bool decodeMp3(const char* path, PcmTrack& out, std::string& error);
