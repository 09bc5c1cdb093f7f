// frosthem-capture: runs the show frame-exact on a virtual clock and writes
// its frames as PNG files, its music as a WAV file and, if asked, an MP4.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "globals.h"
#include "image.h"
#include "options.h"
#include "program_folder.h"
#include "progress.h"
#include "simulate.h"
#include "video.h"
#include "wav.h"

namespace {

constexpr int kBadUsage = 2;
constexpr int kFailed = 1;
const char* const kAudioName = "audio.wav";
constexpr double kMsPerSecond = 1000.0;

int failed(const std::string& message)
{
    std::fprintf(stderr, "frosthem-capture: %s\n", message.c_str());
    return kFailed;
}

std::string framePath(const std::string& dir, long k)
{
    char name[32];
    std::snprintf(name, sizeof name, "frame_%06ld.png", k);
    return (std::filesystem::path(dir) / name).string();
}

// Makes the directory (and its parents) and checks that files can go in it,
// before minutes of rendering are spent.
bool prepareDir(const std::string& dir, std::string& error)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!ec && !std::filesystem::is_directory(dir, ec))
        ec = std::make_error_code(std::errc::not_a_directory);
    if (!ec && access(dir.c_str(), W_OK) != 0)
        ec = std::error_code(errno, std::generic_category());
    if (ec)
        error = "cannot write to " + dir + ": " + ec.message();
    return !ec;
}

// Checks that `path` can be written, leaving no file behind that was not
// there before.
bool prepareFile(const std::string& path, std::string& error)
{
    const bool existed = access(path.c_str(), F_OK) == 0;
    std::FILE* f = existed ? nullptr : std::fopen(path.c_str(), "wb");
    if (f) {
        std::fclose(f);
        std::remove(path.c_str());
    }
    if (existed ? access(path.c_str(), W_OK) == 0 : f != nullptr)
        return true;
    error = "cannot write to " + path + ": " + std::strerror(errno);
    return false;
}

// What the run writes: frames [first, end) and their sound, or stills only.
struct Plan {
    long first = 0;
    long end = 0;
    std::set<long> stills;
    bool wanted(long k) const { return stills.empty() ? k >= first : stills.count(k) != 0; }
};

Plan makePlan(const CaptureOptions& o)
{
    Plan p;
    for (Uint32 ms : o.stillsMs)
        p.stills.insert(firstFrameAt(ms, o.fps));
    if (p.stills.empty()) {
        p.first = firstFrameAt(o.fromMs, o.fps);
        p.end = firstFrameAt(o.toMs, o.fps);
    } else {
        p.end = *p.stills.rbegin() + 1;
    }
    return p;
}

// Where the wanted frames go: PNG files, the WAV file, the video encoder.
class Outputs {
public:
    Outputs(const CaptureOptions& opt, bool withAudio)
        : opt_(opt), withAudio_(withAudio), wavPath_((std::filesystem::path(opt.outDir) / kAudioName).string())
    {
    }

    // Everything that can be checked before the show starts.
    bool prepare(std::string& error)
    {
        if (!prepareDir(opt_.outDir, error))
            return false;
        if (!opt_.video.empty() && !haveFfmpeg()) {
            error = kNoVideoEncoder;
            return false;
        }
        if (!opt_.video.empty() && !prepareFile(opt_.video, error))
            return false;
        return !withAudio_ || wav_.open(wavPath_, error);
    }

    bool start(std::string& error)
    {
        return opt_.video.empty() || video_.start(opt_.video, opt_.fps, screen->w, screen->h, error);
    }

    bool add(const SimulatedFrame& f, const MusicTape& tape, std::string& error)
    {
        surfaceToRgb(f.screen, image_);
        if (!writePng(framePath(opt_.outDir, f.index), image_, error))
            return false;
        if (!opt_.video.empty() && !video_.addFrame(image_, error))
            return false;
        if (withAudio_) {
            sound_.clear();
            tape.render(f.ms, frameMs(f.index + 1, opt_.fps), sound_);
            if (!wav_.write(sound_, error))
                return false;
        }
        written_++;
        return true;
    }

    bool finish(std::string& error)
    {
        return (!withAudio_ || wav_.close(error)) && (opt_.video.empty() || video_.finish(wavPath_, error));
    }

    long written() const { return written_; }

private:
    const CaptureOptions& opt_;
    const bool withAudio_;
    const std::string wavPath_;
    WavWriter wav_;
    VideoEncoder video_;
    RgbImage image_;
    std::vector<std::int16_t> sound_;
    long written_ = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    CaptureOptions opt;
    std::string error;
    if (!parseCaptureArgs(argc, argv, opt, error)) {
        std::fprintf(stderr, "frosthem-capture: %s\n%s", error.c_str(), kCaptureUsage);
        return kBadUsage;
    }
    if (opt.help) {
        std::fputs(kCaptureUsage, stdout);
        return 0;
    }
    // The assets are found beside the program on Windows; the output goes
    // where it was asked for, seen from the starting folder.
    opt.outDir = pathFromStartFolder(opt.outDir);
    opt.video = pathFromStartFolder(opt.video);
    enterProgramFolder();
    const Plan plan = makePlan(opt);
    if (plan.first >= plan.end) {
        std::fprintf(stderr, "frosthem-capture: no frame at %d fps lies in [--from, --to)\n%s", opt.fps,
                     kCaptureUsage);
        return kBadUsage;
    }
    const bool withAudio = plan.stills.empty();
    Outputs out(opt, withAudio);
    if (!out.prepare(error))
        return failed(error);

    MusicTape tape;
    startCapturedShow(tape);
    if (!out.start(error))
        return failed(error);
    Progress progress(plan.end);
    bool ok = true;
    const bool ran = simulateFrames(plan.end, opt.fps, tape, [&](const SimulatedFrame& f) {
        ok = !plan.wanted(f.index) || out.add(f, tape, error);
        progress.update(f.index + 1);
        return ok;
    }, error);
    if (!ran || !ok || !out.finish(error)) {
        progress.breakLine();
        return failed(error);
    }

    char summary[256];
    std::snprintf(summary, sizeof summary, "frosthem-capture: %ld frame%s (%.3f-%.3f s, %d fps)%s to %s%s%s",
                  out.written(), out.written() == 1 ? "" : "s", frameMs(withAudio ? plan.first : *plan.stills.begin(), opt.fps) / kMsPerSecond,
                  frameMs(plan.end - 1, opt.fps) / kMsPerSecond, opt.fps, withAudio ? " and their sound" : "",
                  opt.outDir.c_str(), opt.video.empty() ? "" : ", video ", opt.video.c_str());
    progress.finish(plan.end, summary);
    return 0;
}
