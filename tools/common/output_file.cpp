#include "output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "input_file.h"

namespace {

const char* const kPartSuffix = ".part";
constexpr int kNameTries = 100;  // fresh names tried before giving up on a crowded folder
constexpr int kNameLetters = 6;
const char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";

#ifdef _WIN32
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY;
#else
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC;
#endif
constexpr mode_t kFileMode = 0666;  // narrowed by the umask, as any new file is

// A name no one can guess ahead of the run: a file planted under the name
// a frame will take cannot block or redirect the write. The C library's
// rand() is the show's alone, so its sequence is not touched here.
std::string freshSuffix()
{
    static unsigned long long state =
        static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
        (static_cast<unsigned long long>(getpid()) << 32);
    std::string s = ".";
    for (int i = 0; i < kNameLetters; i++) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        s += kLetters[(state >> 33) % (sizeof kLetters - 1)];
    }
    return s + kPartSuffix;
}

}  // namespace

std::string notWritableOver(const std::string& path)
{
    struct stat st;
#ifdef _WIN32
    if (stat(path.c_str(), &st) != 0)
#else
    if (lstat(path.c_str(), &st) != 0)
#endif
        return "";
    const std::string kind = fileKind(st.st_mode);
    return kind.empty() ? "" : "it is " + kind;
}

int OutputFile::fd() const
{
    return file_ ? fileno(file_) : -1;
}

bool OutputFile::create(const std::string& path, std::string& error)
{
    discard();
    const std::string why = notWritableOver(path);
    if (!why.empty()) {
        error = "cannot write " + path + ": " + why;
        return false;
    }
    for (int i = 0; i < kNameTries; i++) {
        const std::string part = path + freshSuffix();
        const int fd = ::open(part.c_str(), kCreateFlags, kFileMode);
        if (fd < 0 && errno == EEXIST)
            continue;
        if (fd < 0)
            break;
        part_ = part;
        file_ = fdopen(fd, "wb");
        if (!file_) {
            const int saved = errno;
            ::close(fd);
            discard();
            errno = saved;
            break;
        }
        path_ = path;
        return true;
    }
    error = "cannot write " + path + ": " + std::strerror(errno);
    return false;
}

bool OutputFile::commit(std::string& error)
{
    if (!file_) {
        error = "cannot write " + path_ + ": not open";
        return false;
    }
    errno = 0;
    const bool written = std::fflush(file_) == 0 && !std::ferror(file_);
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!written || !closed) {
        error = "cannot write " + path_ + ": " + std::strerror(errno ? errno : EIO);
        discard();
        return false;
    }
    // Checked again: the path may have been taken by something else while
    // the file was written.
    const std::string why = notWritableOver(path_);
    if (!why.empty() || std::rename(part_.c_str(), path_.c_str()) != 0) {
        error = "cannot write " + path_ + ": " + (why.empty() ? std::strerror(errno) : why);
        discard();
        return false;
    }
    part_.clear();
    return true;
}

void OutputFile::discard()
{
    if (file_)
        std::fclose(file_);
    file_ = nullptr;
    if (!part_.empty())
        std::remove(part_.c_str());
    part_.clear();
}
