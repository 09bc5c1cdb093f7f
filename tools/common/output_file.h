// Files the renderer writes. Each is made under a fresh name of its own in
// the folder it goes to (created exclusively, never through a link), and is
// renamed into place only when whole, so a stopped or failed run leaves
// nothing half-written and never writes through or removes a file it did
// not make.
#pragma once

#include <cstdio>
#include <string>

class OutputFile {
public:
    OutputFile() = default;
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;
    ~OutputFile() { discard(); }

    // Creates the file that will become `path`. False, with `error` set,
    // when it cannot be made or `path` is there as anything but a regular file.
    bool create(const std::string& path, std::string& error);
    // The file being written, as a stream and as a descriptor.
    std::FILE* stream() const { return file_; }
    int fd() const;
    // The name it is written under until it is whole.
    const std::string& partPath() const { return part_; }
    // Flushes and closes it, then renames it to its path, replacing a
    // regular file of that name. On failure the file is removed.
    bool commit(std::string& error);
    // Closes and removes the unfinished file; nothing else is touched.
    void discard();
    bool open() const { return !part_.empty(); }

private:
    std::string path_;
    std::string part_;
    std::FILE* file_ = nullptr;
};

// Why `path` cannot be written over: it is there as a folder, a link, a
// FIFO, a device or a socket. Empty when it is absent or a regular file.
std::string notWritableOver(const std::string& path);
