#include "error_box.h"

#include <cstdio>

#ifdef _WIN32
#include <windows.h>

namespace {
const char* const kBoxTitle = "Frosthem: error";
const char* const kNoticeTitle = "Frosthem";

// A program built for the window subsystem gets no console of its own;
// the one it was started from is borrowed, and standard output or error
// pointed at it unless the starter redirected them.
bool attachedToConsole(DWORD handle, FILE* stream)
{
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return false;
    const HANDLE current = GetStdHandle(handle);
    if (current == nullptr || current == INVALID_HANDLE_VALUE)
        return std::freopen("CONOUT$", "w", stream) != nullptr;
    return true;
}
}  // namespace

void showErrorBox(const std::string& line)
{
    MessageBoxA(nullptr, line.c_str(), kBoxTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

void tellViewer(const std::string& text, bool isError)
{
    FILE* stream = isError ? stderr : stdout;
    const bool console = attachedToConsole(isError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE, stream);
    std::fputs(text.c_str(), stream);
    std::fflush(stream);
    if (!console)
        MessageBoxA(nullptr, text.c_str(), isError ? kBoxTitle : kNoticeTitle,
                    MB_OK | MB_SETFOREGROUND | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}
#else
void showErrorBox(const std::string&) {}

void tellViewer(const std::string& text, bool isError)
{
    std::fputs(text.c_str(), isError ? stderr : stdout);
}
#endif
