// The music through the browser's Web Audio: the samples our decoder has
// made so far play as AudioBuffers of a second or two, scheduled back to
// back on the page's AudioContext clock as decoding goes, and the frame
// heard now comes from that clock, less the output latency it reports.
#pragma once

#include "sound.h"

// The device for soundUseDevice. It opens only when the page has an
// AudioContext that runs (the viewer's first gesture made it).
const SoundDevice* webAudioDevice();

// Hands the page the frames decoded since the last call, each browser frame.
void webAudioPump();
