// party.toml: what it sets, and every mistake reported at its place.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "party/party_file.h"
#include "temp_folder.h"

namespace {

namespace fs = std::filesystem;

// A party folder of its own for each test, with a few files to name.
class PartyFolder : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        for (const char* name :
             {"a.png", "b.jpg", "logo.png", "shadow.png", "tune.mp3", "words.txt"})
            write(name, "x");
        fs::create_directory(dir_ / "sub");
    }

    void write(const std::string& name, const std::string& text)
    {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }

    // The problems of a party.toml, with the folder's name left out.
    std::vector<std::string> problemsOf(const std::string& toml)
    {
        write("party.toml", toml);
        Party party;
        Problems problems;
        const bool ok = readParty(dir_.string(), party, problems);
        EXPECT_EQ(ok, problems.empty());
        return described(problems);
    }
};

TEST_F(PartyFolder, EveryEntryIsRead)
{
    write("party.toml", R"(# our party
name = "Norrsken LAN 2027"
dates = "15-17 January"
place = "Kiruna"
caption = "Norrsken LAN 2027 — välkommen"
background = "NORRSKENLAN Ö"
logo = "logo.png"
logo_shadow = "shadow.png"
music = "tune.mp3"
invitation = "words.txt"
pictures = ["a.png", { file = "b.jpg", focus = [640, 12] }]
)");
    Party party;
    Problems problems;
    ASSERT_TRUE(readParty(dir_.string(), party, problems));
    const std::string d = dir_.string() + "/";
    EXPECT_EQ(party.name, "Norrsken LAN 2027");
    EXPECT_EQ(party.dates, "15-17 January");
    EXPECT_EQ(party.place, "Kiruna");
    EXPECT_EQ(party.caption, "Norrsken LAN 2027 — välkommen");
    EXPECT_EQ(party.background, "NORRSKENLAN \x8a");  // Ö as its font code
    EXPECT_EQ(party.logo, d + "logo.png");
    EXPECT_EQ(party.logoShadow, d + "shadow.png");
    EXPECT_FALSE(party.logoText);
    EXPECT_EQ(party.music, d + "tune.mp3");
    EXPECT_EQ(party.invitation, d + "words.txt");
    ASSERT_EQ(party.pictures.size(), 2u);
    EXPECT_EQ(party.pictures[0].file, d + "a.png");
    EXPECT_FALSE(party.pictures[0].focus);
    EXPECT_EQ(party.pictures[1].file, d + "b.jpg");
    EXPECT_EQ(party.pictures[1].focus, std::make_pair(640, 12));
}

TEST_F(PartyFolder, AnEmptyFileChangesNothing)
{
    EXPECT_TRUE(problemsOf("# nothing yet\n").empty());
    Party party;
    Problems problems;
    ASSERT_TRUE(readParty(dir_.string(), party, problems));
    EXPECT_FALSE(party.caption || party.background || party.logo || party.logoText || party.music ||
                 party.invitation);
    EXPECT_TRUE(party.pictures.empty());
}

TEST_F(PartyFolder, EveryMistakeIsLocated)
{
    const std::string thirteen =
        "pictures = [" + std::string(R"("a.png", )") + std::string(R"("a.png", "a.png", )") +
        R"("a.png", "a.png", "a.png", "a.png", "a.png", "a.png", "a.png", "a.png", "a.png", "b.jpg"])";
    struct Case {
        const char* what;
        std::string toml;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"unknown keys, all of them",
         "captoin = \"x\"\nmusic = \"tune.mp3\"\n[logo]\n",
         {"P/party.toml:1:1: unknown key 'captoin': the keys are name, dates, place, caption, "
          "background, logo, logo_shadow, "
          "logo_text, music, invitation and pictures",
          "P/party.toml:3:1: logo must be text in double quotes"}},
        {"not TOML",
         "caption = \"unclosed\n",
         {"P/party.toml:1:20: Error while parsing string: unescaped control characters other than "
          "TAB (U+0009) are explicitly prohibited"}},
        {"wrong types and empty text",
         "caption = 2005\nbackground = \"\"\n",
         {"P/party.toml:1:11: caption must be text in double quotes",
          "P/party.toml:2:14: background is empty: give it a value or leave the line out"}},
        {"a control character",
         "caption = \"A\\tB\"\n",
         {"P/party.toml:1:11: caption holds the control character U+0009: remove it"}},
        {"files that are not there",
         "music = \"gone.mp3\"\ninvitation = \"sub\"\n",
         {"P/party.toml:1:9: music: there is no file P/gone.mp3: put it there or correct the name",
          "P/party.toml:2:14: invitation: there is no file P/sub: put it there or correct the "
          "name"}},
        {"a letter without a glyph",
         "background = \"ÅÎ\"\n",
         {"P/party.toml:1:14: background: 'Î' (U+00CE) has no glyph in the font: write it another "
          "way"}},
        {"both kinds of logo, and a shadow of text",
         "logo = \"logo.png\"\nlogo_text = \"FROST\"\n",
         {"P/party.toml:2:13: a logo is a picture (logo) or a line of text (logo_text), not both: "
          "leave "
          "one out"}},
        {"a shadow without its logo",
         "logo_shadow = \"shadow.png\"\n",
         {"P/party.toml:1:15: logo_shadow is the shadow of a logo picture: give the picture as "
          "logo too"}},
        {"a logo line too long",
         "logo_text = \"ÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅÅ\"\n",
         {"P/party.toml:1:13: logo_text is longer than 24 characters and would not fit the screen: "
          "shorten it"}},
        {"pictures: none, or not a list",
         "pictures = []\n",
         {"P/party.toml:1:12: pictures must be a list of 1 to 12 pictures in [ ]"}},
        {"pictures: thirteen",
         thirteen,
         {"P/party.toml:1:121: the strip shows 12 pictures: this is the 13th, leave it out"}},
        {"pictures: bad entries",
         "pictures = [1, { focus = [1, 2] }, { file = \"a.png\", focus = [-1, 2] }, { file = "
         "\"a.png\", "
         "zoom = 2 }]\n",
         {"P/party.toml:1:13: a picture is a file name in double quotes, or { file = \"...\", "
          "focus = [x, y] }",
          "P/party.toml:1:16: a picture without a file: add file = \"...\"",
          "P/party.toml:1:62: focus must be [x, y], a pixel of the picture counted from its top "
          "left "
          "corner, for example focus = [320, 200]",
          "P/party.toml:1:91: unknown key 'zoom' in a picture: a picture has file and focus"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(problemsOf(c.toml), c.expected);
    }
}

TEST_F(PartyFolder, NoPartyFileIsOneProblem)
{
    Party party;
    Problems problems;
    EXPECT_FALSE(readParty((dir_ / "sub").string(), party, problems));
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(describe(problems[0]),
              (dir_ / "sub").string() +
                  "/party.toml: there is no party.toml in this folder: write one "
                  "(an empty one keeps everything as the show has it)");
}

TEST(BackgroundColumns, TheTextRepeatsToTwentyFiveColumns)
{
    EXPECT_EQ(backgroundColumns("AB"), "ABABABABABABABABABABABABA");
    EXPECT_EQ(backgroundColumns("FROSTHEMLANFROSTHEMLANFROSTHEMLAN FROSTHEM LAN"),
              "FROSTHEMLANFROSTHEMLANFRO");
    EXPECT_EQ(backgroundColumns(std::string(25, 'Q')), std::string(25, 'Q'));
}

}  // namespace
