// Every asset file broken every way, against the real program: each picture
// and font missing, empty, cut to half its length and replaced by random bytes
// must stop start-up with one line naming the file; the music broken the same
// ways must leave the show running in silence. Files that lie about their
// size or glyph count are refused before a library reads them; ctest runs
// those cases once more under valgrind (FROSTHEM_TEST_WRAPPER), since the
// sanitizers cannot see inside SGE and SDL_image.
#include <gtest/gtest.h>

#include <SDL.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "harness.h"
#include "hostile_files.h"
#include "scratch_tree.h"
#include "show.h"

namespace {

using namespace scratch;

constexpr double kLoadLimitSeconds = 10;  // generous: sanitizer builds start slower
constexpr double kWrappedLoadLimitSeconds = 120;  // valgrind runs everything some 30 times slower
constexpr double kMusicRunSeconds = 2;

// The program, behind FROSTHEM_TEST_WRAPPER's words when it is set.
std::vector<std::string> showCommand()
{
    std::vector<std::string> argv;
    const char* wrapper = std::getenv("FROSTHEM_TEST_WRAPPER");
    std::stringstream words(wrapper ? wrapper : "");
    for (std::string w; words >> w;)
        argv.push_back(w);
    argv.push_back(FROSTHEM_BINARY);
    return argv;
}

double loadLimitSeconds()
{
    return showCommand().size() > 1 ? kWrappedLoadLimitSeconds : kLoadLimitSeconds;
}

// The real program started in `dir` with SDL's dummy drivers (`audio` none
// for SDL's own choice).
class ShowProcess : public harness::Program {
public:
    explicit ShowProcess(const fs::path& dir, const char* audio = "SDL_AUDIODRIVER=dummy")
        : Program({showCommand(), dir, {"SDL_VIDEODRIVER=dummy", audio}})
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
    EXPECT_TRUE(show.waitExit(loadLimitSeconds())) << "still running: " << file << " was taken";
    show.stop();
    const std::string err = show.err();
    EXPECT_EQ(show.exitCode(), 1) << show.howItEnded() << "\n" << err;
    EXPECT_TRUE(oneLineWithReason(err, "frosthem: cannot load \"" + file + "\": ")) << err;
    // SDL's and SGE's own words name no reason.
    EXPECT_EQ(err.find("Couldn't open"), std::string::npos) << err;
    EXPECT_EQ(err.find("Couldn't load font file"), std::string::npos) << err;
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

// The runs side by side. Music that is not there or not music stops the
// start-up with one line; the first half of an MP3 still decodes, and then
// that half plays.
TEST(BrokenMusic, StopsStartUpSayingSoOnce)
{
    std::vector<std::unique_ptr<ScratchTree>> trees;
    std::vector<std::unique_ptr<ShowProcess>> shows;
    for (Damage how : kEveryDamage) {
        trees.push_back(std::make_unique<ScratchTree>());
        trees.back()->damage(kMusic, how);
        shows.push_back(std::make_unique<ShowProcess>(trees.back()->root()));
    }
    const std::string line = std::string("frosthem: cannot load music \"") + kMusic + "\": ";
    for (std::size_t i = 0; i < shows.size(); i++) {
        const Damage how = kEveryDamage[i];
        SCOPED_TRACE(damageName(how));
        if (how == Damage::Half) {
            std::this_thread::sleep_for(std::chrono::duration<double>(kMusicRunSeconds));
            EXPECT_FALSE(shows[i]->waitExit(0)) << "ended before it was asked to";
        } else {
            EXPECT_TRUE(shows[i]->waitExit(loadLimitSeconds())) << "still running with broken music";
        }
        shows[i]->stop();
        const std::string err = shows[i]->err();
        EXPECT_EQ(shows[i]->exitCode(), how == Damage::Half ? 0 : kStartFailed)
            << shows[i]->howItEnded() << "\n" << err;
        if (how != Damage::Half || !err.empty()) {
            EXPECT_TRUE(oneLineWithReason(err, line)) << err;
        }
    }
}

namespace {

struct Lie {
    const char* what;
    std::string file;  // the file stopped at
    std::string said;  // what its line must say
    std::function<void(const fs::path& root)> make;
};

void replaceBy(const fs::path& at, const std::function<void(const fs::path&)>& write)
{
    fs::remove(at);
    write(at);
}

}  // namespace

// Each case stops at the file it names, having read only its header (or top
// row): the decoders would try to allocate the claimed size, and SGE keeps
// at most 127 glyph positions in its fixed block.
TEST(HostileFile, ClaimsAreRefusedBeforeDecoding)
{
    const Lie lies[] = {
        {"a font with 150 glyph marks", "gfx/mario3.bmp", "150 glyph marks",
         [](const fs::path& root) {
             replaceBy(root / "gfx/mario3.bmp", [](const fs::path& at) { hostile::writeFontWithMarks(at, 150); });
         }},
        // 127 marks load, so the run gets as far as the first picture.
        {"a font with 127 glyph marks, then a PNG of 16383 x 60000", "gfx/mun_1.png", "16383x60000",
         [](const fs::path& root) {
             replaceBy(root / "gfx/newfont.bmp", [](const fs::path& at) { hostile::writeFontWithMarks(at, 127); });
             replaceBy(root / "gfx/mun_1.png",
                       [](const fs::path& at) { hostile::writePngClaiming(at, 16383, 60000); });
         }},
        {"a BMP of 30000 x 30000 as a font", "gfx/newfont_inverted.bmp", "30000x30000",
         [](const fs::path& root) {
             replaceBy(root / "gfx/newfont_inverted.bmp",
                       [](const fs::path& at) { hostile::writeBmpClaiming(at, 30000, -30000); });
         }},
        {"a picture of 70000 x 160", "gfx/mun_2.png", "70000x160",
         [](const fs::path& root) {
             replaceBy(root / "gfx/mun_2.png", [](const fs::path& at) { hostile::writePngClaiming(at, 70000, 160); });
         }},
    };
    for (const Lie& lie : lies) {
        SCOPED_TRACE(lie.what);
        ScratchTree tree(kShortMusic);
        lie.make(tree.root());
        ShowProcess show(tree.root());
        ASSERT_TRUE(show.waitExit(loadLimitSeconds())) << "still running";
        const std::string err = show.err();
        EXPECT_EQ(show.exitCode(), 1) << show.howItEnded() << "\n" << err;
        EXPECT_TRUE(oneLineWithReason(err, "frosthem: cannot load \"" + lie.file + "\": ")) << err;
        EXPECT_NE(err.find(lie.said), std::string::npos) << err;
    }
}

// The logo goes through SDL's own BMP loader, not SDL_image.
TEST(HostileFile, HugeBmpLogoIsRefusedBeforeDecoding)
{
    ScratchTree tree(kShortMusic);
    replaceBy(tree.root() / "gfx/frosthemliten.bmp",
              [](const fs::path& at) { hostile::writeBmpClaiming(at, 30000, 30000); });
    ShowProcess show(tree.root());
    ASSERT_TRUE(show.waitExit(loadLimitSeconds())) << "still running";
    EXPECT_EQ(show.exitCode(), 1) << show.howItEnded();
    EXPECT_TRUE(oneLineWithReason(show.err(), "frosthem: cannot load \"gfx/frosthemliten.bmp\": ")) << show.err();
    EXPECT_NE(show.err().find("30000x30000"), std::string::npos) << show.err();
}

// The line gives the system's reason, which SDL's "Couldn't open" leaves out.
TEST(HostileFile, UnopenableFilesSayWhy)
{
    ScratchTree tree(kShortMusic);
    const fs::path top = tree.root() / "gfx/top.png";
    fs::remove(top);
    fs::create_symlink("top.png", top);
    expectStartUpStops(tree, "gfx/top.png");
    tree.restore("gfx/top.png");

    fs::remove(tree.root() / "gfx/mario3.bmp");
    fs::create_directory(tree.root() / "gfx/mario3.bmp");
    expectStartUpStops(tree, "gfx/mario3.bmp");
    tree.restore("gfx/mario3.bmp");

    if (geteuid() == 0)
        return;  // root reads whatever the permissions say
    fs::remove(top);
    fs::copy_file(kSourceDir / "gfx/top.png", top);
    fs::permissions(top, fs::perms::none);
    expectStartUpStops(tree, "gfx/top.png");
}

// A folder in the music's place is named for what it is.
TEST(BrokenMusic, FolderIsNamedAsOne)
{
    ScratchTree tree;
    fs::remove(tree.root() / kMusic);
    fs::create_directory(tree.root() / kMusic);
    ShowProcess show(tree.root());
    EXPECT_TRUE(show.waitExit(loadLimitSeconds())) << "still running with a folder for music";
    show.stop();
    EXPECT_EQ(show.exitCode(), kStartFailed) << show.howItEnded();
    EXPECT_EQ(show.err(), std::string("frosthem: cannot load music \"") + kMusic + "\": Is a directory\n");
}

// SDL's own choice of audio driver where there may be no sound card: ALSA
// says eight lines about the missing card; the user sees ours alone.
TEST(BrokenMusic, NoSoundDeviceIsOneLine)
{
    ScratchTree tree(kShortMusic);
    ShowProcess show(tree.root(), "SDL_AUDIODRIVER=");
    std::this_thread::sleep_for(std::chrono::duration<double>(kMusicRunSeconds));
    show.stop();
    const std::string err = show.err();
    EXPECT_EQ(show.exitCode(), 0) << show.howItEnded() << "\n" << err;
    EXPECT_TRUE(err.empty() || oneLineWithReason(err, "frosthem: no audio device (")) << err;
}

// A FIFO or a device in a file's place is refused before it is read, so
// nothing waits on it; music in another format is named for what it looks
// like. Each says its one line at once and stops the start-up, the music
// as a picture does.
TEST(HostileFile, SpecialFilesAndOtherSoundFormatsAreNamedAtOnce)
{
    const double limit = showCommand().size() > 1 ? kWrappedLoadLimitSeconds : 2.0;
    const auto fifo = [](const fs::path& at) { ASSERT_EQ(mkfifo(at.c_str(), 0600), 0); };
    const auto bytes = [](std::string b) { return [b](const fs::path& at) { spill(at, b); }; };
    const std::string riff = std::string("RIFF\x24\x10\0\0WAVEfmt ", 16) + std::string(64, '\x01');
    const std::string music = std::string("frosthem: cannot load music \"") + kMusic + "\": ";
    const Lie cases[] = {
        {"a FIFO as a picture", "gfx/top.png", "frosthem: cannot load \"gfx/top.png\": it is a FIFO, not a regular file",
         fifo},
        {"a FIFO as the music", kMusic, music + "it is a FIFO, not a regular file", fifo},
        {"WAV", kMusic, music + "not an MP3 file (it looks like WAV)", bytes(riff)},
        {"Ogg", kMusic, music + "not an MP3 file (it looks like Ogg)", bytes("OggS" + std::string(60, '\x02'))},
        {"FLAC", kMusic, music + "not an MP3 file (it looks like FLAC)", bytes("fLaC" + std::string(60, '\x03'))},
        {"zeros", kMusic, music + "not an MP3 file (it starts with nothing but zero bytes)",
         bytes(std::string(4096, '\0'))},
    };
    for (const Lie& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchTree tree;
        replaceBy(tree.root() / c.file, c.make);
        ShowProcess show(tree.root());
        EXPECT_TRUE(show.waitExit(limit)) << "still running after " << limit << " s";
        EXPECT_EQ(show.err(), c.said + "\n");
        show.stop();
        EXPECT_EQ(show.exitCode(), 1) << show.howItEnded();
    }
}
