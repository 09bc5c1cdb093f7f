// A 16-bit stereo 44100 Hz WAV file written as the frames go by; the sizes
// in its header are filled in when it is closed, and only then does it take
// its name. One that is not closed is removed, so no file is left whose
// header disagrees with its data.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "decode.h"
#include "output_file.h"

// The most sample frames (left and right) the 32-bit sizes of a WAV header
// can count: about 6 h 45 min.
extern const std::uint64_t kWavMaxFrames;

class WavWriter {
public:
    WavWriter() = default;
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;
    ~WavWriter();

    // Starts the file that becomes `path`, with an empty header. False, with `error` set, on failure.
    bool open(const std::string& path, std::string& error);
    // Appends interleaved left/right samples.
    bool write(const std::vector<std::int16_t>& samples, std::string& error);
    // Fills in the header, closes the file and gives it its name; on
    // failure removes it.
    bool close(std::string& error);
    // Closes and removes the file.
    void discard();
    std::uint64_t frames() const { return bytes_ / kBytesPerFrame; }

private:
    bool fail(std::string& error);

    OutputFile file_;
    std::string path_;
    std::uint64_t bytes_ = 0;
    bool broken_ = false;  // a write failed: what the file holds is unknown
};
