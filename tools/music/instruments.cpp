#include "instruments.h"

void renderPart(Part part, const std::vector<Event>& events, std::vector<float>& out, Rng& rng)
{
    switch (part) {
    case Part::Lead:
        return renderLead(events, out);
    case Part::Arp:
        return renderArp(events, out);
    case Part::Pad:
        return renderPad(events, out);
    case Part::Bass:
        return renderBass(events, out);
    case Part::Kick:
        return renderKick(events, out, rng);
    case Part::Snare:
        return renderSnare(events, out, rng);
    case Part::Hat:
        return renderHat(events, out, rng);
    case Part::Bells:
        return renderBells(events, out, rng);
    case Part::Crash:
        return renderCrash(events, out, rng);
    case Part::Riser:
        return renderRiser(events, out, rng);
    }
}

#include "dsp.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr std::size_t kTailSamples = 4;
constexpr double kTestNoteSeconds = 0.3;
constexpr double kTestBufferSeconds = 6.0;
constexpr double kTestPitch = 67.0;
constexpr std::uint32_t kTestSeed = 1;
}  // namespace

double tailShare(const std::vector<float>& out)
{
    std::size_t end = out.size();
    while (end > 0 && out[end - 1] == 0.0f)
        --end;
    double peak = 0.0, tail = 0.0;
    for (std::size_t s = 0; s < end; ++s) {
        peak = std::max(peak, std::fabs(double(out[s])));
        if (s + kTailSamples >= end)
            tail = std::max(tail, std::fabs(double(out[s])));
    }
    return peak > 0.0 ? tail / peak : 0.0;
}

std::vector<float> renderSingleNote(Part part, double variant)
{
    std::vector<float> out(static_cast<std::size_t>(kTestBufferSeconds * kSampleRate));
    const long length = static_cast<long>(kTestNoteSeconds * kSampleRate);
    const std::vector<double> pitches =
        part == Part::Arp || part == Part::Pad ? std::vector<double>{kTestPitch, kTestPitch + 4, kTestPitch + 7}
                                               : std::vector<double>{kTestPitch};
    Rng rng(kTestSeed);
    renderPart(part, {{0, length, pitches, 1.0, variant}}, out, rng);
    return out;
}
