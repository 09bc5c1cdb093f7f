// The show's music: started once at start-up, kept going every frame.
#pragma once

#include "sound.h"

extern FSOUND_SAMPLE* handle_sound;

// Starts the sound layer, loads "data/demo.mp3" and starts playing it.
void initMusic();
