// Checks of the files a party names, made as the show would read them,
// before anything is opened for the viewer.
#pragma once

#include "party/party_file.h"
#include "party/problem.h"

// The opening scene lasts this long; music must play at least through it.
constexpr double kOpeningSeconds = 18;

// Music that does not decode or ends within the opening; pictures that
// cannot be read or exceed the size guard; a focus outside its picture; a
// strip picture or logo line not yet prepared (party-pictures). Each is
// reported at its entry in party.toml.
void checkPartyFiles(const Party& party, Problems& problems);
