// Every asset file broken every way, against the real program: each picture
// and font missing, empty, cut to half its length and replaced by random bytes
// must stop start-up with one line naming the file; the music broken the same
// ways must leave the show running in silence.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "harness.h"
#include "scratch_tree.h"

namespace {

using namespace scratch;

constexpr double kLoadLimitSeconds = 10;  // generous: sanitizer builds start slower
constexpr double kMusicRunSeconds = 2;

// The real program started in `dir` with SDL's dummy drivers.
class ShowProcess : public harness::Program {
public:
    explicit ShowProcess(const fs::path& dir)
        : Program({{FROSTHEM_BINARY}, dir, {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=dummy"}})
    {
    }
};

// True when `err` is one line starting with `prefix` and giving a reason.
bool oneLineWithReason(const std::string& err, const std::string& prefix)
{
    return err.rfind(prefix, 0) == 0 && err.size() > prefix.size() + 1 &&
           err.find('\n') == err.size() - 1;
}

// Starts the show in `tree` and expects start-up to stop: exit code 1 and
// one line naming `file` with a reason.
void expectStartUpStops(const ScratchTree& tree, const std::string& file)
{
    ShowProcess show(tree.root());
    EXPECT_TRUE(show.waitExit(kLoadLimitSeconds)) << "still running: " << file << " was taken";
    show.stop();
    const std::string err = show.err();
    EXPECT_EQ(show.exitCode(), 1) << show.howItEnded() << "\n" << err;
    EXPECT_TRUE(oneLineWithReason(err, "frosthem: cannot load \"" + file + "\": ")) << err;
}

// "boll0001.png" as boll0001_png: test names take letters, digits and '_'.
std::string fileCaseName(const testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    return name;
}

class BrokenPicture : public testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(BrokenPicture, StopsStartUpWithOneLineNamingTheFile)
{
    const std::string file = "gfx/" + GetParam();
    ScratchTree tree(kShortMusic);
    for (Damage how : kEveryDamage) {
        SCOPED_TRACE(file + " " + damageName(how));
        tree.damage(file, how);
        expectStartUpStops(tree, file);
        tree.restore(file);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryFile, BrokenPicture, testing::ValuesIn(gfxFiles()), fileCaseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(BrokenPicture);

namespace {

const char* const kFonts[] = {"gfx/mario3.bmp", "gfx/newfont.bmp", "gfx/newfont_inverted.bmp"};

// Rewrites the BMP at `at` as its own left half: a font with half its glyphs.
void keepLeftHalf(const fs::path& at)
{
    SDL_Surface* whole = SDL_LoadBMP(at.c_str());
    ASSERT_NE(whole, nullptr) << at << ": " << SDL_GetError();
    const SDL_PixelFormat* f = whole->format;
    SDL_Surface* half = SDL_CreateRGBSurface(SDL_SWSURFACE, whole->w / 2, whole->h, f->BitsPerPixel,
                                             f->Rmask, f->Gmask, f->Bmask, f->Amask);
    SDL_BlitSurface(whole, nullptr, half, nullptr);
    ASSERT_EQ(SDL_SaveBMP(half, at.c_str()), 0) << at;
    SDL_FreeSurface(half);
    SDL_FreeSurface(whole);
}

struct FontStandIn {
    const char* what;
    std::function<void(const std::string& font, const fs::path& at)> make;
};

}  // namespace

// What SGE opens although it is no font, and a damaged PNG, which the font
// loader reads through SDL_image (and so libpng) like any picture.
TEST(BrokenFont, PictureInItsPlaceStopsStartUp)
{
    const FontStandIn standIns[] = {
        {"replaced by the logo",
         [](const std::string&, const fs::path& at) { fs::copy_file(kSourceDir / "gfx/frosthemliten.bmp", at); }},
        {"cut to its left half",
         [](const std::string& font, const fs::path& at) {
             fs::copy_file(kSourceDir / font, at);
             keepLeftHalf(at);
         }},
        {"replaced by half a PNG",
         [](const std::string&, const fs::path& at) {
             const std::string png = slurp(kSourceDir / "gfx/bubbla.png");
             spill(at, png.substr(0, png.size() / 2));
         }},
    };
    ScratchTree tree(kShortMusic);
    for (const char* font : kFonts) {
        for (const FontStandIn& standIn : standIns) {
            SCOPED_TRACE(std::string(font) + " " + standIn.what);
            fs::remove(tree.root() / font);
            standIn.make(font, tree.root() / font);
            expectStartUpStops(tree, font);
            tree.restore(font);
        }
    }
}

// The four runs side by side: each plays for the same couple of seconds.
TEST(BrokenMusic, ShowPlaysOnInSilenceSayingSoOnce)
{
    std::vector<std::unique_ptr<ScratchTree>> trees;
    std::vector<std::unique_ptr<ShowProcess>> shows;
    for (Damage how : kEveryDamage) {
        trees.push_back(std::make_unique<ScratchTree>());
        trees.back()->damage(kMusic, how);
        shows.push_back(std::make_unique<ShowProcess>(trees.back()->root()));
    }
    std::this_thread::sleep_for(std::chrono::duration<double>(kMusicRunSeconds));
    const std::string line = std::string("frosthem: cannot load music \"") + kMusic + "\": ";
    for (std::size_t i = 0; i < shows.size(); i++) {
        const Damage how = kEveryDamage[i];
        SCOPED_TRACE(damageName(how));
        EXPECT_FALSE(shows[i]->waitExit(0)) << "ended before it was asked to";
        shows[i]->stop();
        const std::string err = shows[i]->err();
        EXPECT_EQ(shows[i]->exitCode(), 0) << shows[i]->howItEnded() << "\n" << err;
        // The first half of an MP3 still decodes: then half the music plays.
        if (how != Damage::Half || !err.empty()) {
            EXPECT_TRUE(oneLineWithReason(err, line)) << err;
        }
    }
}
