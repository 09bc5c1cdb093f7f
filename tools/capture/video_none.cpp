// Builds without a process-spawning ffmpeg pipeline (Windows): PNG frames
// and the WAV file only; an MP4 is made from them elsewhere.
#include "video.h"

const char* const kNoVideoEncoder =
    "--video is not available in this build (make the MP4 from the PNG frames and audio.wav)";

bool haveFfmpeg()
{
    return false;
}

VideoEncoder::~VideoEncoder() = default;

bool VideoEncoder::start(const std::string&, int, int, int, std::string& error)
{
    error = kNoVideoEncoder;
    return false;
}

bool VideoEncoder::addFrame(const RgbImage&, std::string& error)
{
    error = kNoVideoEncoder;
    return false;
}

bool VideoEncoder::finish(const std::string&, std::string& error)
{
    error = kNoVideoEncoder;
    return false;
}

// Nothing was started, so there is nothing to stop or remove.
void VideoEncoder::abandon() {}
