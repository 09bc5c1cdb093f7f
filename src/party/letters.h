// The letters the show's bitmap fonts hold beyond ASCII, and the mapping of
// UTF-8 text onto the one-byte codes the fonts are indexed by.
#pragma once

#include <string>

// A font in the SFont layout holds glyphs from '!' on, one per mark; the font
// loader takes at most 127 marks, so 126 glyphs: '!' to '~' and the 32 codes
// after '~'. Those 32 hold the accented letters below, in this order.
constexpr int kFirstExtraCode = 127;
constexpr char32_t kExtraLetters[] = {
    U'À', U'Á', U'Ä', U'Å', U'Æ', U'Ç', U'È', U'É', U'Ê', U'Ñ', U'Ó', U'Ö', U'Ø', U'Ú', U'Ü', U'à',
    U'á', U'ä', U'å', U'æ', U'ç', U'è', U'é', U'ê', U'í', U'ñ', U'ó', U'ö', U'ø', U'ú', U'ü', U'ß',
};
constexpr int kExtraLetterCount = sizeof kExtraLetters / sizeof kExtraLetters[0];
static_assert(kFirstExtraCode + kExtraLetterCount - '!' <= 126,
              "within the font loader's 127 marks");

// The font code of a character: printable ASCII as itself, an accented letter
// above as its slot's code; -1 for anything else.
int letterCode(char32_t c);

// The character a font code stands for, as UTF-8 (for messages and for the
// art generator).
std::string letterUtf8(int code);

// One character of UTF-8 text at `pos`: its value, and how many bytes it
// takes. False (and `length` 1) for a malformed or overlong sequence.
bool decodeUtf8(const std::string& s, size_t pos, char32_t& c, int& length);

std::string encodeUtf8(char32_t c);

// How a character is named in a message: 'é' (U+00E9), or U+0009 alone for
// one that cannot be shown.
std::string describeCharacter(char32_t c);
