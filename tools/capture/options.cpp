#include "options.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

const char* const kCaptureUsage =
    "usage: frosthem-capture --out DIR [--party DIR] [--fps N] [--from S] [--to S] [--video FILE.mp4]\n"
    "       frosthem-capture --video FILE.mp4 [--party DIR] [--fps N] [--from S] [--to S]\n"
    "       frosthem-capture --out DIR [--party DIR] [--fps N] --at S[,S...]\n";

namespace {

constexpr int kMaxFps = 1000;  // beyond this, frames would share a tick
// Far enough for any use, near enough that 1000 + the time fits the 32-bit tick.
constexpr double kMaxSeconds = 1.0e6;
constexpr double kMsPerSecond = 1000.0;

// Digits with at most one decimal point among or before them: no sign,
// spaces, exponent or hexadecimal, which strtod would take.
bool plainDecimal(const char* text)
{
    int points = 0, digits = 0;
    for (const char* c = text; *c; c++) {
        if (*c == '.')
            points++;
        else if (std::isdigit(static_cast<unsigned char>(*c)))
            digits++;
        else
            return false;
    }
    return digits > 0 && points <= 1;
}

bool parseSeconds(const char* text, Uint32& ms, double* seconds = nullptr)
{
    if (!plainDecimal(text))
        return false;
    char* end = nullptr;
    errno = 0;
    const double s = std::strtod(text, &end);
    if (end == text || *end != '\0' || errno != 0 || !(s >= 0.0 && s <= kMaxSeconds))
        return false;
    // Ticks are whole milliseconds; rounding keeps 18.2 at 18200.
    ms = static_cast<Uint32>(std::llround(s * kMsPerSecond));
    if (seconds)
        *seconds = s;
    return true;
}

bool parseFps(const char* text, int& fps)
{
    if (!plainDecimal(text) || std::strchr(text, '.'))
        return false;
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || n < 1 || n > kMaxFps)
        return false;
    fps = static_cast<int>(n);
    return true;
}

// On a bad item, `error` quotes it alone with its place in the list: the
// whole list may be thousands of items long.
bool parseSecondsList(const char* text, std::vector<Uint32>& out, std::string& error)
{
    const std::string list = text;
    std::size_t count = 1;
    for (char c : list)
        count += c == ',';
    std::size_t at = 0;
    for (std::size_t n = 1; n <= count; n++) {
        const std::size_t comma = std::min(list.find(',', at), list.size());
        const std::string item = list.substr(at, comma - at);
        Uint32 ms = 0;
        if (!parseSeconds(item.c_str(), ms)) {
            error = "bad value for --at: item " + std::to_string(n) + " of " + std::to_string(count) + ", \"" +
                    item + "\", is not a time in seconds";
            return false;
        }
        out.push_back(ms);
        at = comma + 1;
    }
    return true;
}

}  // namespace

bool parseCaptureArgs(int argc, char** argv, CaptureOptions& out, std::string& error)
{
    bool rangeGiven = false;
    double fromSeconds = 0, toSeconds = 0;
    // Help is given wherever it is asked for, whatever else is wrong.
    for (int i = 1; i < argc; i++) {
        if (std::strcmp(argv[i], "-h") == 0 || std::strcmp(argv[i], "--help") == 0) {
            out.help = true;
            return true;
        }
    }
    for (int i = 1; i < argc; i++) {
        const char* opt = argv[i];
        if (i + 1 >= argc) {
            error = std::string("unknown option or missing value: ") + opt;
            return false;
        }
        const char* value = argv[++i];
        bool ok = true;
        if (std::strcmp(opt, "--out") == 0) {
            out.outDir = value;
            ok = *value != '\0';
        } else if (std::strcmp(opt, "--fps") == 0) {
            ok = parseFps(value, out.fps);
        } else if (std::strcmp(opt, "--from") == 0) {
            ok = parseSeconds(value, out.fromMs, &fromSeconds);
            rangeGiven = true;
        } else if (std::strcmp(opt, "--to") == 0) {
            ok = parseSeconds(value, out.toMs, &toSeconds);
            rangeGiven = true;
        } else if (std::strcmp(opt, "--at") == 0) {
            if (!parseSecondsList(value, out.stillsMs, error))
                return false;
        } else if (std::strcmp(opt, "--party") == 0) {
            out.party = value;
            ok = *value != '\0';
        } else if (std::strcmp(opt, "--video") == 0) {
            out.video = value;
            ok = *value != '\0';
        } else {
            error = std::string("unknown option: ") + opt;
            return false;
        }
        if (!ok) {
            error = std::string("bad value for ") + opt + ": \"" + value + "\"";
            return false;
        }
    }
    if (out.outDir.empty() && out.video.empty())
        error = "--out or --video is required";
    else if (out.outDir.empty() && !out.stillsMs.empty())
        error = "--at writes PNG frames: give --out";
    else if (!out.stillsMs.empty() && (rangeGiven || !out.video.empty()))
        error = "--at takes no --from, --to or --video";
    else if (out.stillsMs.empty() && out.toMs <= out.fromMs && toSeconds > fromSeconds)
        error = "--from and --to fall on the same millisecond: the show's clock counts whole milliseconds";
    else if (out.stillsMs.empty() && out.toMs <= out.fromMs)
        error = "--to must be later than --from";
    return error.empty();
}
