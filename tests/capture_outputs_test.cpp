// What the renderer may and may not do to the files around it: it never
// writes through a link, never removes or replaces what it did not make,
// refuses up front an output that is not a regular file or is one of its
// inputs, and a run that writes no frame leaves nothing at all.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "capture_run.h"
#include "geometry.h"
#include "harness.h"
#include "scratch_tree.h"

using namespace capturetest;
using scratch::ScratchTree;
namespace fs = std::filesystem;

namespace {

constexpr double kQuickSeconds = 10;  // far more than any of these runs needs
const char* const kKeep = "stood here before the run";

using Listing = std::map<std::string, std::string>;

// What a run left in `root` apart from what was there before: the listing
// after, less every entry that is the same in `before`; a changed or
// removed entry shows up as "changed" or "removed".
Listing changes(const Listing& before, const Listing& after)
{
    Listing diff;
    for (const auto& [name, what] : after) {
        const auto was = before.find(name);
        if (was == before.end())
            diff[name] = what.rfind("file ", 0) == 0 ? "new file" : what;
        else if (was->second != what)
            diff[name] = "changed";
    }
    for (const auto& [name, what] : before) {
        if (!after.count(name))
            diff[name] = "removed";
    }
    return diff;
}

struct Outcome {
    harness::ProgramResult run;
    Listing changed;
};

Outcome runIn(const ScratchTree& tree, const std::vector<std::string>& args, const std::string& path = "")
{
    const Listing before = snapshot(tree.root());
    harness::ProgramSpec spec{{FROSTHEM_CAPTURE_BINARY}, tree.root(), {}};
    spec.argv.insert(spec.argv.end(), args.begin(), args.end());
    if (!path.empty())
        spec.env.push_back("PATH=" + path);
    Outcome o{harness::runProgram(spec, kQuickSeconds), {}};
    o.changed = changes(before, snapshot(tree.root()));
    return o;
}

Listing framesAndSound(int frames, bool sound)
{
    Listing l{{"out", "folder"}};
    for (int k = 0; k < frames; k++)
        l["out/" + frameFileName(k)] = "new file";
    if (sound)
        l["out/audio.wav"] = "new file";
    return l;
}

struct TargetCase {
    const char* name;
    // Puts something at or near the video's path in `root`; returns the
    // --video argument, or "" when the case cannot be set up here.
    std::function<std::string(const fs::path& root)> plant;
    int exitCode;
    const char* said;
    Listing left;  // what the run adds or changes
};

}  // namespace

// Whatever stands at the video's path, a failing encoder leaves it as it
// was; what is not a regular file, or is one of the run's own inputs, is
// refused before anything is made.
TEST(CaptureOutputs, VideoTargetsAreNeverDestroyed)
{
    const TargetCase cases[] = {
        {"a file from before", [](const fs::path& r) { harness::spill(r / "v.mp4", kKeep); return "v.mp4"; }, 1,
         "ffmpeg failed encoding the frames", framesAndSound(6, true)},
        {"a symbolic link",
         [](const fs::path& r) {
             harness::spill(r / "victim", kKeep);
             fs::create_symlink(r / "victim", r / "v.mp4");
             return "v.mp4";
         },
         2, "cannot write to v.mp4: it is a symbolic link", {}},
        {"a FIFO", [](const fs::path& r) { return mkfifo((r / "v.mp4").c_str(), 0600) == 0 ? "v.mp4" : ""; }, 2,
         "cannot write to v.mp4: it is a FIFO", {}},
        {"a copy of /dev/full",
         [](const fs::path& r) { return mknod((r / "full").c_str(), S_IFCHR | 0600, makedev(1, 7)) == 0 ? "full" : ""; },
         2, "cannot write to full: it is a device", {}},
        {"a folder", [](const fs::path& r) { fs::create_directory(r / "v.mp4"); return "v.mp4"; }, 2,
         "cannot write to v.mp4: it is a folder", {}},
        {"the sound it is made from",
         [](const fs::path& r) {
             fs::create_directory(r / "out");
             harness::spill(r / "out/audio.wav", kKeep);
             return "out/audio.wav";
         },
         2, "cannot write to out/audio.wav: it is where the sound goes", {}},
        {"one of the frames", [](const fs::path&) { return "out/frame_000001.png"; }, 2, "the frames go there", {}},
        {"among the pictures", [](const fs::path&) { return "gfx/new.mp4"; }, 2, "among the show's own files", {}},
    };
    for (const TargetCase& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchTree tree(scratch::kShortMusic);
        const std::string video = c.plant(tree.root());
        if (video.empty()) {
            std::printf("(%s cannot be made here: case left out)\n", c.name);
            continue;
        }
        harness::TempDir bin;
        const Outcome o = runIn(tree, {"--out", "out", "--to", "0.1", "--video", video},
                                fakeEncoder(bin.path(), "cat >/dev/null; exit 1"));
        EXPECT_EQ(o.run.exitCode, c.exitCode) << o.run.err;
        EXPECT_NE(o.run.err.find(c.said), std::string::npos) << o.run.err;
        if (c.exitCode == 2) {  // refused before the show starts: that one line alone
            EXPECT_EQ(std::count(o.run.err.begin(), o.run.err.end(), '\n'), 1) << o.run.err;
        }
        EXPECT_EQ(o.changed, c.left);
    }
}

