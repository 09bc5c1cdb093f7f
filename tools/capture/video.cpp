#include "video.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
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
// x264's fastest preset that keeps the pictures' flat colours clean; at this
// rate factor it matches the PSNR of "veryfast" at 18 (about 40.5 dB) in half
// the time, for a file about 40% larger. The encoder sets the export's speed.
const char* const kPreset = "superfast";
const char* const kQuality = "21";
constexpr useconds_t kWaitPollMicroseconds = 20000;

// Where the encoder finds the files we opened for it: the descriptors
// handed down as 3 and 4, opened again by name through /dev/fd. ffmpeg then
// writes (and, for +faststart, reads back) exactly the files we created,
// whatever is put at their names meanwhile.
constexpr int kFirstFileFd = 3;
const char* const kFdFolder = "/dev/fd/";
// A stopped encoder is given this long to end by itself before it is killed.
constexpr int kGraceMilliseconds = 2000;
// How long, after a stop, an encoder may take nothing before the frame in
// hand is given up: short beside the grace above, long beside a busy
// encoder's pause.
constexpr int kStopStallMilliseconds = 1000;

std::string fdName(int k)
{
    return kFdFolder + std::to_string(kFirstFileFd + k);
}

// Starts ffmpeg with `stdinFd` (when >= 0) as its standard input and
// `files` as descriptors 3, 4, ...
pid_t spawn(const std::vector<std::string>& args, int stdinFd, const std::vector<int>& files,
            std::string& error)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    // Each file is first given a descriptor above those it goes to: one of
    // them may already be 3 or 4, and would be overwritten before it is moved.
    std::vector<int> lifted;
    for (int fd : files)
        lifted.push_back(fcntl(fd, F_DUPFD_CLOEXEC, kFirstFileFd + static_cast<int>(files.size())));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (stdinFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, stdinFd, STDIN_FILENO);
    for (std::size_t k = 0; k < lifted.size(); k++)
        posix_spawn_file_actions_adddup2(&actions, lifted[k], kFirstFileFd + static_cast<int>(k));
    // A process group of its own: Ctrl+C at the terminal reaches only us,
    // and we decide what becomes of the encoder.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    posix_spawnattr_setpgroup(&attr, 0);
    // Our stop handlers and ignored signals are not the encoder's.
    sigset_t all, none;
    sigfillset(&all);
    sigemptyset(&none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setsigmask(&attr, &none);
    pid_t pid = -1;
    const int rc = posix_spawnp(&pid, argv[0], &actions, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    for (int fd : lifted) {
        if (fd >= 0)
            close(fd);
    }
    if (rc != 0) {
        error = std::string("cannot start ffmpeg: ") + std::strerror(rc);
        return -1;
    }
    return pid;
}

// Ends ffmpeg and whatever it started: asked first, killed when it will not.
void stopGroup(pid_t pid)
{
    kill(-pid, SIGTERM);
    int status = 0;
    for (int waited = 0; waited < kGraceMilliseconds; waited += kWaitPollMicroseconds / 1000) {
        if (waitpid(pid, &status, WNOHANG) != 0)
            return;
        usleep(kWaitPollMicroseconds);
    }
    kill(-pid, SIGKILL);
    waitpid(pid, &status, 0);
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
        if (stopSignal() != 0) {
            stopGroup(pid);
            error = "stopped while ffmpeg was " + std::string(what);
            return false;
        }
        usleep(kWaitPollMicroseconds);
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
    if (input_ >= 0)
        close(input_);
    input_ = -1;
    if (pid_ > 0)
        stopGroup(pid_);
    pid_ = -1;
    pictureOnly_.discard();
    output_.discard();
}

bool VideoEncoder::start(const std::string& output, int fps, int width, int height, std::string& error)
{
    if (!output_.create(output, error) || !pictureOnly_.create(output, error))
        return false;
    // A socket rather than a pipe: a write to an encoder that has gone
    // fails with EPIPE (MSG_NOSIGNAL) instead of raising SIGPIPE, which is
    // kept for a closed terminal. Close-on-exec keeps ffmpeg from holding
    // our end open, so closing it is the end of input.
    int fds[2];
    if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, fds) != 0) {
        error = std::string("cannot make a pipe to ffmpeg: ") + std::strerror(errno);
        return false;
    }
    const std::vector<std::string> args = {
        kFfmpeg, "-hide_banner", "-loglevel", "error", "-y",
        "-f", "rawvideo", "-pix_fmt", "rgb24",
        "-video_size", std::to_string(width) + "x" + std::to_string(height),
        "-framerate", std::to_string(fps), "-i", "pipe:0",
        "-vf", kScale2x, "-c:v", "libx264", "-crf", kQuality, "-preset", kPreset,
        "-pix_fmt", "yuv420p", "-an", "-f", "mp4", fdName(0)};
    pid_ = spawn(args, fds[0], {pictureOnly_.fd()}, error);
    close(fds[0]);
    input_ = fds[1];
    return pid_ > 0;
}

bool VideoEncoder::addFrame(const RgbImage& frame, std::string& error)
{
    // The frame in hand is finished after a stop, unless the encoder has
    // stopped taking it: a busy encoder drains its input within a moment,
    // a stalled one is given up after kStopStallMilliseconds.
    const std::uint8_t* at = frame.rgb.data();
    std::size_t left = frame.rgb.size();
    int stalledMs = 0;
    while (left > 0) {
        pollfd ready{input_, POLLOUT, 0};
        const int polled = poll(&ready, 1, kWaitPollMicroseconds / 1000);
        if (polled < 0)
            continue;  // a signal: the frame may still go through
        if (polled == 0) {
            if (stopSignal() == 0)
                continue;
            stalledMs += kWaitPollMicroseconds / 1000;
            if (stalledMs < kStopStallMilliseconds)
                continue;
            error = "stopped while ffmpeg was taking no frames";
            return false;
        }
        stalledMs = 0;
        const ssize_t n = send(input_, at, left, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n > 0) {
            at += n;
            left -= static_cast<std::size_t>(n);
        } else if (n < 0 && errno != EINTR && errno != EAGAIN) {
            error = "ffmpeg stopped taking frames (see its messages above)";
            return false;
        }
    }
    return true;
}

bool VideoEncoder::finish(const std::string& wav, std::string& error)
{
    close(input_);
    input_ = -1;
    const pid_t encoder = pid_;
    pid_ = -1;
    if (!waitFor(encoder, "encoding the frames", error)) {
        abandon();
        return false;
    }
    // The container is named, not guessed from the file name: any name
    // takes an MP4. Without music the video has no sound track.
    std::vector<std::string> args = {kFfmpeg, "-hide_banner", "-loglevel", "error", "-nostdin", "-y",
                                     "-i", fdName(0)};
    if (!wav.empty())
        args.insert(args.end(), {"-i", wav, "-map", "1:a", "-c:a", "aac", "-b:a", kAudioBitrate});
    args.insert(args.end(), {"-map", "0:v", "-c:v", "copy", "-movflags", "+faststart", "-f", "mp4", fdName(1)});
    const pid_t mux = spawn(args, -1, {pictureOnly_.fd(), output_.fd()}, error);
    const bool done = mux > 0 && waitFor(mux, "adding the sound", error) && output_.commit(error);
    abandon();  // the picture-only file, and the output unless it is done
    return done;
}
