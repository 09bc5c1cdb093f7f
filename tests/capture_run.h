// Running the real frosthem-capture from a test, and reading back what it
// wrote.
#pragma once

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
