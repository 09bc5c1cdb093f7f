// party.toml: what a party folder changes in the show. Every entry is
// optional; what is left out stays as the show has it.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "party/problem.h"

// The strip shows twelve pictures; fewer given are repeated in turn.
constexpr int kPartyPictureSlots = 12;
// The background letters show this many columns; a shorter text repeats.
constexpr int kBackgroundColumns = 25;
// A logo line wider than this would not fit the screen in the logo's size.
constexpr int kMaxLogoTextLength = 24;
// Where the preparation step (party-pictures) draws logo_text and its
// shadow, in the party folder; both keyed on black like the show's logo.
constexpr const char* kLogoTextFile = "logo-text.png";
constexpr const char* kLogoTextShadowFile = "logo-text-shadow.png";

struct PartyPicture {
    std::string file;                          // a path: the folder joined with the name given
    std::optional<std::pair<int, int>> focus;  // pixel of the picture kept in view when cropped
    SourcePlace place;                         // of its entry in party.toml
};

// Where the party's music is read from: its file in the folder, checked
// like the others, or apart from the folder (the web site serves it beside
// the page; it was checked when the site was built).
enum class PartyMusic { InFolder, Apart };

struct Party {
    std::string folder;
    PartyMusic musicFrom = PartyMusic::InFolder;
    std::optional<std::string> name;            // the party's name, UTF-8: the web page's
    std::optional<std::string> dates;           // title card, the zip's README, the release
    std::optional<std::string> place;           // note; when and where, as the organiser writes them
    std::optional<std::string> caption;         // the window's title, UTF-8
    std::optional<std::string> background;      // font codes (letters.h), at least one
    std::optional<std::string> logo;            // a picture file
    std::optional<std::string> logoShadow;      // its shadow, a picture file
    std::optional<std::string> logoText;        // or a line the art generator draws, UTF-8
    std::optional<std::string> music;           // an MP3 file
    std::optional<std::string> invitation;      // an invitation file (invitation.h)
    std::vector<PartyPicture> pictures;         // 0 (the show's own) to 12, in the order shown
    std::string file;                           // party.toml itself
    std::map<std::string, SourcePlace> places;  // of each entry's value, by key
};

// Reads `folder`/party.toml. Everything wrong is added to `problems`, each at
// its place in the file; files named must exist (the music only when it is
// in the folder). False when anything was.
bool readParty(const std::string& folder, Party& party, Problems& problems,
               PartyMusic musicFrom = PartyMusic::InFolder);

// The prepared strip picture for a picture: beside it, "<name>.strip.png".
std::string stripFileFor(const std::string& picture);

// The 25 letters the background shows: the text, repeated as needed.
std::string backgroundColumns(const std::string& background);
