// The example party's generated files: photos and music of its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// aurora.png, hall.png, lake.png and sauna.png into `dir`.
void drawExamplePhotos(const std::string& dir);

// The tune as interleaved 44100 Hz 16-bit stereo.
std::vector<std::int16_t> exampleTune();
