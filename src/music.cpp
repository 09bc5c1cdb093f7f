#include "music.h"

FSOUND_SAMPLE* handle_sound = nullptr;

namespace {
constexpr int kMixRateHz = 44100;
constexpr int kSoftwareChannels = 32;
constexpr int kMusicChannel = 0;
const char* const kMusicFile = "data/demo.mp3";
}  // namespace

void initMusic()
{
    FSOUND_Init(kMixRateHz, kSoftwareChannels, 0);
    handle_sound = FSOUND_Sample_Load(0, kMusicFile, FSOUND_LOOP_OFF, 0, 0);
    FSOUND_PlaySound(kMusicChannel, handle_sound);
    FSOUND_DSP_SetActive(FSOUND_DSP_GetFFTUnit(), 1);
}
