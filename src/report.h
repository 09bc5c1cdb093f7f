// The show's one-line messages. On Windows, where a double-clicked program
// has no console to print to, an error is shown in a message box as well.
#pragma once

// Opt-in, for the show itself: the offline renderer and the tests run
// unattended, where a box would wait for a click that never comes.
void showErrorsInBox(bool on);

// printf-style; the line is printed to standard error with a newline.
void reportError(const char* format, ...) __attribute__((format(printf, 1, 2)));
// For what the show carries on after: standard error only.
void reportNotice(const char* format, ...) __attribute__((format(printf, 1, 2)));
