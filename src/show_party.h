// What a party folder puts in place of the show's own caption, background
// letters, invitation, music, logo and strip pictures. An empty entry keeps
// the show's own. Set before start-up; read once by it.
#pragma once

#include <string>
#include <vector>

struct ShowParty {
    std::string name;                   // UTF-8, for a host's title card; empty: none given
    std::string dates;
    std::string caption;                // the window's title
    std::string background;             // font codes, one per column shown
    std::string message;                // the typewriter's text, ending with '@'
    std::string music;                  // an MP3 file
    std::string logo;                   // pictures keyed on black, both or neither
    std::string logoShadow;
    std::vector<std::string> pictures;  // the strip's, in the order shown, repeated to fill it
};

extern ShowParty showParty;

// The strip picture of slot `slot` (0..11): the party's, taken in turn.
const std::string& partyPicture(int slot);
