// Every check of a party folder reached once through the real programs: the
// problem located, exit code 2, and nothing started (no window, no sound, no
// output written).
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include <SDL.h>

#include "harness.h"
#include "hostile_files.h"

namespace {

namespace fs = std::filesystem;
using harness::spill;
using harness::TempDir;

const fs::path kSource = FROSTHEM_SOURCE_DIR;
const fs::path kExample = kSource / "examples/norrsken";
constexpr double kDeadline = 60;
constexpr int kPartyProblems = 2;

// A party folder with the files the cases name; party.toml and an
// invitation are written by each case.
void stock(const fs::path& dir)
{
    fs::copy_file(kExample / "music.mp3", dir / "long.mp3");
    fs::copy_file(kSource / "tests/data/sine861_44k_stereo.mp3", dir / "short.mp3");
    fs::copy_file(kExample / "aurora.png", dir / "photo.png");
    fs::copy_file(kExample / "hall.png", dir / "ready.png");
    fs::copy_file(kExample / "hall.strip.png", dir / "ready.strip.png");
    spill(dir / "noise.mp3", std::string(4096, 'x'));
    spill(dir / "text.png", "not a picture");
    hostile::writePngClaiming(dir / "huge.png", 100000, 100);
}

struct Case {
    const char* what;
    std::string toml;
    std::string invitation;  // written as inv.txt when not empty
    std::string expected;    // the located line, the folder named P
};

const std::string kInvite = "invitation = \"inv.txt\"\n";
const std::string kLong33(33, 'A');

const std::vector<Case>& cases()
{
    static const std::vector<Case> all = {
        {"TOML that does not parse", "caption = \n", "", "P/party.toml:1:11: "},
        {"an unknown key", "colour = \"red\"\n", "", "P/party.toml:1:1: unknown key 'colour'"},
        {"a value of the wrong type", "caption = 3\n", "",
         "P/party.toml:1:11: caption must be text in double quotes"},
        {"an empty value", "caption = \"\"\n", "", "P/party.toml:1:11: caption is empty"},
        {"a control character", "caption = \"A\\tB\"\n", "",
         "P/party.toml:1:11: caption holds the control character"},
        {"a file that is not there", "music = \"none.mp3\"\n", "",
         "P/party.toml:1:9: music: there is no file P/none.mp3"},
        {"a background letter the fonts lack", "background = \"ΩMEGA\"\n", "",
         "P/party.toml:1:14: background: 'Ω' (U+03A9) has no glyph in the font"},
        {"a logo picture and a logo line", "logo = \"ready.png\"\nlogo_text = \"X\"\n", "",
         "P/party.toml:2:13: a logo is a picture (logo) or a line of text (logo_text), not both"},
        {"a shadow without its logo", "logo_shadow = \"ready.png\"\n", "",
         "P/party.toml:1:15: logo_shadow is the shadow of a logo picture"},
        {"a logo line too long", "logo_text = \"" + std::string(25, 'N') + "\"\n", "",
         "P/party.toml:1:13: logo_text is longer than 24 characters"},
        {"a logo line not drawn yet", "logo_text = \"NORD\"\n", "",
         "P/party.toml:1:13: logo_text: P/logo-text.png is not prepared yet"},
        {"pictures that are not a list", "pictures = \"ready.png\"\n", "",
         "P/party.toml:1:12: pictures must be a list of 1 to 12 pictures"},
        {"a 13th picture", "pictures = [" + [] {
             std::string list;
             for (int i = 0; i < 13; i++)
                 list += "\"ready.png\", ";
             return list;
         }() + "]\n",
         "", "P/party.toml:1:169: the strip shows 12 pictures: this is the 13th"},
        {"a picture of the wrong type", "pictures = [3]\n", "",
         "P/party.toml:1:13: a picture is a file name in double quotes"},
        {"a picture without a file", "pictures = [{ focus = [1, 1] }]\n", "",
         "P/party.toml:1:13: a picture without a file"},
        {"an unknown key in a picture", "pictures = [{ file = \"ready.png\", size = 2 }]\n", "",
         "P/party.toml:1:35: unknown key 'size' in a picture"},
        {"a focus that is not a pixel", "pictures = [{ file = \"ready.png\", focus = [1] }]\n",
         "", "P/party.toml:1:43: focus must be [x, y]"},
        {"a focus outside its picture",
         "pictures = [{ file = \"ready.png\", focus = [99999, 1] }]\n", "",
         "P/party.toml:1:13: pictures: the focus (99999, 1) lies outside P/ready.png"},
        {"a picture not prepared", "pictures = [\"photo.png\"]\n", "",
         "P/party.toml:1:13: pictures: P/photo.strip.png is not prepared yet"},
        {"a picture that cannot be read", "logo = \"text.png\"\n", "",
         "P/party.toml:1:8: logo: P/text.png cannot be read"},
        {"a picture past the size guard", "pictures = [\"huge.png\"]\n", "",
         "P/party.toml:1:13: pictures: P/huge.png cannot be read"},
        {"music that does not decode", "music = \"noise.mp3\"\n", "",
         "P/party.toml:1:9: music: P/noise.mp3 cannot be played"},
        {"music shorter than the opening", "music = \"short.mp3\"\n", "",
         "P/party.toml:1:9: music: P/short.mp3 is"},
        {"an invitation line too wide", kInvite, kLong33 + "\n",
         "P/inv.txt:1:33: the line is 33 cells wide and at most 32 fit in the bubble"},
        {"a fifth line", kInvite, "A\nB\nC\nD\nE\n",
         "P/inv.txt:4:2: a page holds at most 4 lines and this '<' starts a fifth"},
        {"an invitation letter the fonts lack", kInvite, "AΩ\n",
         "P/inv.txt:1:2: 'Ω' (U+03A9) has no glyph in the font"},
        {"an unknown mark", kInvite, "A {wait 3}\n", "P/inv.txt:1:3: unknown mark {wait 3}"},
        {"a pause too long", kInvite, "A {pause 5000}\n",
         "P/inv.txt:1:3: a pause of 5000 positions is over a minute: at most 1000"},
        {"raw: a page whose last letter is lost", kInvite, "{raw}\n  #AB#CD @",
         "P/inv.txt:2:5: 'B' is the page's last position, which is never shown"},
        {"raw: a page too short", kInvite, "{raw}\n#AB @",
         "P/inv.txt:2:1: a page of fewer than 2 positions"},
        {"raw: no end mark", kInvite, "{raw}\n  #AB ",
         "P/inv.txt:2:6: the text does not end with '@'"},
        {"raw: an end mark too early", kInvite, "{raw}\n  #AB@C @",
         "P/inv.txt:2:6: '@' ends the text here and what follows is never typed"},
    };
    return all;
}

std::string located(std::string text, const fs::path& dir)
{
    for (size_t at; (at = text.find(dir.string())) != std::string::npos;)
        text.replace(at, dir.string().size(), "P");
    return text;
}

harness::ProgramResult run(const std::vector<std::string>& argv, const fs::path& folder = {})
{
    // No display and no sound device are given: a program that went past the
    // checks would fail to open them with another exit code and message.
    return harness::runProgram(
        {argv, folder, {"SDL_AUDIODRIVER=disk", "SDL_DISKAUDIOFILE=/dev/null"}}, kDeadline);
}

TEST(PartyProgram, EveryCheckStopsTheShowBeforeAnythingOpens)
{
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        stock(dir.path());
        spill(dir.path() / "party.toml", c.toml);
        if (!c.invitation.empty())
            spill(dir.path() / "inv.txt", c.invitation);
        const harness::ProgramResult r = run({FROSTHEM_BINARY, "--party", dir.path().string()});
        EXPECT_EQ(r.exitCode, kPartyProblems) << r.err;
        const std::string err = located(r.err, dir.path());
        EXPECT_NE(err.find(c.expected), std::string::npos) << err;
        EXPECT_NE(err.find("nothing was started"), std::string::npos) << err;
        EXPECT_EQ(err.find("no audio device"), std::string::npos) << err;
        EXPECT_EQ(err.find("display"), std::string::npos) << err;
    }
}