// A link planted where a file will go is never written through, and a
// run that ends before its first frame leaves no folder and no WAV.
TEST(CaptureOutputs, PlantedLinksAndEarlyEndsLeaveNothingOfOurs)
{
    struct Case {
        const char* name;
        std::function<void(const fs::path& root)> plant;
        std::vector<std::string> args;
        const char* path;  // PATH, or null for the test's own
        int exitCode;
        const char* said;
        Listing left;
    };
    const auto victimLinkAt = [](const std::string& rel) {
        return [rel](const fs::path& r) {
            harness::spill(r / "victim", kKeep);
            fs::create_directory(r / "out");
            fs::create_symlink(r / "victim", r / rel);
        };
    };
    const auto fifoAt = [](const std::string& rel) {
        return [rel](const fs::path& r) {
            fs::remove(r / rel);
            mkfifo((r / rel).c_str(), 0600);
        };
    };
    const Listing frame60{{"out/" + frameFileName(60), "new file"}};
    const Case cases[] = {
        {"a link at a frame's .part name", victimLinkAt("out/frame_000060.png.part"), {"--out", "out", "--at", "1"},
         nullptr, 0,
         "1 frame (1.000-1.000 s", frame60},
        {"a link at audio.wav", victimLinkAt("out/audio.wav"), {"--out", "out", "--to", "0.1"}, nullptr, 2,
         "cannot write to out/audio.wav: it is a symbolic link", {}},
        {"a missing picture", [](const fs::path& r) { fs::remove(r / "gfx/top.png"); },
         {"--out", "a/b/out", "--to", "0.1"}, nullptr, 1,
         "\"gfx/top.png\"", {}},
        {"a FIFO as a picture", fifoAt("gfx/top.png"), {"--out", "out", "--to", "0.1"}, nullptr, 1,
         "\"gfx/top.png\": it is a FIFO, not a regular file", {}},
        {"no ffmpeg", [](const fs::path&) {}, {"--out", "out", "--to", "0.1", "--video", "v.mp4"}, "/nonexistent", 1,
         "--video needs ffmpeg", {}},
        {"a FIFO as the music", fifoAt("data/demo.mp3"), {"--out", "out", "--to", "0.1"}, nullptr, 1,
         "\"data/demo.mp3\": it is a FIFO, not a regular file", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScratchTree tree(scratch::kShortMusic);
        c.plant(tree.root());
        const Outcome o = runIn(tree, c.args, c.path ? c.path : "");
        EXPECT_FALSE(o.run.timedOut);
        EXPECT_EQ(o.run.exitCode, c.exitCode) << o.run.err;
        EXPECT_NE(o.run.err.find(c.said), std::string::npos) << o.run.err;
        EXPECT_EQ(o.changed, c.left);
        if (fs::exists(tree.root() / "victim")) {
            EXPECT_EQ(harness::slurp(tree.root() / "victim"), kKeep);
        }
    }
}
