#include "music.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "show_party.h"

FSOUND_SAMPLE* handle_sound = nullptr;

namespace {
constexpr int kSoftwareChannels = 32;
constexpr int kMusicChannel = 0;
const char* const kMusicFile = "data/demo.mp3";

// A folder opens and reads like an empty file, and the decoder then finds
// no audio in it; it is named for what it is instead.
bool isFolder(const char* path)
{
    struct stat st;
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool preloaded = false;

// The show is its music: without it the opening's scope would stay dark
// for 18 seconds, so a file that cannot be used stops the start-up as a
// bad picture does.
bool loadMusic(std::string& error)
{
    const char* file = musicFile();
    std::string reason;
    if (isFolder(file))
        reason = std::strerror(EISDIR);
    else
        handle_sound = soundLoadSample(0, file, reason);
    if (handle_sound == nullptr)
        error = std::string("cannot load music \"") + file + "\": " + reason;
    return handle_sound != nullptr;
}

}  // namespace

const char* musicFile()
{
    return showParty.music.empty() ? kMusicFile : showParty.music.c_str();
}

bool awaitMusic(const char* name, std::string& error)
{
    std::string reason;
    handle_sound = soundFedSample(0, name, reason);
    if (handle_sound == nullptr)
        error = std::string("cannot load music \"") + name + "\": " + reason;
    preloaded = handle_sound != nullptr;
    return preloaded;
}

bool preloadMusic(std::string& error)
{
    preloaded = loadMusic(error);
    return preloaded;
}

bool initMusic(std::string& error)
{
    FSOUND_Init(kMixRate, kSoftwareChannels, 0);
    if (!preloaded && !loadMusic(error))
        return false;
    FSOUND_PlaySound(kMusicChannel, handle_sound);
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
    return true;
}
