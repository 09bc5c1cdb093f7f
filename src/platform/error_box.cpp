#include "error_box.h"

#ifdef _WIN32
#include <windows.h>

namespace {
const char* const kBoxTitle = "Frosthem: error";
}

void showErrorBox(const std::string& line)
{
    MessageBoxA(nullptr, line.c_str(), kBoxTitle, MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}
#else
void showErrorBox(const std::string&) {}
#endif
