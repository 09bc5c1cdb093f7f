#include "harmony.h"

#include "mixer.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr int kOctave = 12;
constexpr Part kTonal[] = {Part::Lead, Part::Arp, Part::Pad, Part::Bass};

// One pitch of one voice over one stretch, with its level on the desk.
struct Tone {
    long start, end;
    double pitch;
    double levelDb;
    Part part;
    bool echo;
    bool appoggiatura;
};

bool rubs(double a, double b) { return std::lround(std::fabs(a - b)) % kOctave == 1; }

double levelDb(double gain) { return gain > 0.0 ? 20.0 * std::log10(gain) : -INFINITY; }

std::vector<Tone> tonesOf(const Song& song)
{
    std::vector<Tone> tones;
    const long echoDelay = long(kEchoRows) * kRowFrames;
    for (Part part : kTonal) {
        const double fader = deskGain(part), echo = echoReturn(part);
        for (const Event& e : song.part(part))
            for (double pitch : e.pitches) {
                const double level = levelDb(fader * e.velocity);
                tones.push_back({e.start, e.start + e.length, pitch, level, part, false, e.appoggiatura});
                if (echo > 0.0)
                    tones.push_back({e.start + echoDelay, e.start + e.length + echoDelay, pitch,
                                     level + levelDb(echo), part, true, e.appoggiatura});
            }
    }
    std::sort(tones.begin(), tones.end(), [](const Tone& a, const Tone& b) { return a.start < b.start; });
    return tones;
}

// Two voices: different parts, or a voice against its own echo.
bool twoVoices(const Tone& a, const Tone& b) { return a.part != b.part || a.echo != b.echo; }

}  // namespace

std::vector<Clash> findClashes(const Song& song)
{
    const std::vector<Tone> tones = tonesOf(song);
    std::vector<Clash> clashes;
    for (std::size_t i = 0; i < tones.size(); ++i) {
        const Tone& a = tones[i];
        for (std::size_t j = i + 1; j < tones.size() && tones[j].start < a.end; ++j) {
            const Tone& b = tones[j];
            const long overlap = std::min(a.end, b.end) - b.start;
            if (overlap < kShortestRub || !twoVoices(a, b) || !rubs(a.pitch, b.pitch) ||
                std::fabs(a.levelDb - b.levelDb) > kMaskedDb)
                continue;
            const Tone& loud = a.levelDb >= b.levelDb ? a : b;
            const Tone& soft = a.levelDb >= b.levelDb ? b : a;
            clashes.push_back({b.start, overlap, loud.pitch, soft.pitch, a.appoggiatura || b.appoggiatura, loud.part,
                               soft.part, soft.echo});
        }
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

const char* partName(Part part)
{
    static const char* const kNames[kPartCount] = {"lead", "arp", "pad", "bass", "kick",
                                                    "snare", "hat", "bells", "crash", "riser"};
    return kNames[static_cast<std::size_t>(part)];
}
