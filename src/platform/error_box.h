// A message box for an error, where a double-clicked program has no console
// to print to (Windows). Elsewhere the console line is all there is.
#pragma once

#include <string>

// Shows `line` in a box and waits for the viewer to close it; does nothing
// where there is no such box.
void showErrorBox(const std::string& line);

// What the command line asks to be told (help, version, a mistake in it):
// `text` printed to standard output, or standard error when `isError`.
// A Windows program started from Explorer or a shortcut has no console:
// there the text goes to the console of the cmd or PowerShell that started
// it when there is one, and into a box otherwise.
void tellViewer(const std::string& text, bool isError);
