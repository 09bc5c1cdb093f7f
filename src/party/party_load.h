// A party folder made ready for the show: party.toml read, every file it
// names checked as the show would read it, the invitation compiled, before
// anything is opened for the viewer.
#pragma once

#include <string>

#include "party/invitation_check.h"
#include "party/party_file.h"
#include "party/problem.h"
#include "show_party.h"

// The fonts the checks count glyphs in, relative to the program's folder.
constexpr const char* kMessageFont = "gfx/mario3.bmp";
constexpr const char* kBackgroundFont = "gfx/newfont.bmp";
// The show's own music, for a summary of a party that keeps it.
constexpr const char* kOwnMusic = "data/demo.mp3";

// A party carried by a build of the show for one party (the Windows zip, the
// web site): a folder of this name beside the show's own files, played when
// no other is asked for.
constexpr const char* kBundledParty = "party";
// kBundledParty when that folder holds a party.toml, else empty.
std::string bundledParty();

// Reads and checks the party in `folder` (a path that works from the working
// folder, which holds gfx/). Every problem found is added to `problems`;
// when there is none, `play` holds what the show puts in place of its own.
bool loadParty(const std::string& folder, ShowParty& play, Problems& problems,
               PartyMusic musicFrom = PartyMusic::InFolder);

struct PartySummary {
    InvitationSummary text;
    double musicSeconds = -1;  // -1: the music cannot be decoded
};

// What the text and music of `play` (or the show's own) take.
PartySummary summarizeParty(const ShowParty& play);

// The problems, one line each, on standard error.
void printProblems(const Problems& problems);

// The summary as `frosthem --check` prints it.
std::string describeSummary(const PartySummary& s);
