// The show's command line: the window's size and mode, sound on or off, and
// the usual --help and --version.
#pragma once

#include <SDL.h>

#include <string>
#include <vector>

struct ShowOptions {
    bool fullscreen = false;
    int scale = 0;  // whole multiple of 640x480; 0: chosen from the desktop's size
    bool mute = false;
    std::string party;       // a party folder to play; empty: the show's own
    bool check = false;      // check the party, print its summary, end
    Uint32 startMs = 0;      // where the show begins (simulated up to there)
};

enum class CommandLineAction { Run, Help, Version, Error };

struct CommandLine {
    CommandLineAction action = CommandLineAction::Run;
    ShowOptions options;
    std::string error;  // with Error: what was wrong, for the user
};

constexpr int kMaxScale = 16;
// --start goes at most this far: a day of show.
constexpr Uint32 kMaxStartMs = 24u * 3600u * 1000u;

// Reads the arguments after the program's name. Of --window and
// --fullscreen, and of several --scale, the last one counts.
CommandLine parseCommandLine(const std::vector<std::string>& args);

// The one-line synopsis, the full help, and "frosthem <version>".
std::string usageLine();
std::string helpText();
std::string versionText();

// Parses argv and answers --help, --version and mistakes itself. Returns the
// exit code when the program should end here, -1 when the show should run
// with `options`.
int handleCommandLine(int argc, char** argv, ShowOptions& options);
