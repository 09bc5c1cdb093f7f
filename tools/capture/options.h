// The renderer's command line.
#pragma once

#include <string>
#include <vector>

#include <SDL.h>

struct CaptureOptions {
    std::string outDir;
    int fps = 60;
    Uint32 fromMs = 0;
    Uint32 toMs = 60000;
    std::vector<Uint32> stillsMs;  // --at: only these frames, no audio
    std::string video;             // --video: MP4 to write, empty for none
    std::string party;             // --party: a party folder to render
    bool help = false;
};

// One line naming every option.
extern const char* const kCaptureUsage;

// Reads argv into `out`. On a bad command line returns false with `error`
// set to what was wrong.
bool parseCaptureArgs(int argc, char** argv, CaptureOptions& out, std::string& error);
