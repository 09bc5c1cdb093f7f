#include "show_options.h"

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
    for (std::size_t i = 0; i < args.size(); i++) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            result.action = CommandLineAction::Help;
            return result;
        }
        if (arg == "--version") {
            result.action = CommandLineAction::Version;
            return result;
        }
        if (arg == "--window") {
            result.options.fullscreen = false;
        } else if (arg == "--fullscreen") {
            result.options.fullscreen = true;
        } else if (arg == "--mute") {
            result.options.mute = true;
        } else if (arg == "--scale" || arg.rfind("--scale=", 0) == 0) {
            std::string value;
            if (arg == "--scale") {
                if (i + 1 == args.size())
                    return failure("--scale needs a value: a whole number from 1 to " +
                                   std::to_string(kMaxScale) + ", or auto");
                value = args[++i];
            } else {
                value = arg.substr(arg.find('=') + 1);
            }
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
#ifdef _WIN32
    return std::string("usage: ") + kProgram + " [--window | --fullscreen] [--mute] [--help] [--version]";
#else
    return std::string("usage: ") + kProgram +
           " [--window | --fullscreen] [--scale N | --scale auto] [--mute] [--help] [--version]";
#endif
}

std::string helpText()
{
    return usageLine() + "\n"
           "\n"
           "A Christmas invitation intro: music, snow, plasma and bouncing balls.\n"
           "\n"
           "  --window       start in a window (the default)\n"
           "  --fullscreen   start in full screen\n"
#ifdef _WIN32
           // The window subsystem's SDL has no window scaling: 640x480 it is.
           "  --mute         play without sound; the pictures still follow the music\n"
           "  --help         show this help and exit\n"
           "  --version      show the version and exit\n"
           "\n"
           "Keys: Escape quits, F switches between window and full screen.\n"
           "The window is 640x480. The pictures and music are read from the gfx,\n"
           "icons and data folders beside frosthem.exe.\n";
#else
           "  --scale N      open the window at N times 640x480 (1 to " + std::to_string(kMaxScale) + ")\n"
           "  --scale auto   the largest size that fits in 90% of the desktop (the default)\n"
           "  --mute         play without sound; the pictures still follow the music\n"
           "  --help         show this help and exit\n"
           "  --version      show the version and exit\n"
           "\n"
           "Keys: Escape quits, F switches between window and full screen.\n"
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
