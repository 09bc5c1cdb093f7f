// The MP4 made with ffmpeg: raw frames are piped to an encoder while the show
// runs, and the finished WAV is muxed in afterwards (it is complete only when
// the last frame has been rendered).
#pragma once

#include <sys/types.h>

#include <cstdio>
#include <string>

#include "image.h"
#include "output_file.h"

// True when an executable `ffmpeg` is on PATH.
bool haveFfmpeg();
// Why --video cannot be had when haveFfmpeg() is false.
extern const char* const kNoVideoEncoder;

class VideoEncoder {
public:
    VideoEncoder() = default;
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;
    ~VideoEncoder();

    // Starts ffmpeg encoding `fps` frames a second into a picture-only file
    // beside `output`. `output` itself is written only by finish().
    bool start(const std::string& output, int fps, int width, int height, std::string& error);
    bool addFrame(const RgbImage& frame, std::string& error);
    // Waits for the encoder, then muxes the picture with `wav` (none when
    // empty) into the output and removes the picture-only file. On failure,
    // or when a stop signal comes, nothing is left: no picture-only file, no
    // new output, and what stood at the output's path stays as it was.
    bool finish(const std::string& wav, std::string& error);
    // Stops the encoder (killing it when it will not stop) and removes the
    // files it was writing.
    void abandon();

private:
    OutputFile output_;
    OutputFile pictureOnly_;
    int input_ = -1;  // our end of the encoder's standard input
    pid_t pid_ = -1;
};
