// The files a party names, checked as the show would read them: every
// problem at its entry in party.toml.
#include <gtest/gtest.h>

#include <cairo.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "hostile_files.h"
#include "party/party_check.h"
#include "party/party_file.h"
#include "temp_folder.h"
#include "testutil.h"

namespace {

namespace fs = std::filesystem;

const fs::path kSource = FROSTHEM_SOURCE_DIR;

class PartyFiles : public TempFolderTest {
protected:
    void SetUp() override
    {
        TempFolderTest::SetUp();
        initTestScreen();
        fs::copy_file(kSource / "examples/norrsken/music.mp3", dir_ / "long.mp3");
        fs::copy_file(kSource / "tests/data/sine861_44k_stereo.mp3", dir_ / "short.mp3");
        std::ofstream(dir_ / "noise.mp3") << std::string(4096, 'x');
        std::ofstream(dir_ / "text.png") << "not a picture";
        hostile::writePngClaiming(dir_ / "huge.png", 100000, 100);
        photo("photo.png");
        photo("ready.png");
        photo("ready.strip.png");
    }

    void photo(const std::string& name)
    {
        cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 200, 100);
        ASSERT_EQ(cairo_surface_write_to_png(s, (dir_ / name).c_str()), CAIRO_STATUS_SUCCESS);
        cairo_surface_destroy(s);
    }

    std::vector<std::string> problemsOf(const std::string& toml, PartyMusic musicFrom = PartyMusic::InFolder)
    {
        std::ofstream(dir_ / "party.toml") << toml;
        Problems problems;
        if (readParty(dir_.string(), party_, problems, musicFrom))
            checkPartyFiles(party_, problems);
        return described(problems);
    }

    Party party_;
};

TEST_F(PartyFiles, EveryFileProblemIsLocated)
{
    struct Case {
        const char* what;
        std::string toml;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"good files",
         "music = \"long.mp3\"\nlogo = \"photo.png\"\npictures = [\"ready.png\"]\n",
         {}},
        {"music that is no MP3",
         "music = \"noise.mp3\"\n",
         {"P/party.toml:1:9: music: P/noise.mp3 cannot be played: "}},
        {"music within the opening",
         "music = \"short.mp3\"\n",
         {"P/party.toml:1:9: music: P/short.mp3 is 0.5 s long, shorter than the 18 s opening: give "
          "a longer "
          "piece"}},
        {"pictures that cannot be read",
         "logo = \"text.png\"\nlogo_shadow = \"huge.png\"\n",
         {"P/party.toml:1:8: logo: P/text.png cannot be read: ",
          "P/party.toml:2:15: logo_shadow: P/huge.png cannot be read: the picture claims "
          "100000x100 pixels, "
          "more than the 8192x8192 a picture may have"}},
        {"a focus outside and a picture not prepared",
         "pictures = [{ file = \"ready.png\", focus = [200, 0] }, \"photo.png\"]\n",
         {"P/party.toml:1:13: pictures: the focus (200, 0) lies outside P/ready.png, which is "
          "200x100: give a "
          "pixel inside it",
          "P/party.toml:1:55: pictures: P/photo.strip.png is not prepared yet: run party-pictures "
          "P"}},
        {"a logo line not drawn yet",
         "logo_text = \"NORD\"\n",
         {"P/party.toml:1:13: logo_text: P/logo-text.png is not prepared yet: run party-pictures P",
          "P/party.toml:1:13: logo_text: P/logo-text-shadow.png is not prepared yet: run "
          "party-pictures P"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::vector<std::string> got = problemsOf(c.toml);
        ASSERT_EQ(got.size(), c.expected.size());
        // The decoders' own words end some messages; the start is ours.
        for (size_t i = 0; i < got.size(); i++)
            EXPECT_EQ(got[i].substr(0, c.expected[i].size()), c.expected[i]);
    }
}

// The web site serves the music beside the page: the module reads the party
// without it, the file having been checked when the site was built.
TEST_F(PartyFiles, MusicApartIsNeitherLookedForNorDecoded)
{
    for (const char* music : {"gone.mp3", "noise.mp3", "short.mp3"}) {
        SCOPED_TRACE(music);
        const std::string toml = std::string("music = \"") + music + "\"\n";
        EXPECT_TRUE(problemsOf(toml, PartyMusic::Apart).empty());
        ASSERT_TRUE(party_.music);
        EXPECT_EQ(*party_.music, (dir_ / music).string());
        EXPECT_EQ(problemsOf(toml).size(), 1u) << "read from the folder, it is checked";
    }
}

}  // namespace
