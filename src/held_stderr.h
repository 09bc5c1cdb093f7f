// Standard error held in a pipe while a library call runs, so that what the
// library prints on its own can be folded into our one line, or dropped.
#pragma once

#include <string>

class HeldStderr {
public:
    HeldStderr();
    ~HeldStderr() { release(); }
    HeldStderr(const HeldStderr&) = delete;
    HeldStderr& operator=(const HeldStderr&) = delete;

    // Gives standard error back and returns what was printed meanwhile.
    std::string release();

private:
    int saved_ = -1;
    int held_ = -1;
};

// " (line one; line two)" from held library output, or "" when none.
std::string asDetail(std::string text);