TEST(PartyProgram, AllProblemsAreReportedAtOnceInFileOrder)
{
    TempDir dir;
    stock(dir.path());
    spill(dir.path() / "party.toml", "music = \"short.mp3\"\ncolour = 1\n" + kInvite);
    spill(dir.path() / "inv.txt", "A {wait}\nB\nC\nD\nE\n\n" + kLong33 + "\n");
    const harness::ProgramResult r =
        run({FROSTHEM_BINARY, "--check", "--party", dir.path().string()});
    EXPECT_EQ(r.exitCode, kPartyProblems);
    const std::string err = located(r.err, dir.path());
    const size_t music = err.find("P/party.toml:1:9: music");
    const size_t key = err.find("P/party.toml:2:1: unknown key 'colour'");
    // A mark that does not compile hides none of the rules broken elsewhere.
    const size_t mark = err.find("P/inv.txt:1:3: unknown mark {wait}");
    const size_t lines = err.find("P/inv.txt:4:2: a page holds at most 4 lines");
    const size_t wide = err.find("P/inv.txt:7:33: the line is 33 cells wide");
    EXPECT_TRUE(music < key && key < mark && mark < lines && lines < wide) << err;
    EXPECT_NE(err.find("5 problems in the party"), std::string::npos) << err;
    EXPECT_EQ(r.out, "") << "no summary for a party with problems";
}

