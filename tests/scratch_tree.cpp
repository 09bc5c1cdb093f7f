#include "scratch_tree.h"

#include <algorithm>
#include <random>

namespace scratch {

namespace {
constexpr unsigned kGarbleSeed = 2005;

std::string randomBytes(std::size_t n)
{
    std::mt19937 gen(kGarbleSeed);
    std::string bytes(n, '\0');
    for (char& c : bytes)
        c = static_cast<char>(gen() & 0xff);
    return bytes;
}
}  // namespace

const char* damageName(Damage how)
{
    switch (how) {
    case Damage::Missing: return "missing";
    case Damage::Empty: return "empty";
    case Damage::Half: return "cut to half";
    case Damage::Garbled: return "random bytes";
    }
    return "?";
}

std::vector<std::string> gfxFiles()
{
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(kSourceDir / "gfx", ec))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

ScratchTree::ScratchTree(const fs::path& music) : root_(dir_.path())
{
    fs::create_directories(root_ / "gfx");
    fs::create_directories(root_ / "data");
    for (const std::string& f : gfxFiles())
        fs::create_symlink(kSourceDir / "gfx" / f, root_ / "gfx" / f);
    fs::create_symlink(music, root_ / kMusic);
}

void ScratchTree::damage(const std::string& rel, Damage how)
{
    const fs::path at = root_ / rel;
    const std::string bytes = slurp(at);
    fs::remove(at);
    if (how == Damage::Empty)
        spill(at, "");
    else if (how == Damage::Half)
        spill(at, bytes.substr(0, bytes.size() / 2));
    else if (how == Damage::Garbled)
        spill(at, randomBytes(bytes.size()));
}

void ScratchTree::restore(const std::string& rel)
{
    fs::remove(root_ / rel);
    fs::create_symlink(kSourceDir / rel, root_ / rel);
}

}  // namespace scratch
