#include "program_folder.h"

#ifdef _WIN32
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <memory>
#include <vector>

namespace {
constexpr DWORD kLongestPath = 32768;  // the limit of Windows' wide-character paths
}

bool enterProgramFolder()
{
    std::vector<wchar_t> exe(kLongestPath);
    const DWORD n = GetModuleFileNameW(nullptr, exe.data(), kLongestPath);
    if (n == 0 || n >= kLongestPath)
        return false;
    wchar_t* lastSeparator = std::wcsrchr(exe.data(), L'\\');
    if (!lastSeparator)
        return false;
    // The separator stays: "C:" alone would mean drive C's current folder.
    lastSeparator[1] = L'\0';
    return SetCurrentDirectoryW(exe.data()) != 0;
}

std::string pathFromStartFolder(const std::string& path)
{
    if (path.empty())
        return path;
    const std::unique_ptr<char, decltype(&std::free)> absolute(_fullpath(nullptr, path.c_str(), 0),
                                                               &std::free);
    return absolute ? std::string(absolute.get()) : path;
}
#else
bool enterProgramFolder()
{
    return true;
}

std::string pathFromStartFolder(const std::string& path)
{
    return path;
}
#endif
