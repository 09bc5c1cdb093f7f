#include "video.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

#include "stop_signal.h"

extern char** environ;

const char* const kNoVideoEncoder = "--video needs ffmpeg, which is not on PATH (Debian: apt-get install ffmpeg)";

namespace {

const char* const kFfmpeg = "ffmpeg";
// Nearest-neighbour doubling keeps the pixels of a 640x480 show crisp.
const char* const kScale2x = "scale=iw*2:ih*2:flags=neighbor";
const char* const kAudioBitrate = "192k";
const char* const kQuality = "18";  // x264 constant rate factor: visually lossless
constexpr useconds_t kWaitPollMicroseconds = 20000;

pid_t spawn(const std::vector<std::string>& args, int stdinFd, std::string& error)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdinFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, stdinFd, STDIN_FILENO);
    // A process group of its own: Ctrl+C at the terminal reaches only us,
    // and we decide what becomes of the encoder.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attr, 0);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(rc);
        return -1;
    }
    return pid;
}

// Waits for ffmpeg to end; a stop signal meanwhile ends it at once.
bool waitFor(pid_t pid, const char* what, std::string& error)
{
    int status = 0;
    for (;;) {
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        if (done < 0 && errno != EINTR) {
            error = std::string("lost track of ffmpeg: ") + std::strerror(errno);
            return false;
        }
        if (stopSignal() != 0)
            kill(pid, SIGTERM);
        usleep(kWaitPollMicroseconds);
    }
    if (stopSignal() != 0) {
        error = "stopped while ffmpeg was " + std::string(what);
        return false;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return true;
    error = std::string("ffmpeg failed ") + what + " (see its messages above)";
    return false;
}

}  // namespace

bool haveFfmpeg()
{
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + kFfmpeg;
        struct stat st;
        if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return true;
    }
    return false;
}

VideoEncoder::~VideoEncoder()
{
    abandon();
}

void VideoEncoder::abandon()
{
    if (pipe_) {
        std::fclose(pipe_);
        pipe_ = nullptr;
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    if (!pictureOnly_.empty())
        std::remove(pictureOnly_.c_str());
    pictureOnly_.clear();
    if (!done_ && muxing_)
        std::remove(output_.c_str());
    muxing_ = false;
}

bool VideoEncoder::start(const std::string& output, int fps, int width, int height, std::string& error)
{
    // A dead encoder must show up as a failed write, not end us silently.
    std::signal(SIGPIPE, SIG_IGN);
    output_ = output;
    pictureOnly_ = output + ".picture.mp4";
    // Close-on-exec keeps ffmpeg from holding our end of the pipe open, so
    // closing it is the end of input; its own end becomes stdin by dup2.
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) {
        error = std::string("cannot make a pipe to ffmpeg: ") + std::strerror(errno);
        return false;
    }
    const std::vector<std::string> args = {
        kFfmpeg, "-hide_banner", "-loglevel", "error", "-y",
        "-f", "rawvideo", "-pix_fmt", "rgb24",
        "-video_size", std::to_string(width) + "x" + std::to_string(height),
        "-framerate", std::to_string(fps), "-i", "pipe:0",
        "-vf", kScale2x, "-c:v", "libx264", "-crf", kQuality, "-preset", "veryfast",
        "-pix_fmt", "yuv420p", "-an", pictureOnly_};
    pid_ = spawn(args, fds[0], error);
    close(fds[0]);
    if (pid_ < 0) {
        close(fds[1]);
        return false;
    }
    pipe_ = fdopen(fds[1], "wb");
    return pipe_ != nullptr;
}

bool VideoEncoder::addFrame(const RgbImage& frame, std::string& error)
{
    if (std::fwrite(frame.rgb.data(), 1, frame.rgb.size(), pipe_) == frame.rgb.size())
        return true;
    error = "ffmpeg stopped taking frames (see its messages above)";
    return false;
}

bool VideoEncoder::finish(const std::string& wav, std::string& error)
{
    std::fclose(pipe_);
    pipe_ = nullptr;
    if (!waitFor(pid_, "encoding the frames", error))
        return false;
    // The container is named, not guessed from the file name: any name takes an MP4.
    const std::vector<std::string> args = {
        kFfmpeg, "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
        "-i", pictureOnly_, "-i", wav, "-map", "0:v", "-map", "1:a",
        "-c:v", "copy", "-c:a", "aac", "-b:a", kAudioBitrate, "-movflags", "+faststart",
        "-f", "mp4", output_};
    muxing_ = true;
    const pid_t mux = spawn(args, -1, error);
    done_ = mux >= 0 && waitFor(mux, "adding the sound", error);
    abandon();  // the picture-only file, and the output unless it is done
    return done_;
}
