#include "notation.h"

#include <sstream>
#include <stdexcept>

namespace {

constexpr int kMidiOfC0 = 12;
constexpr char kAppoggiaturaMark = '*';
constexpr int kSemitonesPerOctave = 12;
// Pitch classes of the natural notes A to G.
constexpr int kNaturalClass[] = {9, 11, 0, 2, 4, 5, 7};

struct Quality {
    const char* suffix;
    std::vector<int> tones;
};

const Quality kQualities[] = {
    {"", {0, 4, 7}},
    {"m", {0, 3, 7}},
    {"7", {0, 4, 7, 10}},
    {"m7", {0, 3, 7, 10}},
};

[[noreturn]] void fail(const std::string& what, const std::string& token)
{
    throw std::runtime_error(what + ": '" + token + "'");
}

// Splits "name:rows" and checks the length.
std::pair<std::string, int> splitToken(const std::string& token)
{
    const auto colon = token.find(':');
    if (colon == std::string::npos || colon == 0)
        fail("expected name:rows", token);
    int rows = 0;
    try {
        rows = std::stoi(token.substr(colon + 1));
    } catch (const std::exception&) {
        fail("bad length", token);
    }
    if (rows <= 0)
        fail("length must be positive", token);
    return {token.substr(0, colon), rows};
}

// Pitch class of a leading note letter with an optional sharp or flat;
// `used` receives the characters consumed.
int pitchClass(const std::string& name, std::size_t& used)
{
    if (name.empty() || name[0] < 'A' || name[0] > 'G')
        fail("expected a note letter", name);
    int pc = kNaturalClass[name[0] - 'A'];
    used = 1;
    if (name.size() > 1 && (name[1] == '#' || name[1] == 'b')) {
        pc += name[1] == '#' ? 1 : -1;
        used = 2;
    }
    return (pc + kSemitonesPerOctave) % kSemitonesPerOctave;
}

}  // namespace

int parsePitch(const std::string& name)
{
    std::size_t used = 0;
    const int pc = pitchClass(name, used);
    if (used >= name.size() || name.find_first_not_of("0123456789", used) != std::string::npos)
        fail("expected an octave number", name);
    // B#/Cb cross the octave boundary the way musicians write them.
    int midi = kMidiOfC0 + std::stoi(name.substr(used)) * kSemitonesPerOctave + pc;
    if (name[0] == 'B' && pc == 0)
        midi += kSemitonesPerOctave;
    if (name[0] == 'C' && pc == 11)
        midi -= kSemitonesPerOctave;
    return midi;
}

Melody parseMelody(const std::string& text, int rowsPerBar)
{
    Melody melody{{}, 0};
    std::vector<std::vector<std::pair<std::string, int>>> bars(1);
    // Bar lines need no spaces around them.
    std::string spaced;
    for (char c : text)
        spaced += c == '|' ? std::string(" | ") : std::string(1, c);
    std::istringstream in(spaced);
    std::string token;
    while (in >> token) {
        if (token == "|") {
            bars.emplace_back();
            continue;
        }
        bars.back().push_back(splitToken(token));
    }

    int row = 0;
    for (std::size_t b = 0; b < bars.size(); ++b) {
        int length = 0;
        for (const auto& item : bars[b])
            length += item.second;
        const bool pickup = b == 0 && bars.size() > 1 && length < rowsPerBar;
        if (!pickup && length != rowsPerBar)
            throw std::runtime_error("bar " + std::to_string(b + 1) + " has " + std::to_string(length) +
                                     " rows, not " + std::to_string(rowsPerBar));
        if (pickup)
            row = -length;
        for (const auto& [name, rows] : bars[b]) {
            const bool leaning = !name.empty() && name.back() == kAppoggiaturaMark;
            const std::string pitch = leaning ? name.substr(0, name.size() - 1) : name;
            if (pitch != "r")
                melody.notes.push_back({row, rows, parsePitch(pitch), leaning});
            row += rows;
        }
    }
    melody.rows = row;
    return melody;
}

std::vector<ChordSpan> parseChords(const std::string& text)
{
    std::vector<ChordSpan> chords;
    std::istringstream in(text);
    std::string token;
    int row = 0;
    while (in >> token) {
        const auto [name, rows] = splitToken(token);
        std::size_t used = 0;
        const int root = pitchClass(name, used);
        const std::string suffix = name.substr(used);
        const Quality* quality = nullptr;
        for (const Quality& q : kQualities)
            if (suffix == q.suffix)
                quality = &q;
        if (!quality)
            fail("unknown chord", token);
        chords.push_back({row, rows, root, quality->tones});
        row += rows;
    }
    return chords;
}
