#include "party/party_load.h"

#include <sys/stat.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "assets.h"
#include "decode.h"
#include "effects/typewriter.h"
#include "party/party_check.h"
#include "party/letters.h"
#include "party/party_file.h"
#include "picture_file.h"

namespace {

// Glyphs a bitmap font file holds from '!' on: its marks close every glyph
// on both sides. -1 when it cannot be read.
int glyphsInFont(const char* path)
{
    SDL_Surface* s = readPicture(path);
    if (!s)
        return -1;
    const int marks = countGlyphMarks(s);
    SDL_FreeSurface(s);
    return marks - 1;
}

int fontGlyphsOrReport(const char* path, const std::string& file, Problems& problems)
{
    const int glyphs = glyphsInFont(path);
    if (glyphs < 0)
        problems.push_back({file, 0, 0,
                            std::string("the show's font ") + path +
                                " cannot be read to check the letters: reinstall the show"});
    return glyphs;
}

void checkBackground(const Party& party, Problems& problems)
{
    if (!party.background)
        return;
    const int glyphs = fontGlyphsOrReport(kBackgroundFont, party.file, problems);
    const SourcePlace at = party.places.at("background");
    for (const char c : *party.background) {
        const unsigned char code = static_cast<unsigned char>(c);
        if (glyphs >= 0 && code != ' ' && code - '!' >= glyphs) {
            problems.push_back({party.file, at.line, at.column,
                                "background: " +
                                    describeCharacter(code < kFirstExtraCode
                                                          ? code
                                                          : kExtraLetters[code - kFirstExtraCode]) +
                                    " has no glyph in the background letters' font: "
                                    "write it another way"});
            return;
        }
    }
}

bool readWhole(const std::string& path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return static_cast<bool>(in) || in.eof();
}

void loadInvitation(const Party& party, ShowParty& play, Problems& problems)
{
    if (!party.invitation)
        return;
    const std::string& file = *party.invitation;
    const size_t before = problems.size();
    std::string text;
    if (!readWhole(file, text)) {
        problems.push_back({party.file, party.places.at("invitation").line,
                            party.places.at("invitation").column,
                            "invitation: " + file + " cannot be read: check its permissions"});
        return;
    }
    // What compiles is checked too, so a mark mistyped on one page does not
    // hide a line too long on another.
    const CompiledInvitation c = compileInvitation(text, file, problems);
    const int glyphs = fontGlyphsOrReport(kMessageFont, file, problems);
    if (glyphs >= 0)
        checkInvitation(c, file, glyphs, problems);
    sortByPlace(problems, before);
    play.message = c.raw;
}

}  // namespace

bool loadParty(const std::string& folder, ShowParty& play, Problems& problems, PartyMusic musicFrom)
{
    const size_t first = problems.size();
    Party party;
    readParty(folder, party, problems, musicFrom);
    checkPartyFiles(party, problems);
    checkBackground(party, problems);
    // party.toml's problems from top to bottom, then the invitation's.
    sortByPlace(problems, first);
    ShowParty found;
    loadInvitation(party, found, problems);
    if (problems.size() != first)
        return false;
    found.name = party.name.value_or("");
    found.dates = party.dates.value_or("");
    found.caption = party.caption.value_or("");
    if (party.background)
        found.background = backgroundColumns(*party.background);
    found.music = party.music.value_or("");
    if (party.logoText) {
        found.logo = party.folder + "/" + kLogoTextFile;
        found.logoShadow = party.folder + "/" + kLogoTextShadowFile;
    } else {
        found.logo = party.logo.value_or("");
        found.logoShadow = party.logoShadow.value_or("");
    }
    for (const PartyPicture& p : party.pictures)
        found.pictures.push_back(stripFileFor(p.file));
    play = found;
    return true;
}

std::string bundledParty()
{
    struct stat st;
    const std::string toml = std::string(kBundledParty) + "/party.toml";
    return stat(toml.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? kBundledParty : "";
}

PartySummary summarizeParty(const ShowParty& play)
{
    PartySummary s;
    s.text = summarize(play.message.empty() ? std::string(intromessage) : play.message);
    PcmTrack track;
    std::string reason;
    if (decodeMp3(play.music.empty() ? kOwnMusic : play.music.c_str(), track, reason))
        s.musicSeconds = static_cast<double>(track.frames()) / kMixRate;
    return s;
}

void printProblems(const Problems& problems)
{
    for (const Problem& p : problems)
        std::fprintf(stderr, "%s\n", describe(p).c_str());
}

std::string describeSummary(const PartySummary& s)
{
    char text[512];
    std::snprintf(text, sizeof text,
                  "pages: %d\n"
                  "lines: %d\n"
                  "typing advances: %d\n"
                  "text on screen: %.1f s at the fastest pace, %.1f s at the slowest\n",
                  s.text.pages, s.text.lines, s.text.advances, s.text.fastestSeconds,
                  s.text.slowestSeconds);
    std::string out = text;
    if (s.musicSeconds < 0)
        out += "music: cannot be decoded\n";
    else {
        std::snprintf(text, sizeof text, "music: %.1f s\n", s.musicSeconds);
        out += text;
    }
    return out;
}
