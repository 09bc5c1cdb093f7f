#include "report.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

bool boxes = false;

#ifdef _WIN32
const char* const kBoxTitle = "Frosthem: error";
#endif

std::string formatted(const char* format, va_list args)
{
    va_list again;
    va_copy(again, args);
    const int n = std::vsnprintf(nullptr, 0, format, again);
    va_end(again);
    std::string text(n > 0 ? static_cast<std::size_t>(n) : 0, '\0');
    if (n > 0)
        std::vsnprintf(&text[0], text.size() + 1, format, args);
    return text;
}

void print(const std::string& line)
{
    std::fprintf(stderr, "%s\n", line.c_str());
    std::fflush(stderr);
}

}  // namespace

void showErrorsInBox(bool on)
{
    boxes = on;
}

void reportError(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    const std::string line = formatted(format, args);
    va_end(args);
    print(line);
#ifdef _WIN32
    if (boxes)
        MessageBoxA(nullptr, line.c_str(), kBoxTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
#endif
}

void reportNotice(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    print(formatted(format, args));
    va_end(args);
}
