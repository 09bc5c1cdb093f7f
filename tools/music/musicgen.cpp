// Writes the show's music: arranges the carols, renders and mixes them and
// encodes the result to MP3. Every run writes the same bytes.
//   musicgen OUTPUT.mp3
#include "arrange.h"
#include "encode.h"
#include "mixer.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

namespace {

// Written whole under a new name of our own, then renamed over the
// output, so a failed run never leaves half a file behind.
bool writeWhole(const std::string& path, const std::vector<unsigned char>& bytes, std::string& error)
{
    const std::string partial = path + ".partial";
    const int fd = ::open(partial.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0644);
    if (fd < 0) {
        error = partial + ": " + std::strerror(errno);
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    const int writeErrno = errno;
    const bool closed = ::close(fd) == 0;
    if (done != bytes.size() || !closed || std::rename(partial.c_str(), path.c_str()) != 0) {
        error = "writing " + path + " failed: " + std::strerror(done != bytes.size() ? writeErrno : errno);
        ::unlink(partial.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.mp3\n", argv[0]);
        return 2;
    }
    std::vector<unsigned char> mp3;
    try {
        const Song song = arrangeSong();
        std::string error;
        if (!encodeMp3(mixSong(song), mp3, error)) {
            std::fprintf(stderr, "musicgen: %s\n", error.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "musicgen: %s\n", e.what());
        return 1;
    }
    std::string error;
    if (!writeWhole(argv[1], mp3, error)) {
        std::fprintf(stderr, "musicgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
