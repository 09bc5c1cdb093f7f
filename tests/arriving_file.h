// A file that arrives slowly: a named pipe through which a thread of its own
// writes the first part of some bytes at once and the rest only when asked.
// A decoder reading it has only the first part until then.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "input_file.h"

class ArrivingFile {
public:
    ArrivingFile(std::string path, std::string bytes, std::size_t firstBytes)
        : path_(std::move(path)), bytes_(std::move(bytes)), first_(firstBytes)
    {
        ::unlink(path_.c_str());
        // The program refuses FIFOs as its files; this one stands for a slow disk.
        acceptPipedInput(true);
        ok_ = ::mkfifo(path_.c_str(), 0600) == 0;
        if (ok_)
            writer_ = std::thread([this] { write(); });
    }
    // However the test ends, the writer finishes and is joined.
    ~ArrivingFile()
    {
        sendRest();
        if (writer_.joinable())
            writer_.join();
        ::unlink(path_.c_str());
        acceptPipedInput(false);
    }
    ArrivingFile(const ArrivingFile&) = delete;
    ArrivingFile& operator=(const ArrivingFile&) = delete;

    bool ok() const { return ok_; }
    const char* path() const { return path_.c_str(); }
    void sendRest() { rest_.store(true); }

private:
    void write()
    {
        // Blocks until the reader opens the pipe.
        const int fd = ::open(path_.c_str(), O_WRONLY);
        if (fd < 0)
            return;
        std::size_t at = 0;
        while (at < bytes_.size()) {
            const std::size_t part = at < first_ ? first_ - at : bytes_.size() - at;
            const ssize_t n = ::write(fd, bytes_.data() + at, part);
            if (n <= 0)
                break;
            at += static_cast<std::size_t>(n);
            while (at == first_ && !rest_.load())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        ::close(fd);
    }

    std::string path_;
    std::string bytes_;
    std::size_t first_;
    bool ok_ = false;
    std::atomic<bool> rest_{false};
    std::thread writer_;
};
