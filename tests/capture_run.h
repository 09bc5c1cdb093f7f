// Running the real frosthem-capture from a test, and reading back what it
// wrote.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "image.h"

namespace capturetest {

// Far beyond any run here; only a hung renderer meets it.
constexpr double kCaptureDeadlineSeconds = 600;

struct CaptureRun {
    int exitCode = -1;
    std::string err;
};

// Runs frosthem-capture with `args` in `dir` (the repository root when
// empty), with `path` as PATH when given.
CaptureRun capture(const std::vector<std::string>& args, const std::string& dir = "",
                   const char* path = nullptr);

// A PNG as packed RGB; width 0 when it cannot be read.
RgbImage loadRgb(const std::string& path);

}  // namespace capturetest

namespace capturetest {

// Everything under `dir` by its path relative to `dir`: a file's bytes, a
// link's target, or what kind of entry it is, so that two listings are
// equal exactly when nothing was added, removed or changed.
std::map<std::string, std::string> snapshot(const std::filesystem::path& dir);

// A fake `ffmpeg` in `dir` running `script` (a shell script's body), for
// PATH=`dir`:/usr/bin:/bin.
std::string fakeEncoder(const std::filesystem::path& dir, const std::string& script);

}  // namespace capturetest
