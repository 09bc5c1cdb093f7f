#include "harness.h"

#include <signal.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <thread>

extern char** environ;

namespace harness {

namespace {

constexpr auto kPoll = std::chrono::milliseconds(10);
constexpr double kStopSeconds = 60;  // for a SIGTERM to end a program, however busy
constexpr int kCannotStart = 127;

bool inheritable(const std::string& var)
{
    return var.rfind("SDL_", 0) != 0 && var.rfind("SDL12COMPAT_", 0) != 0 &&
           var.rfind("DISPLAY=", 0) != 0 && var.rfind("WAYLAND_", 0) != 0;
}

std::vector<std::string> environmentFor(const ProgramSpec& spec)
{
    std::vector<std::string> vars;
    for (char** e = environ; *e; e++) {
        const std::string v = *e;
        if (!inheritable(v))
            continue;
        const std::string name = v.substr(0, v.find('='));
        bool overridden = false;
        for (const std::string& extra : spec.env)
            overridden = overridden || extra.rfind(name + "=", 0) == 0;
        if (!overridden)
            vars.push_back(v);
    }
    vars.insert(vars.end(), spec.env.begin(), spec.env.end());
    return vars;
}

}  // namespace

std::string slurp(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void spill(const fs::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

TempDir::TempDir()
{
    std::string name = (fs::temp_directory_path() / "frosthem-test-XXXXXX").string();
    if (mkdtemp(name.data()))
        path_ = name;
}

TempDir::~TempDir()
{
    std::error_code ec;
    if (!path_.empty())
        fs::remove_all(path_, ec);
}

Program::Program(const ProgramSpec& spec)
    : outFile_(files_.path() / "stdout.txt"), errFile_(files_.path() / "stderr.txt")
{
    if (spec.argv.empty())
        return;
    // Everything the child needs is built before the fork: after it, only
    // async-signal-safe calls.
    std::vector<std::string> vars = environmentFor(spec);
    std::vector<char*> envp;
    for (std::string& v : vars)
        envp.push_back(v.data());
    envp.push_back(nullptr);
    std::vector<std::string> args = spec.argv;
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const std::string dir = spec.dir.string();
    const std::string out = outFile_.string();
    const std::string err = errFile_.string();

    pid_ = fork();
    if (pid_ == 0) {
        if ((!dir.empty() && chdir(dir.c_str()) != 0) || !std::freopen(out.c_str(), "w", stdout) ||
            !std::freopen(err.c_str(), "w", stderr))
            _exit(kCannotStart);
        execve(argv[0], argv.data(), envp.data());
        _exit(kCannotStart);
    }
}

Program::~Program()
{
    stop();
}

bool Program::waitExit(double seconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (pid_ > 0 && !reaped_) {
        reaped_ = waitpid(pid_, &status_, WNOHANG) == pid_;
        if (reaped_ || std::chrono::steady_clock::now() >= end)
            break;
        std::this_thread::sleep_for(kPoll);
    }
    return reaped_;
}

void Program::signal(int sig)
{
    if (pid_ > 0 && !reaped_)
        kill(pid_, sig);
}

void Program::stop()
{
    if (pid_ > 0 && !reaped_) {
        kill(pid_, SIGTERM);
        // A program stuck where it reads no signal (a hung display call)
        // would otherwise hold the test until ctest's own timeout.
        if (!waitExit(kStopSeconds)) {
            kill(pid_, SIGKILL);
            reaped_ = waitpid(pid_, &status_, 0) == pid_;
        }
    }
}

int Program::exitCode() const
{
    return reaped_ && WIFEXITED(status_) ? WEXITSTATUS(status_) : -1;
}

std::string Program::howItEnded() const
{
    if (!reaped_)
        return "still running";
    if (WIFSIGNALED(status_))
        return std::string("killed by ") + strsignal(WTERMSIG(status_));
    return "exit code " + std::to_string(WEXITSTATUS(status_));
}

ProgramResult runProgram(const ProgramSpec& spec, double deadlineSeconds)
{
    Program program(spec);
    ProgramResult result;
    result.timedOut = !program.waitExit(deadlineSeconds);
    program.stop();
    result.status = program.status();
    result.exitCode = program.exitCode();
    result.out = program.out();
    result.err = program.err();
    return result;
}

}  // namespace harness
