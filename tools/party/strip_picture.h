// Prepares an organiser's photo for the picture strip: scaled with cairo's
// resampler to cover the strip's slot, and cropped around the picture's
// centre or a focus point.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "party/party_file.h"  // stripFileFor

// The strip shows the top 121 rows of a picture, 640 pixels wide.
constexpr int kSlotWidth = 640;
constexpr int kSlotHeight = 121;

// The part of a `w` x `h` picture that becomes the slot: the scale (slot
// pixels per picture pixel) and the picture's pixel at the slot's top-left
// corner.
struct StripCrop {
    double scale;
    double left;
    double top;
};

// Scales the picture so that it covers the slot, then places the slot so
// that `focus` (the centre if none) is as near its middle as the picture's
// edges allow.
StripCrop stripCrop(int w, int h, std::optional<std::pair<int, int>> focus);

// Reads `picture`, writes its slot-sized version as stripFileFor(picture).
// False, with `reason` set, when the picture cannot be read, is too large,
// the focus lies outside it, or the file cannot be written; a file of that
// name that this step did not write is never replaced.
bool prepareStripPicture(const std::string& picture, std::optional<std::pair<int, int>> focus,
                         std::string& reason);
