// The rules the typewriter relies on and does not test itself, checked on a
// compiled invitation before the show starts, and what the text takes to type.
#pragma once

#include <string>

#include "party/invitation.h"
#include "party/problem.h"

// Every broken rule is added to `problems`, located in the file the text came
// from. `glyphs`: how many glyphs the font holds, from '!' on (a space needs
// none).
void checkInvitation(const CompiledInvitation& text, const std::string& file, int glyphs,
                     Problems& problems);

struct InvitationSummary {
    int pages = 0;     // after the lead-in
    int lines = 0;     // text lines on those pages
    int advances = 0;  // typing positions from the first call to the end mark
    double fastestSeconds = 0;
    double slowestSeconds = 0;
};

// For a text that passes the checks.
InvitationSummary summarize(const std::string& raw);
