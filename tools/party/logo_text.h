// A party's logo line drawn by the art generator in the show's icy style,
// with its shadow, as files beside the party's other files.
#pragma once

#include <string>

// Draws `word` (UTF-8) into `folder`/kLogoTextFile and its shadow into
// `folder`/kLogoTextShadowFile (party_file.h). False, with `reason` set,
// when either cannot be written.
bool prepareLogoText(const std::string& folder, const std::string& word, std::string& reason);
