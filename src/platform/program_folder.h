// Where the show finds gfx/ and data/. Installed on Linux, launchers change
// into the asset folder first; on Windows the assets lie beside the exe,
// which may be started from any folder (a double click, a shortcut, a
// console elsewhere), so the program changes there itself.
#pragma once

#include <string>

// Windows: makes the exe's own folder the working directory. Elsewhere it
// does nothing. Returns false, leaving the folder as it was, on failure.
bool enterProgramFolder();

// `path` made to keep meaning what it meant in the starting folder after
// enterProgramFolder (absolute on Windows; unchanged elsewhere).
std::string pathFromStartFolder(const std::string& path);
