#include "options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>

const char* const kCaptureUsage =
    "usage: frosthem-capture --out DIR [--party DIR] [--fps N] [--from S] [--to S] [--video FILE.mp4]\n"
    "       frosthem-capture --out DIR [--party DIR] [--fps N] --at S[,S...]\n";

namespace {

constexpr int kMaxFps = 1000;  // beyond this, frames would share a tick
// Far enough for any use, near enough that 1000 + the time fits the 32-bit tick.
constexpr double kMaxSeconds = 1.0e6;
constexpr double kMsPerSecond = 1000.0;

bool parseSeconds(const char* text, Uint32& ms, double* seconds = nullptr)
{
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
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || errno != 0 || n < 1 || n > kMaxFps)
        return false;
    fps = static_cast<int>(n);
    return true;
}

bool parseSecondsList(const char* text, std::vector<Uint32>& out)
{
    // getline drops an empty last item: "1," would pass for "1".
    const std::size_t length = std::strlen(text);
    if (length > 0 && text[length - 1] == ',')
        return false;
    std::stringstream list(text);
    std::string item;
    while (std::getline(list, item, ',')) {
        Uint32 ms = 0;
        if (!parseSeconds(item.c_str(), ms))
            return false;
        out.push_back(ms);
    }
    return !out.empty();
}

}  // namespace

bool parseCaptureArgs(int argc, char** argv, CaptureOptions& out, std::string& error)
{
    bool rangeGiven = false;
    double fromSeconds = 0, toSeconds = 0;
    for (int i = 1; i < argc; i++) {
        const char* opt = argv[i];
        if (std::strcmp(opt, "-h") == 0 || std::strcmp(opt, "--help") == 0) {
            out.help = true;
            return true;
        }
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
            ok = parseSecondsList(value, out.stillsMs);
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
    if (out.outDir.empty())
        error = "--out is required";
    else if (!out.stillsMs.empty() && (rangeGiven || !out.video.empty()))
        error = "--at takes no --from, --to or --video";
    else if (out.stillsMs.empty() && out.toMs <= out.fromMs && toSeconds > fromSeconds)
        error = "--from and --to fall on the same millisecond: the show's clock counts whole milliseconds";
    else if (out.stillsMs.empty() && out.toMs <= out.fromMs)
        error = "--to must be later than --from";
    return error.empty();
}
