#include "capture_run.h"

#include <SDL_image.h>

#include <cstdio>

#include "harness.h"

namespace capturetest {

CaptureRun capture(const std::vector<std::string>& args, const std::string& dir, const char* path)
{
    harness::ProgramSpec spec{{FROSTHEM_CAPTURE_BINARY}, dir, {}};
    spec.argv.insert(spec.argv.end(), args.begin(), args.end());
    if (path)
        spec.env.push_back(std::string("PATH=") + path);
    const harness::ProgramResult r = harness::runProgram(spec, kCaptureDeadlineSeconds);
    return {r.exitCode, r.err};
}

RgbImage loadRgb(const std::string& path)
{
    RgbImage image;
    SDL_Surface* loaded = IMG_Load(path.c_str());
    if (!loaded)
        return image;
    SDL_Surface* rgb32 = SDL_CreateRGBSurface(SDL_SWSURFACE, loaded->w, loaded->h, 32, 0xff0000, 0xff00, 0xff, 0);
    SDL_BlitSurface(loaded, nullptr, rgb32, nullptr);
    surfaceToRgb(rgb32, image);
    SDL_FreeSurface(rgb32);
    SDL_FreeSurface(loaded);
    return image;
}

}  // namespace capturetest
