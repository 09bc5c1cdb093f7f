#include "show_options.h"

#include <algorithm>
#include <cstdio>
#include "error_box.h"

#ifndef FROSTHEM_VERSION
#error "FROSTHEM_VERSION comes from the build (the CMake project's version)"
#endif

namespace {

constexpr int kExitUsage = 2;
const char* const kProgram = "frosthem";

// A whole number from 1 to kMaxScale, written plainly: no sign, no spaces,
// no leading zero, no fraction.
bool parseScale(const std::string& text, int& scale)
{
    if (text.empty() || text.size() > 2 || text[0] == '0')
        return false;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value > kMaxScale)
        return false;
    scale = value;
    return true;
}

// Seconds written plainly, with at most three decimals: "95", "18.5".
bool parseSeconds(const std::string& text, Uint32& ms)
{
    const size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    const std::string part = dot == std::string::npos ? "" : text.substr(dot + 1);
    if (whole.empty() || whole.size() > 5 || part.size() > 3 || (dot != std::string::npos && part.empty()))
        return false;
    Uint32 value = 0;
    for (const char c : whole + part + std::string(3 - part.size(), '0')) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + static_cast<Uint32>(c - '0');
    }
    if (value > kMaxStartMs)
        return false;
    ms = value;
    return true;
}

// "--name VALUE" or "--name=VALUE".
bool takesValue(const std::string& arg, const std::string& name)
{
    return arg == name || arg.rfind(name + "=", 0) == 0;
}

// The value of the option at args[i], moving past it when it is separate.
bool valueOf(const std::vector<std::string>& args, std::size_t& i, std::string& value)
{
    const std::string& arg = args[i];
    const size_t eq = arg.find('=');
    if (eq != std::string::npos) {
        value = arg.substr(eq + 1);
        return true;
    }
    if (i + 1 == args.size())
        return false;
    value = args[++i];
    return true;
}

CommandLine failure(const std::string& error)
{
    CommandLine result;
    result.action = CommandLineAction::Error;
    result.error = error;
    return result;
}

}  // namespace

CommandLine parseCommandLine(const std::vector<std::string>& args)
{
    CommandLine result;
    // Answered wherever they stand, whatever else is wrong; --help first.
    for (const char* answer : {"--help", "-h", "--version"}) {
        if (std::find(args.begin(), args.end(), answer) != args.end()) {
            result.action =
                std::string(answer) == "--version" ? CommandLineAction::Version : CommandLineAction::Help;
            return result;
        }
    }
    for (std::size_t i = 0; i < args.size(); i++) {
        const std::string& arg = args[i];
        if (arg == "--window") {
            result.options.fullscreen = false;
        } else if (arg == "--fullscreen") {
            result.options.fullscreen = true;
        } else if (arg == "--mute") {
            result.options.mute = true;
        } else if (arg == "--check") {
            result.options.check = true;
        } else if (takesValue(arg, "--party")) {
            if (!valueOf(args, i, result.options.party) || result.options.party.empty())
                return failure("--party needs a value: the party's folder");
        } else if (takesValue(arg, "--start")) {
            std::string value;
            if (!valueOf(args, i, value))
                return failure("--start needs a value: the seconds to begin at");
            if (!parseSeconds(value, result.options.startMs))
                return failure("bad --start '" + value + "': seconds from 0 to " +
                               std::to_string(kMaxStartMs / 1000) + ", at most 3 decimals");
        } else if (takesValue(arg, "--scale")) {
            std::string value;
            if (!valueOf(args, i, value))
                return failure("--scale needs a value: a whole number from 1 to " +
                               std::to_string(kMaxScale) + ", or auto");
            if (value == "auto")
                result.options.scale = 0;
            else if (!parseScale(value, result.options.scale))
                return failure("bad --scale '" + value + "': a whole number from 1 to " +
                               std::to_string(kMaxScale) + ", or auto");
        } else if (arg.rfind("-", 0) == 0) {
            return failure("unknown option '" + arg + "'");
        } else {
            return failure("unexpected argument '" + arg + "'");
        }
    }
    return result;
}

std::string usageLine()
{
    return std::string("usage: ") + kProgram +
           " [--window | --fullscreen] [--scale N | --scale auto] [--mute]\n"
           "       [--party DIR] [--check] [--start S] [--help] [--version]";
}

std::string helpText()
{
    return usageLine() + "\n"
           "\n"
           "A Christmas invitation intro: music, snow, plasma and bouncing balls.\n"
           "\n"
           "  --window       start in a window (the default)\n"
           "  --fullscreen   start in full screen\n"
           "  --scale N      open the window at N times 640x480 (1 to " + std::to_string(kMaxScale) + ")\n"
           "  --scale auto   the largest size that fits in 90% of the desktop (the default)\n"
           "  --mute         play without sound; the pictures still follow the music\n"
           "  --party DIR    play the party in folder DIR (its party.toml, text, music\n"
           "                 and pictures); every problem in it is reported, and\n"
           "                 nothing starts until there is none (exit code 2)\n"
           "  --check        check the party (or the show's own) and print what its\n"
           "                 text and music take, then exit: 0 when all is well, 2 if not\n"
           "  --start S      begin S seconds into the show (for example 95 or 18.5):\n"
           "                 the frames up to there are worked out, then it plays\n"
           "  --help         show this help and exit\n"
           "  --version      show the version and exit\n"
           "\n"
           "Keys: Escape quits, F switches between window and full screen.\n"
           "A folder named party beside the show's files is played when no --party\n"
           "is given.\n"
#ifdef _WIN32
           "The pictures and music are read from the gfx, icons and data folders\n"
           "beside frosthem.exe.\n";
#else
           "The pictures and music are read from gfx/, icons/ and data/ under the\n"
           "working folder. SDL12COMPAT_WINDOW_SCALING and SDL12COMPAT_SCALE_METHOD,\n"
           "when set, win over --scale and the crisp scaling chosen here.\n";
#endif
}

std::string versionText()
{
    return std::string(kProgram) + " " + FROSTHEM_VERSION;
}

int handleCommandLine(int argc, char** argv, ShowOptions& options)
{
    const CommandLine line = parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    switch (line.action) {
    case CommandLineAction::Help:
        tellViewer(helpText(), false);
        return 0;
    case CommandLineAction::Version:
        tellViewer(versionText() + "\n", false);
        return 0;
    case CommandLineAction::Error:
        tellViewer(std::string(kProgram) + ": " + line.error + "; " + usageLine() + "\n", true);
        return kExitUsage;
    case CommandLineAction::Run:
        break;
    }
    options = line.options;
    return -1;
}
