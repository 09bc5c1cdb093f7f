#include "music.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "report.h"
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
    if (stat(path, &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    reportError("frosthem: cannot load music \"%s\": %s", path, std::strerror(EISDIR));
    return true;
}

bool preloaded = false;  // a failed preload is not tried (and reported) again

FSOUND_SAMPLE* loadMusic()
{
    const char* file = showParty.music.empty() ? kMusicFile : showParty.music.c_str();
    return isFolder(file) ? nullptr : FSOUND_Sample_Load(0, file, FSOUND_LOOP_OFF, 0, 0);
}

}  // namespace

void preloadMusic()
{
    handle_sound = loadMusic();
    preloaded = true;
}

void initMusic()
{
    FSOUND_Init(kMixRate, kSoftwareChannels, 0);
    if (!preloaded)
        handle_sound = loadMusic();
    FSOUND_PlaySound(kMusicChannel, handle_sound);
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
}
