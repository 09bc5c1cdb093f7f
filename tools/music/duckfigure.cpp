#include "duckfigure.h"

#include "dsp.h"
#include "instruments.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kUnderKick = 0.03;     // seconds after a kick's start
constexpr double kKickRings = 0.7;      // seconds a kick may still hold the bass down
constexpr double kSilent = 1e-12;

double energy(const std::vector<float>& x, long from, long to)
{
    double sum = 0.0;
    for (long s = std::max(0L, from); s < std::min<long>(to, long(x.size())); ++s)
        sum += double(x[s]) * x[s];
    return sum;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0.0;
    std::nth_element(v.begin(), v.begin() + long(v.size() / 2), v.end());
    return v[v.size() / 2];
}

}  // namespace

double bassDuckDb(const Song& song, const MixDetail& mix)
{
    const std::vector<float>& mixed = mix.stems[std::size_t(Part::Bass)];
    std::vector<float> alone(mixed.size(), 0.0f);
    Rng rng(1);
    renderPart(Part::Bass, song.part(Part::Bass), alone, rng);
    const long window = std::lround(kUnderKick * kSampleRate);
    const long rings = std::lround(kKickRings * kSampleRate);
    const auto gainDb = [&](long from) {
        const double raw = energy(alone, from, from + window);
        return raw > kSilent ? 10.0 * std::log10(std::max(kSilent, energy(mixed, from, from + window)) / raw) : NAN;
    };
    // The desk's own gain for the bass: where no kick has sounded for a while.
    std::vector<double> free, under;
    std::vector<long> kicks;
    for (const Event& k : song.part(Part::Kick))
        kicks.push_back(k.start);
    for (long at = 0, next = 0; at + window <= long(mixed.size()); at += window) {
        while (next < long(kicks.size()) && kicks[next] <= at + window)
            ++next;
        const bool quiet = next == 0 || kicks[next - 1] + rings < at;
        if (const double g = gainDb(at); quiet && !std::isnan(g))
            free.push_back(g);
    }
    for (long k : kicks)
        if (const double g = gainDb(k); !std::isnan(g))
            under.push_back(g);
    return median(under) - median(free);
}
