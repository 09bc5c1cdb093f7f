#include "party/letters.h"

#include <cstdio>

int letterCode(char32_t c)
{
    if (c >= U' ' && c <= U'~')
        return static_cast<int>(c);
    for (int i = 0; i < kExtraLetterCount; i++)
        if (kExtraLetters[i] == c)
            return kFirstExtraCode + i;
    return -1;
}

std::string letterUtf8(int code)
{
    if (code >= ' ' && code <= '~')
        return std::string(1, static_cast<char>(code));
    const int slot = code - kFirstExtraCode;
    if (slot >= 0 && slot < kExtraLetterCount)
        return encodeUtf8(kExtraLetters[slot]);
    return "";
}

bool decodeUtf8(const std::string& s, size_t pos, char32_t& c, int& length)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    length = 1;
    if (lead < 0x80) {
        c = lead;
        return true;
    }
    int extra;
    char32_t minimum;
    if ((lead & 0xe0) == 0xc0) {
        extra = 1, c = lead & 0x1f, minimum = 0x80;
    } else if ((lead & 0xf0) == 0xe0) {
        extra = 2, c = lead & 0x0f, minimum = 0x800;
    } else if ((lead & 0xf8) == 0xf0) {
        extra = 3, c = lead & 0x07, minimum = 0x10000;
    } else {
        return false;
    }
    if (pos + extra >= s.size())
        return false;
    for (int i = 1; i <= extra; i++) {
        if ((byte(pos + i) & 0xc0) != 0x80)
            return false;
        c = (c << 6) | (byte(pos + i) & 0x3f);
    }
    // Overlong forms, surrogates and values past Unicode's end are not text.
    if (c < minimum || c > 0x10ffff || (c >= 0xd800 && c <= 0xdfff))
        return false;
    length = extra + 1;
    return true;
}

std::string encodeUtf8(char32_t c)
{
    std::string out;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xc0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xe0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    } else {
        out += static_cast<char>(0xf0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3f));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3f));
        out += static_cast<char>(0x80 | (c & 0x3f));
    }
    return out;
}

std::string describeCharacter(char32_t c)
{
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    // Control characters and the like would garble the message line.
    const bool printable = c > U' ' && c != 0x7f && !(c >= 0x80 && c < 0xa0);
    if (!printable)
        return code;
    return "'" + encodeUtf8(c) + "' (" + code + ")";
}