TEST(PartyProgram, TheRendererWritesNothingForAPartyWithProblems)
{
    TempDir dir;
    stock(dir.path());
    spill(dir.path() / "party.toml", "colour = 1\n");
    const fs::path out = dir.path() / "frames";
    const harness::ProgramResult r = run(
        {FROSTHEM_CAPTURE_BINARY, "--party", dir.path().string(), "--out", out.string(), "--at", "20"});
    EXPECT_EQ(r.exitCode, kPartyProblems) << r.err;
    EXPECT_NE(located(r.err, dir.path()).find("P/party.toml:1:1: unknown key 'colour'"),
              std::string::npos)
        << r.err;
    EXPECT_FALSE(fs::exists(out)) << "the output folder was made";
}

// The Windows zip and the web site carry their party as party/ beside the
// show's files; it is played, and checked, without --party.
TEST(PartyProgram, APartyFolderBesideTheShowIsPlayedWithoutBeingNamed)
{
    TempDir dir;
    fs::create_directory(dir.path() / "party");
    spill(dir.path() / "party/party.toml", "colour = 1\n");
    const harness::ProgramResult r = run({FROSTHEM_BINARY}, dir.path());
    EXPECT_EQ(r.exitCode, kPartyProblems) << r.err;
    EXPECT_NE(r.err.find("party/party.toml:1:1: unknown key 'colour'"), std::string::npos) << r.err;

    fs::create_symlink(kSource / "gfx", dir.path() / "gfx");
    fs::remove_all(dir.path() / "party");
    fs::copy(kExample, dir.path() / "party", fs::copy_options::recursive);
    const harness::ProgramResult ok = run({FROSTHEM_BINARY, "--check"}, dir.path());
    EXPECT_EQ(ok.exitCode, 0) << ok.err;
    EXPECT_NE(ok.out.find("typing advances: 691\n"), std::string::npos) << ok.out;
}

// What a party leaves out stays as the show has it: a party that sets only
// the caption renders the show's own frames.
TEST(PartyProgram, APartyOfOnlyACaptionRendersTheShowsOwnFrames)
{
    TempDir dir;
    spill(dir.path() / "party.toml", "caption = \"Only the title\"\n");
    const fs::path out = dir.path() / "frames";
    const harness::ProgramResult r = run(
        {FROSTHEM_CAPTURE_BINARY, "--party", dir.path().string(), "--out", out.string(), "--at", "25"},
        kSource);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(harness::slurp(out / "frame_001500.png") ==
                harness::slurp(kSource / "tests/golden/frame_001500.png"))
        << "the frame at 25 s differs from the show's own";
}

// A logo picture of the party's own, given without a shadow, has none: the
// frame is the one with a shadow that is all black, the logos' key colour.
TEST(PartyProgram, ALogoPictureWithoutAShadowDrawsNoShadow)
{
    TempDir dir;
    fs::copy_file(kExample / "logo-text.png", dir.path() / "logo.png");
    SDL_Surface* black = SDL_CreateRGBSurface(SDL_SWSURFACE, 200, 60, 24, 0, 0, 0, 0);
    ASSERT_NE(black, nullptr);
    SDL_FillRect(black, nullptr, 0);
    ASSERT_EQ(SDL_SaveBMP(black, (dir.path() / "black.bmp").c_str()), 0);
    SDL_FreeSurface(black);
    std::vector<std::string> frames;
    for (const char* toml : {"logo = \"logo.png\"\n",
                             "logo = \"logo.png\"\nlogo_shadow = \"black.bmp\"\n"}) {
        spill(dir.path() / "party.toml", toml);
        const fs::path out = dir.path() / ("frames" + std::to_string(frames.size()));
        const harness::ProgramResult r = run({FROSTHEM_CAPTURE_BINARY, "--party", dir.path().string(),
                                              "--out", out.string(), "--at", "25"},
                                             kSource);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        frames.push_back(harness::slurp(out / "frame_001500.png"));
    }
    EXPECT_FALSE(frames[0].empty());
    EXPECT_TRUE(frames[0] == frames[1]) << "a shadow is drawn where none was given";
    EXPECT_FALSE(frames[0] == harness::slurp(kSource / "tests/golden/frame_001500.png"))
        << "the party's logo is not drawn";
}

TEST(PartyProgram, CheckSummarisesTheExampleParty)
{
    const harness::ProgramResult r =
        run({FROSTHEM_BINARY, "--check", "--party", kExample.string()});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out,
              "pages: 10\n"
              "lines: 23\n"
              "typing advances: 691\n"
              "text on screen: 14.5 s at the fastest pace, 62.2 s at the slowest\n"
              "music: 24.0 s\n"
              "no problems found\n");
}

TEST(PartyProgram, CheckWithoutAPartySummarisesTheShowsOwn)
{
    const harness::ProgramResult r = run({FROSTHEM_BINARY, "--check"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // The built-in text: 29 pages, 1887 advances from the first call to the end.
    EXPECT_EQ(r.out.rfind("pages: 29\n", 0), 0u) << r.out;
    EXPECT_NE(r.out.find("typing advances: 1887\n"), std::string::npos) << r.out;
}

}  // namespace
