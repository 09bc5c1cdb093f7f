// The arrangement: which carol plays when, and what every instrument does
// in each section. Throws std::runtime_error when a tune's notation does
// not add up.
#pragma once

#include "song.h"

Song arrangeSong();
