#include "standard_streams.h"

#ifdef _WIN32
// A windowed Windows program has no console streams to begin with, and its
// C library keeps them apart from the files it opens.
void keepStandardStreamsOpen() {}
#else
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

void keepStandardStreamsOpen()
{
    for (int fd = STDIN_FILENO; fd <= STDERR_FILENO; fd++) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // open() takes the lowest free descriptor: this one.
        const int opened = open("/dev/null", O_RDWR);
        if (opened >= 0 && opened != fd)
            close(opened);
    }
}
#endif
