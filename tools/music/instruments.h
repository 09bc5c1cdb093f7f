// The instruments: each turns its part of the score into mono samples,
// added into `out` (as long as the song). Noise comes from `rng` only.
#pragma once

#include "common/rng.h"
#include "song.h"

#include <vector>

void renderPart(Part part, const std::vector<Event>& events, std::vector<float>& out, Rng& rng);

// Tonal voices (tonal.cpp).
void renderLead(const std::vector<Event>& events, std::vector<float>& out);
void renderArp(const std::vector<Event>& events, std::vector<float>& out);
void renderPad(const std::vector<Event>& events, std::vector<float>& out);
void renderBass(const std::vector<Event>& events, std::vector<float>& out);

// Drums and effects from noise and pitch sweeps (percussion.cpp).
void renderKick(const std::vector<Event>& events, std::vector<float>& out, Rng& rng);
void renderSnare(const std::vector<Event>& events, std::vector<float>& out, Rng& rng);
void renderHat(const std::vector<Event>& events, std::vector<float>& out, Rng& rng);
void renderBells(const std::vector<Event>& events, std::vector<float>& out, Rng& rng);
void renderCrash(const std::vector<Event>& events, std::vector<float>& out, Rng& rng);
void renderRiser(const std::vector<Event>& events, std::vector<float>& out, Rng& rng);

// How loud a render still is where it stops: the largest of its last few
// written samples against its peak. A voice whose envelope ends at zero
// reads near 0; one whose tail is cut off reads its level at the cut.
double tailShare(const std::vector<float>& out);

// One note of the part, as the arrangement would write it, alone in a
// buffer long enough for every tail.
std::vector<float> renderSingleNote(Part part, double variant);
