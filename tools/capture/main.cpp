// frosthem-capture: runs the show frame-exact on a virtual clock and writes
// its frames as PNG files, its music as a WAV file and, if asked, an MP4.
#include <unistd.h>

#include <cerrno>
#include <csignal>
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
#include "party/party_load.h"
#include "program_folder.h"
#include "progress.h"
#include "simulate.h"
#include "stop_signal.h"
#include "video.h"
#include "wav.h"

namespace {

constexpr int kBadUsage = 2;
constexpr int kFailed = 1;
constexpr int kKilledBase = 128;  // the shell's code for a process ended by signal N
const char* const kAudioName = "audio.wav";
constexpr double kMsPerSecond = 1000.0;

int failed(const std::string& message)
{
    std::fprintf(stderr, "frosthem-capture: %s\n", message.c_str());
    return kFailed;
}

std::string framePath(const std::string& dir, long k)
{
    return (std::filesystem::path(dir) / frameFileName(k)).string();
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
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = "cannot write to " + path + ": it is a folder";
        return false;
    }
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

    // What the command line asks for that cannot be done, before minutes
    // of rendering are spent on it.
    static bool possible(const CaptureOptions& opt, const Plan& plan, std::string& error)
    {
        const std::uint64_t soundFrames =
            sampleAt(frameMs(plan.end, opt.fps)) - sampleAt(frameMs(plan.first, opt.fps));
        if (plan.stills.empty() && soundFrames > kWavMaxFrames) {
            error = "--from to --to spans more sound than a WAV file holds (" +
                    std::to_string(kWavMaxFrames / kMixRate) + " s at most)";
            return false;
        }
        return true;
    }

    // Everything else that can be checked before the show starts; 0 when
    // all is well, else the exit code. The video may go into the output
    // folder, so that is made first.
    int prepare(std::string& error)
    {
        if (!prepareDir(opt_.outDir, error))
            return kFailed;
        if (!opt_.video.empty() && !prepareFile(opt_.video, error))
            return kBadUsage;
        if (!opt_.video.empty() && !haveFfmpeg()) {
            error = kNoVideoEncoder;
            return kFailed;
        }
        return !withAudio_ || wav_.open(wavPath_, error) ? 0 : kFailed;
    }

    bool start(std::string& error)
    {
        return opt_.video.empty() || video_.start(opt_.video, opt_.fps, screen->w, screen->h, error);
    }

    bool add(const SimulatedFrame& f, const MusicTape& tape, std::string& error)
    {
        surfaceToRgb(f.screen, image_);
        const std::string png = framePath(opt_.outDir, f.index);
        if (!writePng(png, image_, error))
            return false;
        // A frame whose picture or sound could not go with it is taken back:
        // what stays is whole frames with their sound.
        if (!(opt_.video.empty() || video_.addFrame(image_, error)) || !addSound(f, tape, error)) {
            std::remove(png.c_str());
            return false;
        }
        written_++;
        return true;
    }

    bool finish(std::string& error)
    {
        return (!withAudio_ || wav_.close(error)) && (opt_.video.empty() || video_.finish(wavPath_, error));
    }

    // After a stop or a failure: the frames written so far stay, with a WAV
    // whose header matches them (none when there is no frame, or a write to
    // it failed); the video, which would not be whole, goes. True when the
    // WAV stays.
    bool cleanUp()
    {
        video_.abandon();
        std::string ignored;
        if (withAudio_ && written_ > 0 && wav_.close(ignored))
            return true;
        wav_.discard();
        return false;
    }

    long written() const { return written_; }

private:
    bool addSound(const SimulatedFrame& f, const MusicTape& tape, std::string& error)
    {
        if (!withAudio_)
            return true;
        sound_.clear();
        tape.render(f.ms, frameMs(f.index + 1, opt_.fps), sound_);
        return wav_.write(sound_, error);
    }

    const CaptureOptions& opt_;
    const bool withAudio_;
    const std::string wavPath_;
    WavWriter wav_;
    VideoEncoder video_;
    RgbImage image_;
    std::vector<std::int16_t> sound_;
    long written_ = 0;
};

// What a run that ended early leaves behind, for its last line.
std::string howFar(long written, bool soundKept, const std::string& dir)
{
    if (written == 0)
        return "; nothing written";
    return "; " + std::to_string(written) + " frame" + (written == 1 ? "" : "s") +
           (soundKept ? " and their sound" : "") + " kept in " + dir;
}

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
    opt.party = opt.party.empty() ? "" : pathFromStartFolder(opt.party);
    if (!enterProgramFolder())
        std::fprintf(stderr, "frosthem-capture: cannot change to the program's folder; looking for its files here\n");
    Problems problems;
    if (!opt.party.empty() && !loadParty(opt.party, showParty, problems)) {
        printProblems(problems);
        std::fprintf(stderr, "frosthem-capture: %zu problem%s in the party %s; nothing was rendered\n",
                     problems.size(), problems.size() == 1 ? "" : "s", opt.party.c_str());
        return kBadUsage;
    }
    const Plan plan = makePlan(opt);
    if (plan.first >= plan.end) {
        std::fprintf(stderr, "frosthem-capture: no frame at %d fps lies in [--from, --to)\n%s", opt.fps,
                     kCaptureUsage);
        return kBadUsage;
    }
    if (!Outputs::possible(opt, plan, error)) {
        std::fprintf(stderr, "frosthem-capture: %s\n", error.c_str());
        return kBadUsage;
    }
    const bool withAudio = plan.stills.empty();
    Outputs out(opt, withAudio);
    if (const int code = out.prepare(error)) {
        failed(error);
        return code;
    }

    catchStopSignals();
    MusicTape tape;
    if (!startCapturedShow(tape, error) || !out.start(error)) {
        out.cleanUp();
        return failed(error);
    }
    Progress progress(plan.end);
    bool ok = true;
    long simulated = 0;
    if (stopSignal() == 0) {
        simulateFrames(plan.end, opt.fps, [&](const SimulatedFrame& f) {
            ok = !plan.wanted(f.index) || out.add(f, tape, error);
            simulated = f.index + 1;
            progress.update(simulated);
            return ok && stopSignal() == 0;
        });
    }
    if (stopSignal() == 0 && ok && out.finish(error)) {
        char summary[256];
        std::snprintf(summary, sizeof summary, "frosthem-capture: %ld frame%s (%.3f-%.3f s, %d fps)%s to %s%s%s",
                      out.written(), out.written() == 1 ? "" : "s",
                      frameMs(withAudio ? plan.first : *plan.stills.begin(), opt.fps) / kMsPerSecond,
                      frameMs(plan.end - 1, opt.fps) / kMsPerSecond, opt.fps, withAudio ? " and their sound" : "",
                      opt.outDir.c_str(), opt.video.empty() ? "" : ", video ", opt.video.c_str());
        progress.finish(plan.end, summary);
        return 0;
    }
    progress.breakLine();
    const std::string kept = howFar(out.written(), out.cleanUp(), opt.outDir);
    if (stopSignal() == 0)
        return failed(error + kept);
    std::fprintf(stderr, "frosthem-capture: stopped by %s after %ld of %ld frames (%.3f s)%s\n",
                 stopSignal() == SIGINT ? "SIGINT" : "SIGTERM", simulated, plan.end,
                 frameMs(simulated, opt.fps) / kMsPerSecond, kept.c_str());
    return kKilledBase + stopSignal();
}
