// The sound layer's sample slots, which FSOUND_Sample_Load and its kin fill
// (sound_samples.cpp), and what they and channel 0 (sound.cpp) ask of each
// other.
#pragma once

#include "streamtrack.h"

struct FSOUND_SAMPLE {
    StreamedTrack track;
};

// Decoding threads end before the process does; the first call arranges it.
void stopDecodingAtExit();
// Empties every slot.
void dropSamples();
// Stops channel 0 if it plays `track`, which is about to go.
void stopChannelPlaying(const StreamedTrack* track);
