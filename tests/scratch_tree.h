// A temporary copy of the show's run-time layout (gfx/ and data/) in which a
// test breaks or rewrites asset files: links to the real files, except for
// the ones a test replaces by files of its own.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "harness.h"

namespace scratch {

namespace fs = std::filesystem;
using harness::slurp;
using harness::spill;

inline const fs::path kSourceDir = FROSTHEM_SOURCE_DIR;
inline const char* const kMusic = "data/demo.mp3";
// Half a second of tone, for runs that need a music file that loads but not
// three minutes of one to decode before every start.
inline const fs::path kShortMusic = kSourceDir / "tests/data/sine861_44k_stereo.mp3";

enum class Damage { Missing, Empty, Half, Garbled };
inline constexpr Damage kEveryDamage[] = {Damage::Missing, Damage::Empty, Damage::Half, Damage::Garbled};
const char* damageName(Damage how);

// The names under gfx/ in the source tree, sorted.
std::vector<std::string> gfxFiles();

class ScratchTree {
public:
    // Links every file under gfx/, and `music` as data/demo.mp3.
    explicit ScratchTree(const fs::path& music = kSourceDir / kMusic);

    const fs::path& root() const { return root_; }
    // Replaces `rel` (relative to the tree) by a damaged copy of what it
    // holds now; random bytes come from a fixed seed, the same every run.
    void damage(const std::string& rel, Damage how);
    // Puts the link to the original back in place of `rel`.
    void restore(const std::string& rel);

private:
    harness::TempDir dir_;
    fs::path root_;
};

}  // namespace scratch
