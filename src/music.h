// The show's music: started once at start-up, kept going every frame.
// The show's own names (`handle_sound`, `initMusic` and the rest) are kept as
// they have always been, odd as some may look: they are the show's vocabulary.
#pragma once

#include <string>

#include "sound.h"

extern FSOUND_SAMPLE* handle_sound;

// Starts the sound layer, loads "data/demo.mp3" (unless preloadMusic has)
// and starts playing it. False, with the reason, when the file cannot be
// used; no audio device is no failure (the music runs silently).
bool initMusic(std::string& error);
// Decodes the music ahead of initMusic, for a start that waits for the
// viewer (the browser's first click) and should then be immediate.
bool preloadMusic(std::string& error);
// Or, ahead of initMusic, makes the music a sample fed as its file arrives
// (soundFedSample), named `name` in what is said about it; the host feeds
// it and decodes it. False, with the reason, when no decoder can be had.
bool awaitMusic(const char* name, std::string& error);
// The file the show plays: the party's music or its own.
const char* musicFile();
