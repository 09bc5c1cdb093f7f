// Start-up figures of the show, on SDL's dummy video and audio drivers, as
// medians over several runs (the machine is shared, so single runs vary):
//   - process start to the first presented frame;
//   - process start to the first audio callback that carried music;
//   - peak resident memory of the real program over a few seconds of show;
//   - how soon the real program exits on SIGTERM sent during start-up;
//   - consecutive 60 fps frames that saw the same music position.
// Run from the repository root (the show reads gfx/ and data/):
//   build/bench/startup [RUNS]
// Each timing run is a fresh process (this program again, with --child), so
// the times include exec, dynamic loading and the first page faults.
#include <signal.h>
#include <time.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <SDL.h>

#include "clock.h"
#include "globals.h"
#include "show.h"
#include "sound.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultRuns = 7;
constexpr int kFps = 60;
constexpr int kRepeatFrames = 10 * kFps;      // frames watched for repeats
constexpr auto kRssRunTime = std::chrono::seconds(6);
constexpr auto kSignalAfter = std::chrono::milliseconds(40);
constexpr auto kPoll = std::chrono::microseconds(100);
constexpr auto kGiveUp = std::chrono::seconds(10);

double msSince(long long startNs)
{
    const long long now = std::chrono::duration_cast<std::chrono::nanoseconds>(
                              Clock::now().time_since_epoch()).count();
    return (now - startNs) / 1e6;
}

// CPU time of the calling thread: what start-up costs, whatever else the
// shared machine is busy with.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

long long nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

void useDummyDrivers()
{
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
}

// One run inside a fresh process: the show's own start-up and frame loop.
int child(long long startNs)
{
    useDummyDrivers();
    std::atomic<bool> stop{false};
    std::atomic<double> firstMusicMs{-1.0};
    std::thread watcher([&] {
        while (!stop.load() && soundFramesMixed() == 0)
            std::this_thread::sleep_for(kPoll);
        if (!stop.load())
            firstMusicMs.store(msSince(startNs));
    });

    ShowHost host;
    std::string error;
    if (!startShow(host, error)) {
        std::fprintf(stderr, "startup: %s\n", error.c_str());
        stop.store(true);
        watcher.join();
        return kStartFailed;
    }
    const double startedMs = msSince(startNs);
    framePass();
    SDL_Flip(screen);
    const double firstFrameMs = msSince(startNs);
    const double firstFrameCpuMs = threadCpuMs();

    // The show's own loop, watching the music position each frame.
    int repeats = 0, playingFrames = 0;
    std::size_t last = 0;
    bool lastPlaying = false;
    for (int f = 0; f < kRepeatFrames; f++) {
        framePass();
        SDL_Flip(screen);
        const bool playing = FSOUND_IsPlaying(0);
        const std::size_t pos = soundPlayPosition();
        if (playing && lastPlaying) {
            playingFrames++;
            repeats += pos == last;
        }
        last = pos;
        lastPlaying = playing;
        const Uint32 deadline = nextFrameDeadline(startTick, getTicks());
        const Sint32 wait = static_cast<Sint32>(deadline - getTicks());
        if (wait > 0)
            SDL_Delay(static_cast<Uint32>(wait));
    }
    const auto giveUp = Clock::now() + kGiveUp;
    while (firstMusicMs.load() < 0 && Clock::now() < giveUp)
        std::this_thread::sleep_for(kPoll);
    stop.store(true);
    watcher.join();
    std::printf("%.2f %.2f %.2f %.2f %d %d\n", startedMs, firstFrameMs, firstMusicMs.load(), firstFrameCpuMs, repeats,
                playingFrames);
    return 0;
}

struct ChildRun {
    double started = 0, firstFrame = 0, firstMusic = 0, firstFrameCpu = 0;
    int repeats = 0, frames = 0;
    bool ok = false;
};

ChildRun runChild(const char* self)
{
    int fds[2];
    ChildRun r;
    if (pipe(fds) != 0)
        return r;
    const long long start = nowNs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        const std::string arg = std::to_string(start);
        execl(self, self, "--child", arg.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    std::string out;
    char buf[256];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0)
        out.append(buf, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    r.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
           std::sscanf(out.c_str(), "%lf %lf %lf %lf %d %d", &r.started, &r.firstFrame, &r.firstMusic,
                       &r.firstFrameCpu, &r.repeats, &r.frames) == 6;
    return r;
}

// Starts the real program, sends it SIGTERM after `after`, and returns its
// peak resident size in MB and how long it took to exit after the signal.
bool runShow(const char* show, Clock::duration after, double& peakMb, double& exitMs)
{
    const pid_t pid = fork();
    if (pid == 0) {
        useDummyDrivers();
        execl(show, show, static_cast<char*>(nullptr));
        _exit(127);
    }
    std::this_thread::sleep_for(after);
    kill(pid, SIGTERM);
    const long long signalled = nowNs();
    int status = 0;
    struct rusage usage {};
    if (wait4(pid, &status, 0, &usage) != pid)
        return false;
    exitMs = msSince(signalled);
    peakMb = usage.ru_maxrss / 1024.0;
    return WIFEXITED(status);
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t m = v.size() / 2;
    return v.size() % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

void report(const char* what, const std::vector<double>& v, const char* unit)
{
    std::printf("%-44s median %8.1f %s   (", what, median(v), unit);
    for (double x : v)
        std::printf(" %.1f", x);
    std::printf(" )\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--child") == 0)
        return child(std::atoll(argv[2]));
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : kDefaultRuns;

    std::vector<double> started, frame, music, frameCpu;
    int repeats = 0, frames = 0;
    for (int i = 0; i < runs; i++) {
        const ChildRun r = runChild("/proc/self/exe");
        if (!r.ok) {
            std::fprintf(stderr, "startup: run %d failed\n", i);
            return 1;
        }
        started.push_back(r.started);
        frame.push_back(r.firstFrame);
        music.push_back(r.firstMusic);
        frameCpu.push_back(r.firstFrameCpu);
        repeats += r.repeats;
        frames += r.frames;
    }
    report("process start to startShow() returned", started, "ms");
    report("process start to first presented frame", frame, "ms");
    report("process start to first callback with music", music, "ms");
    report("main thread's CPU time to first frame", frameCpu, "ms");
    std::printf("consecutive frames with the same music position: %d of %d\n", repeats, frames);

    std::vector<double> peak, exitAfterTerm;
    for (int i = 0; i < runs; i++) {
        double mb = 0, ms = 0;
        if (!runShow(FROSTHEM_BINARY, kRssRunTime, mb, ms))
            std::fprintf(stderr, "startup: the show did not exit cleanly on SIGTERM\n");
        peak.push_back(mb);
        if (!runShow(FROSTHEM_BINARY, kSignalAfter, mb, ms))
            std::fprintf(stderr, "startup: the show did not exit cleanly on SIGTERM during start-up\n");
        exitAfterTerm.push_back(ms);
    }
    report("peak resident size over 6 s of show", peak, "MB");
    report("exit after SIGTERM 40 ms into start-up", exitAfterTerm, "ms");
    return 0;
}
