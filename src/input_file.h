// Opening the show's own files (pictures, fonts, music) for reading, only
// when they are regular files: a FIFO or a device would make start-up wait
// for ever, or read without end.
#pragma once

#include <sys/stat.h>

#include <string>

// What a file of mode `mode` is, in words for a message: "a FIFO", "a
// device", "a folder", "a symbolic link", "a socket", "a special file";
// empty for a regular file.
std::string fileKind(mode_t mode);

// Opens `path` for reading without waiting on it. Anything but a regular
// file is refused: returns -1 with `reason` set (the system's words when
// it cannot be opened, or "Is a directory"; else "it is a FIFO, not a
// regular file" and the like).
int openInputFile(const char* path, std::string& reason);

// For tests that feed a file in slowly through a FIFO: while on, a FIFO is
// let through and opened as any file is, waiting for its writer.
void acceptPipedInput(bool on);
