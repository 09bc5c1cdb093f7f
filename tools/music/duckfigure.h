// How far the bass steps aside under the kick: the mixed bass against the
// same bass rendered alone, in the 30 ms after each kick, relative to the
// same comparison where no kick has sounded for a while.
#pragma once

#include "mixer.h"
#include "song.h"

// Median over the kicks, in dB (negative: the bass gives way).
double bassDuckDb(const Song& song, const MixDetail& mix);
