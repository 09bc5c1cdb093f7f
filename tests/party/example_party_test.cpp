// The example party under examples/ is a complete one: its settings, its
// text and its music pass every check, and its prepared files are there.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "decode.h"
#include "party/invitation.h"
#include "party/invitation_check.h"
#include "party/letters.h"
#include "party/party_check.h"
#include "party/party_file.h"
#include "strip_picture.h"
#include "testutil.h"

namespace {

namespace fs = std::filesystem;

const std::string kExample = FROSTHEM_SOURCE_DIR "/examples/norrsken";
constexpr int kFontGlyphs = 126;

TEST(ExampleParty, EveryFilePassesItsChecks)
{
    Party party;
    Problems problems;
    ASSERT_TRUE(readParty(kExample, party, problems)) << describe(problems.at(0));
    EXPECT_TRUE(party.caption && party.background && party.logoText && party.music &&
                party.invitation);
    EXPECT_EQ(party.pictures.size(), 4u);

    initTestScreen();  // pictures are read as the show reads them
    checkPartyFiles(party, problems);

    std::ifstream in(*party.invitation, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    const CompiledInvitation c = compileInvitation(text.str(), *party.invitation, problems);
    checkInvitation(c, *party.invitation, kFontGlyphs, problems);
    for (const Problem& p : problems)
        ADD_FAILURE() << describe(p);
    // Its own words, accented letters among them.
    EXPECT_EQ(c.raw.find("FROSTHEM"), std::string::npos);
    EXPECT_NE(c.raw.find(static_cast<char>(letterCode(U'Ö'))), std::string::npos);

    PcmTrack music;
    std::string error;
    ASSERT_TRUE(decodeMp3(party.music->c_str(), music, error)) << error;
    EXPECT_GT(music.frames(), kOpeningSeconds * kMixRate);

    for (const PartyPicture& p : party.pictures)
        EXPECT_TRUE(fs::exists(stripFileFor(p.file))) << p.file << " is not prepared";
    EXPECT_TRUE(fs::exists(fs::path(kExample) / kLogoTextFile));
    EXPECT_TRUE(fs::exists(fs::path(kExample) / kLogoTextShadowFile));
}

}  // namespace
