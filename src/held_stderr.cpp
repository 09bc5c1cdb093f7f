#include "held_stderr.h"

#include <cstdio>

#ifdef _WIN32
// The Windows build's libraries print nothing of their own on standard error
// (its PNG loader puts libpng's words into the error itself), so nothing is
// held there and no pipe is needed.
HeldStderr::HeldStderr() = default;

std::string HeldStderr::release()
{
    return {};
}
#else
#include <fcntl.h>
#include <unistd.h>

HeldStderr::HeldStderr()
{
    int fds[2];
    std::fflush(stderr);
    if (pipe(fds) != 0)
        return;
    saved_ = dup(STDERR_FILENO);
    if (saved_ < 0 || dup2(fds[1], STDERR_FILENO) < 0) {
        close(fds[0]);
        close(fds[1]);
        if (saved_ >= 0)
            close(saved_);
        saved_ = -1;
        return;
    }
    // A flood of messages is cut off at the pipe's size rather than
    // blocking the call.
    fcntl(STDERR_FILENO, F_SETFL, fcntl(STDERR_FILENO, F_GETFL) | O_NONBLOCK);
    close(fds[1]);
    held_ = fds[0];
}

std::string HeldStderr::release()
{
    std::string text;
    if (saved_ < 0)
        return text;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);  // closes the pipe's last write end
    close(saved_);
    saved_ = -1;
    std::clearerr(stderr);  // a write that found the pipe full
    char buf[256];
    ssize_t n;
    while ((n = read(held_, buf, sizeof buf)) > 0)
        text.append(buf, static_cast<size_t>(n));
    close(held_);
    return text;
}
#endif

std::string asDetail(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    if (text.empty())
        return text;
    for (std::string::size_type i = 0; (i = text.find('\n', i)) != std::string::npos;)
        text.replace(i, 1, "; ");
    return " (" + text + ")";
}
