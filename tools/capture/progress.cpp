#include "progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace {
constexpr auto kInterval = std::chrono::milliseconds(250);
constexpr int kSecondsPerMinute = 60;
constexpr double kSmoothing = 0.5;  // weight of the pace so far against the last stretch
constexpr int kTenths = 10;
// The longest a log waits for a line: a far --at or --to may take minutes
// to reach its first tenth.
constexpr auto kPlainInterval = std::chrono::seconds(30);
}  // namespace

Progress::Progress(long total) : Progress(total, Clock::now, isatty(STDERR_FILENO) != 0) {}

Progress::Progress(long total, Now now, bool terminal)
    : now_(now), total_(total), begin_(now_()), lastShown_(begin_), plain_(!terminal)
{
}

double Progress::seconds() const
{
    return std::chrono::duration<double>(now_() - begin_).count();
}

void Progress::update(long done)
{
    const Clock::time_point now = now_();
    if (plain_) {
        const int tenths = total_ > 0 ? static_cast<int>(done * kTenths / total_) : 0;
        const bool due = now - lastShown_ >= kPlainInterval && done < total_;
        const bool newTenth = tenths > tenthsShown_ && tenths < kTenths;
        if (newTenth || due) {
            const int percent = newTenth ? tenths * 100 / kTenths : static_cast<int>(done * 100 / total_);
            tenthsShown_ = std::max(tenths, tenthsShown_);
            lastShown_ = now;
            std::fprintf(stderr, "frame %ld/%ld (%d%%) after %.0f s\n", done, total_, percent, seconds());
        }
        return;
    }
    if (now - lastShown_ < kInterval)
        return;
    // The pace of the last stretch: the opening's frames are far cheaper
    // than the main scene's, so an average over the whole run would promise
    // too early an end.
    const double stretch = std::chrono::duration<double>(now - lastShown_).count();
    const double recent = (done - lastDone_) / stretch;
    rate_ = rate_ > 0 ? kSmoothing * rate_ + (1 - kSmoothing) * recent : recent;
    lastShown_ = now;
    lastDone_ = done;
    const double rate = rate_;
    const long left = rate > 0 ? static_cast<long>((total_ - done) / rate) : 0;
    lineLength_ = std::fprintf(stderr, "\rframe %ld/%ld  %.1f frames/s  %ld:%02ld left", done, total_,
                               rate, left / kSecondsPerMinute, left % kSecondsPerMinute);
    std::fflush(stderr);
}

void Progress::finish(long done, const std::string& summary)
{
    const double s = seconds();
    char line[512];
    std::snprintf(line, sizeof line, "%s in %.1f s (%.1f frames/s)", summary.c_str(), s, s > 0 ? done / s : 0.0);
    // Padded to cover the progress line it replaces.
    if (plain_)
        std::fprintf(stderr, "%s\n", line);
    else
        std::fprintf(stderr, "\r%-*s\n", lineLength_, line);
}

void Progress::breakLine()
{
    if (lineLength_ > 0)
        std::fputc('\n', stderr);
    lineLength_ = 0;
}
