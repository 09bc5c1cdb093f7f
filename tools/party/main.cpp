// party-pictures <party folder>: prepares the strip pictures that the
// folder's party.toml lists, each written beside it as <name>.strip.png,
// and draws its logo_text into the folder.
#include <SDL.h>

#include <cstdio>

#include "logo_text.h"
#include "party/party_file.h"
#include "strip_picture.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: party-pictures <party folder>\n");
        return 2;
    }
    Party party;
    Problems problems;
    if (!readParty(argv[1], party, problems)) {
        for (const Problem& p : problems)
            std::fprintf(stderr, "%s\n", describe(p).c_str());
        return 2;
    }
    SDL_Init(0);
    int failed = 0;
    for (const PartyPicture& p : party.pictures) {
        std::string reason;
        if (prepareStripPicture(p.file, p.focus, reason)) {
            std::printf("%s\n", stripFileFor(p.file).c_str());
        } else {
            std::fprintf(stderr, "party-pictures: %s: %s\n", p.file.c_str(), reason.c_str());
            failed++;
        }
    }
    if (party.logoText) {
        std::string reason;
        if (prepareLogoText(party.folder, *party.logoText, reason)) {
            std::printf("%s/%s\n%s/%s\n", party.folder.c_str(), kLogoTextFile, party.folder.c_str(),
                        kLogoTextShadowFile);
        } else {
            std::fprintf(stderr, "party-pictures: logo_text: %s\n", reason.c_str());
            failed++;
        }
    }
    return failed ? 1 : 0;
}
