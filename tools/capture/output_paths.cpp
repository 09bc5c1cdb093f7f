#include "output_paths.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "output_file.h"

namespace {

// Where the show's pictures and music are, seen from the program's folder.
const char* const kAssetFolders[] = {"gfx", "data"};

std::filesystem::path canonicalOf(const std::filesystem::path& p)
{
    std::error_code ec;
    const std::filesystem::path c = std::filesystem::weakly_canonical(p, ec);
    return ec ? p : c;
}

}  // namespace

bool prepareDir(const std::string& dir, std::vector<std::string>& made, std::string& error)
{
    std::error_code ec;
    std::vector<std::string> missing;
    for (std::filesystem::path p = dir; !p.empty() && !std::filesystem::exists(p, ec) && !ec;
         p = p.parent_path()) {
        missing.insert(missing.begin(), p.string());
        if (p == p.parent_path())
            break;
    }
    std::filesystem::create_directories(dir, ec);
    if (!ec)
        made = missing;
    if (!ec && !std::filesystem::is_directory(dir, ec))
        ec = std::make_error_code(std::errc::not_a_directory);
    if (!ec && access(dir.c_str(), W_OK) != 0)
        ec = std::error_code(errno, std::generic_category());
    if (ec)
        error = "cannot write to " + dir + ": " + ec.message();
    return !ec;
}

std::string dirRefusal(const std::string& dir)
{
    std::error_code ec;
    std::filesystem::path p = dir;
    while (!std::filesystem::exists(p, ec) && !ec && p.has_relative_path() && p != p.parent_path())
        p = p.parent_path();
    if (p.empty())
        p = ".";
    if (!ec && !std::filesystem::is_directory(p, ec))
        ec = std::make_error_code(std::errc::not_a_directory);
    if (!ec && access(p.string().c_str(), W_OK) != 0)
        ec = std::error_code(errno, std::generic_category());
    return ec ? ec.message() : "";
}

void removeMadeDirs(const std::vector<std::string>& made)
{
    for (auto it = made.rbegin(); it != made.rend(); ++it)
        rmdir(it->c_str());
}

std::string videoRefusal(const std::string& video, const std::string& frameDir, const std::string& audio)
{
    std::string why = notWritableOver(video);
    if (why.empty())
        why = dirRefusal(std::filesystem::path(video).parent_path().string());
    if (!why.empty())
        return why;
    const std::filesystem::path v = canonicalOf(video);
    if (!audio.empty() && v == canonicalOf(audio))
        return "it is where the sound goes, which the video is made from";
    const std::string name = v.filename().string();
    if (!frameDir.empty() && v.parent_path() == canonicalOf(frameDir) && name.rfind("frame_", 0) == 0)
        return "the frames go there";
    for (const char* assets : kAssetFolders) {
        if (v.parent_path() == canonicalOf(assets))
            return "it is among the show's own files";
    }
    return "";
}

bool prepareFile(const std::string& path, std::string& error)
{
    OutputFile probe;
    return probe.create(path, error);
}

bool makePrivateDir(std::string& path, std::string& error)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/frosthem-capture-XXXXXX";
#ifdef _WIN32
    (void)path;
    error = "no temporary folder for the sound on this system: give --out";
    return false;
#else
    if (mkdtemp(pattern.data()) == nullptr) {
        error = "cannot make a temporary folder in " + std::string(tmp && *tmp ? tmp : "/tmp") + ": " +
                std::strerror(errno);
        return false;
    }
    path = pattern;
    return true;
#endif
}
