#include "party/party_check.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cstdio>

#include "assets.h"
#include "decode.h"
#include "picture_file.h"

namespace {

struct Checker {
    const Party& party;
    Problems& problems;

    void report(SourcePlace at, const std::string& message)
    {
        problems.push_back({party.file, at.line, at.column, message});
    }

    // The picture's size, or false with a problem reported.
    bool picture(const std::string& key, const std::string& path, SourcePlace at, int& w, int& h)
    {
        std::string reason;
        if (!checkPictureFile(path.c_str(), reason)) {
            report(at, key + ": " + path + " cannot be read: " + reason);
            return false;
        }
        SDL_Surface* s = readPicture(path.c_str());
        if (!s) {
            report(at, key + ": " + path + " cannot be read: " + SDL_GetError() +
                           ": give a PNG, JPEG or BMP picture");
            return false;
        }
        w = s->w, h = s->h;
        SDL_FreeSurface(s);
        return true;
    }

    void prepared(const std::string& key, const std::string& path, SourcePlace at)
    {
        struct stat st;
        if (stat(path.c_str(), &st) != 0)
            report(at,
                   key + ": " + path + " is not prepared yet: run party-pictures " + party.folder);
    }

    void music()
    {
        if (!party.music || party.musicFrom == PartyMusic::Apart)
            return;
        const SourcePlace at = party.places.at("music");
        PcmTrack track;
        std::string reason;
        if (!decodeMp3(party.music->c_str(), track, reason)) {
            report(at, "music: " + *party.music + " cannot be played: " + reason +
                           ": give an MP3 file");
            return;
        }
        const double seconds = static_cast<double>(track.frames()) / kMixRate;
        if (seconds < kOpeningSeconds) {
            char length[32];
            std::snprintf(length, sizeof length, "%.1f", seconds);
            report(at, "music: " + *party.music + " is " + length +
                           " s long, shorter than the 18 s opening: "
                           "give a longer piece");
        }
    }

    void logo()
    {
        int w, h;
        if (party.logo)
            picture("logo", *party.logo, party.places.at("logo"), w, h);
        if (party.logoShadow)
            picture("logo_shadow", *party.logoShadow, party.places.at("logo_shadow"), w, h);
        if (party.logoText) {
            prepared("logo_text", party.folder + "/" + kLogoTextFile, party.places.at("logo_text"));
            prepared("logo_text", party.folder + "/" + kLogoTextShadowFile,
                     party.places.at("logo_text"));
        }
    }

    void pictures()
    {
        for (const PartyPicture& p : party.pictures) {
            int w, h;
            if (!picture("pictures", p.file, p.place, w, h))
                continue;
            if (p.focus && (p.focus->first >= w || p.focus->second >= h)) {
                report(p.place, "pictures: the focus (" + std::to_string(p.focus->first) + ", " +
                                    std::to_string(p.focus->second) + ") lies outside " + p.file +
                                    ", which is " + std::to_string(w) + "x" + std::to_string(h) +
                                    ": give a pixel inside it");
                continue;
            }
            prepared("pictures", stripFileFor(p.file), p.place);
        }
    }
};

}  // namespace

void checkPartyFiles(const Party& party, Problems& problems)
{
    const size_t first = problems.size();
    Checker c{party, problems};
    c.music();
    c.logo();
    c.pictures();
    sortByPlace(problems, first);
}
