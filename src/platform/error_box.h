// A message box for an error, where a double-clicked program has no console
// to print to (Windows). Elsewhere the console line is all there is.
#pragma once

#include <string>

// Shows `line` in a box and waits for the viewer to close it; does nothing
// where there is no such box.
void showErrorBox(const std::string& line);
