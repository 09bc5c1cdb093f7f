// What every test that works with files or starts a program shares: a
// scratch folder, whole-file reads and writes, and one way to run a program
// and collect what it says.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

namespace harness {

namespace fs = std::filesystem;

std::string slurp(const fs::path& path);
void spill(const fs::path& path, const std::string& bytes);

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const fs::path& path() const { return path_; }
    std::string operator/(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

struct ProgramSpec {
    std::vector<std::string> argv;  // argv[0] is the program's path
    fs::path dir;                   // working folder; empty: this process's
    // Added to the environment, winning over what is there. SDL's variables
    // and the display's are taken out of the inherited environment first, so
    // a program is headless unless a test gives it a display.
    std::vector<std::string> env;
};

// A program started in the background, its standard output and standard
// error each collected in a file. The destructor stops it with SIGTERM.
class Program {
public:
    explicit Program(const ProgramSpec& spec);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool started() const { return pid_ > 0; }
    pid_t pid() const { return pid_; }
    // True when the program ended by itself within `seconds`.
    bool waitExit(double seconds);
    void signal(int sig);
    // SIGTERM, as a desktop session would, then waits for it to end;
    // SIGKILL when a minute has not done it.
    void stop();
    // The raw wait status; meaningful once it has ended.
    int status() const { return status_; }
    // Exit code, or -1 when it did not exit by itself (killed, still running).
    int exitCode() const;
    // "exit code N" or "killed by <signal>", for failure messages.
    std::string howItEnded() const;
    std::string out() const { return slurp(outFile_); }
    std::string err() const { return slurp(errFile_); }

private:
    TempDir files_;
    fs::path outFile_;
    fs::path errFile_;
    pid_t pid_ = -1;
    int status_ = -1;
    bool reaped_ = false;
};

struct ProgramResult {
    int status = -1;
    int exitCode = -1;  // -1 when it did not exit by itself
    bool timedOut = false;  // it had to be stopped with SIGTERM
    std::string out;
    std::string err;
};

// Runs a program to its end; past `deadlineSeconds` it is sent SIGTERM.
ProgramResult runProgram(const ProgramSpec& spec, double deadlineSeconds);

}  // namespace harness
