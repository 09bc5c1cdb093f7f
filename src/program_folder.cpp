#include "program_folder.h"

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#include <system_error>
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
    const std::filesystem::path folder = std::filesystem::path(exe.data()).parent_path();
    return SetCurrentDirectoryW(folder.c_str()) != 0;
}

std::string pathFromStartFolder(const std::string& path)
{
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(path, ec);
    return ec || path.empty() ? path : absolute.string();
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
