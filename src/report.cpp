#include "report.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "error_box.h"

namespace {

bool boxes = false;

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
    if (boxes)
        showErrorBox(line);
}

void reportNotice(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    print(formatted(format, args));
    va_end(args);
}
