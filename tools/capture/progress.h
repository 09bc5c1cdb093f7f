// The progress line on standard error, rewritten in place a few times a
// second, and the summary at the end. Wall-clock time, not the show's ticks.
#pragma once

#include <chrono>
#include <string>

class Progress {
public:
    using Clock = std::chrono::steady_clock;
    using Now = Clock::time_point (*)();

    explicit Progress(long total);
    // Reads the time from `now` and takes standard error for a terminal
    // or not as `terminal` says: for tests.
    Progress(long total, Now now, bool terminal);
    // `done` frames of the total have been simulated.
    void update(long done);
    // Replaces the progress line with `summary` and the elapsed time.
    void finish(long done, const std::string& summary);
    // Ends the progress line, if one is showing, so a message can follow.
    void breakLine();
    double seconds() const;

private:
    Now now_;
    long total_;
    Clock::time_point begin_;
    Clock::time_point lastShown_;
    long lastDone_ = 0;
    double rate_ = 0;  // frames a second, smoothed
    int lineLength_ = 0;
    // Not a terminal (a log, a pipe): plain lines at each tenth instead of
    // one line rewritten in place.
    bool plain_ = false;
    int tenthsShown_ = 0;
};
