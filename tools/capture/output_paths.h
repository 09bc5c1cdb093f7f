// Where the renderer's files may go: its folders made and taken back, and
// the paths it refuses before any work is spent.
#pragma once

#include <string>
#include <vector>

// Makes the directory (and its parents) and checks that files can go in it,
// before minutes of rendering are spent. The folders it makes are listed in
// `made`, outermost first.
bool prepareDir(const std::string& dir, std::vector<std::string>& made, std::string& error);
// Why `dir` cannot be a writable folder, or "" when it is one or could be
// made as one: the nearest part of it that is there is a writable folder.
std::string dirRefusal(const std::string& dir);
// Takes away the folders a run made, innermost first, when they are still
// empty: a run that wrote nothing leaves nothing.
void removeMadeDirs(const std::vector<std::string>& made);
// Why the video cannot go at `video`, or "" when it can: it is there as
// anything but a regular file, its folder cannot be had, or it is one of
// the files the run reads (the show's pictures and music, the sound
// written for the video in `audio`, the frames in `frameDir`).
std::string videoRefusal(const std::string& video, const std::string& frameDir, const std::string& audio);
// Checks that a file can be made at `path`, leaving nothing behind.
bool prepareFile(const std::string& path, std::string& error);
// Makes a folder of our own for temporary files, readable by us alone,
// under TMPDIR (or /tmp); its path goes to `path`.
bool makePrivateDir(std::string& path, std::string& error);
