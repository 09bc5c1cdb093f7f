// The music's file as the page downloads it, beside the page: its bytes
// taken from the page as they arrive, fed to the music's sample and decoded
// a slice of time at a time, one slice a browser frame.
#pragma once

#include <string>

#include "sound.h"

// The file's name beside the page (index.html fetches it by this name).
constexpr const char* kSiteMusic = "music.mp3";

enum class MusicArrival {
    Coming,    // not enough is decoded yet to start on
    Playable,  // the first seconds are decoded (or the whole of a shorter piece)
    Failed,    // nothing will come of it
};

// Feeds the fed sample what the page has received since the last call and
// decodes for about `budgetMs`. Failed, with the reason in `error`, when the
// file holds no music; with `error` empty when the page could not get the
// file (it has said why itself).
MusicArrival pumpMusic(FSOUND_SAMPLE* sample, double budgetMs, std::string& error);

// The file has arrived but holds no music: the page's retry fetches it
// afresh rather than handing the next module the same bytes.
void refuseMusic();

// Capture mode, where the page hands the module the whole file at once:
// writes it to `path`, where the show reads its music from a file.
bool saveMusic(const std::string& path, std::string& error);
