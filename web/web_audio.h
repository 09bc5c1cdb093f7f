// The music through the browser's Web Audio: the samples our decoder made
// play from an AudioBuffer in the page's AudioContext, and the frame heard
// now comes from the context's clock, less the output latency it reports.
#pragma once

#include "sound.h"

// The device for soundUseDevice. It opens only when the page has an
// AudioContext that runs (the viewer's first gesture made it).
const SoundDevice* webAudioDevice();
