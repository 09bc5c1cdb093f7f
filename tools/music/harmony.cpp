#include "harmony.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kOctave = 12;
// A rub shorter than this passes as a passing note.
constexpr long kLongestPassing = kRowFrames;

bool rubs(double a, double b)
{
    const long d = std::lround(std::fabs(a - b));
    return d % kOctave == 1;
}

void against(const Event& note, const std::vector<Event>& chords, std::vector<Clash>& out)
{
    const long noteEnd = note.start + note.length;
    for (const Event& c : chords) {
        if (c.tune || c.start >= noteEnd)
            continue;
        const long from = std::max(note.start, c.start);
        const long to = std::min(noteEnd, c.start + c.length);
        if (to - from <= kLongestPassing)
            continue;
        for (double tone : c.pitches)
            if (rubs(note.pitches.front(), tone))
                out.push_back({from, to - from, note.pitches.front(), tone, note.appoggiatura});
    }
}

}  // namespace

std::vector<Clash> findClashes(const Song& song)
{
    std::vector<Clash> clashes;
    for (const auto& events : song.parts)
        for (const Event& note : events)
            if (note.tune && !note.pitches.empty()) {
                against(note, song.part(Part::Pad), clashes);
                against(note, song.part(Part::Arp), clashes);
            }
    std::sort(clashes.begin(), clashes.end(), [](const Clash& a, const Clash& b) { return a.start < b.start; });
    return clashes;
}

std::vector<Clash> unintendedClashes(const Song& song)
{
    std::vector<Clash> all = findClashes(song);
    all.erase(std::remove_if(all.begin(), all.end(), [](const Clash& c) { return c.appoggiatura; }), all.end());
    return all;
}
