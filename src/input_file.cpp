#include "input_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

#ifdef _WIN32
constexpr int kReadFlags = O_RDONLY | O_BINARY;
#else
// Non-blocking, so opening a FIFO with no writer returns at once; the mode
// is looked at before a byte is read.
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
#endif

bool pipedInputAccepted = false;

}  // namespace

void acceptPipedInput(bool on)
{
    pipedInputAccepted = on;
}

std::string fileKind(mode_t mode)
{
    if (S_ISREG(mode))
        return "";
    const struct {
        bool is;
        const char* kind;
    } kinds[] = {
        {S_ISDIR(mode), "a folder"},
        {S_ISCHR(mode), "a device"},
#ifndef _WIN32
        {S_ISBLK(mode), "a device"},
        {S_ISFIFO(mode), "a FIFO"},
        {S_ISLNK(mode), "a symbolic link"},
        {S_ISSOCK(mode), "a socket"},
#endif
    };
    for (const auto& k : kinds) {
        if (k.is)
            return k.kind;
    }
    return "a special file";
}

int openInputFile(const char* path, std::string& reason)
{
    const int fd = open(path, pipedInputAccepted ? O_RDONLY : kReadFlags);
    if (fd < 0) {
        reason = std::strerror(errno);
        return -1;
    }
    struct stat st;
    const bool statted = fstat(fd, &st) == 0;
#ifndef _WIN32
    if (statted && pipedInputAccepted && S_ISFIFO(st.st_mode))
        return fd;
#endif
    if (!statted || !S_ISREG(st.st_mode)) {
        reason = !statted               ? std::strerror(errno)
                 : S_ISDIR(st.st_mode) ? std::strerror(EISDIR)
                                       : "it is " + fileKind(st.st_mode) + ", not a regular file";
        close(fd);
        return -1;
    }
#ifndef _WIN32
    // A regular file reads the same either way; the decoders expect
    // ordinary blocking reads.
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
#endif
    return fd;
}
