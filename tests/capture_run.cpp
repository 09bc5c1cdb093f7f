#include "capture_run.h"

#include <SDL_image.h>

#include <cstdio>
#include <fstream>

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

namespace capturetest {

std::map<std::string, std::string> snapshot(const std::filesystem::path& dir)
{
    namespace fs = std::filesystem;
    std::map<std::string, std::string> seen;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const fs::path& p = it->path();
        const fs::file_status st = fs::symlink_status(p);
        std::string& what = seen[fs::relative(p, dir).string()];
        switch (st.type()) {
        case fs::file_type::regular: what = "file " + harness::slurp(p); break;
        case fs::file_type::symlink: what = "link " + fs::read_symlink(p).string(); break;
        case fs::file_type::directory: what = "folder"; break;
        case fs::file_type::fifo: what = "fifo"; break;
        default: what = "special"; break;
        }
    }
    return seen;
}

std::string fakeEncoder(const std::filesystem::path& dir, const std::string& script)
{
    const std::filesystem::path exe = dir / "ffmpeg";
    std::ofstream(exe) << "#!/bin/sh\n" << script << "\n";
    std::filesystem::permissions(exe, std::filesystem::perms::owner_all);
    return dir.string() + ":/usr/bin:/bin";
}

}  // namespace capturetest
