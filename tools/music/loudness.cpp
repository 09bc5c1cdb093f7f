#include "loudness.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kFullScale = 32768.0;
constexpr double kOffset = -0.691;
constexpr double kAbsoluteGate = -70.0;
constexpr double kBlockSeconds = 0.4;
constexpr double kBlockHop = 0.1;
constexpr double kIntegratedGate = -10.0;
constexpr double kShortTermSeconds = 3.0;
constexpr double kRangeGate = -20.0;
constexpr double kLowPercentile = 0.10;
constexpr double kHighPercentile = 0.95;

struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0.0, z2 = 0.0;
    double process(double x)
    {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The two stages of the K-weighting: a high shelf for the head's effect
// and a high-pass for the ear's low end, as BS.1770 derives them.
Biquad shelf()
{
    const double f0 = 1681.974450955533, gainDb = 3.999843853973347, q = 0.7071752369554196;
    const double k = std::tan(kPi * f0 / kRate);
    const double vh = std::pow(10.0, gainDb / 20.0);
    const double vb = std::pow(vh, 0.4996667741545416);
    const double a0 = 1.0 + k / q + k * k;
    return {(vh + vb * k / q + k * k) / a0, 2.0 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0,
            2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

Biquad highPass()
{
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double k = std::tan(kPi * f0 / kRate);
    const double a0 = 1.0 + k / q + k * k;
    return {1.0, -2.0, 1.0, 2.0 * (k * k - 1.0) / a0, (1.0 - k / q + k * k) / a0};
}

double lufs(double meanSquare) { return meanSquare > 0.0 ? kOffset + 10.0 * std::log10(meanSquare) : -INFINITY; }

// Mean square over [from, from + length) of the weighted signal, both
// channels summed, from a running sum.
double window(const std::vector<double>& cumulative, std::size_t from, std::size_t length)
{
    return (cumulative[from + length] - cumulative[from]) / double(length);
}

double gatedMean(const std::vector<double>& powers, double floorLufs)
{
    double sum = 0.0;
    std::size_t count = 0;
    for (double p : powers)
        if (lufs(p) > floorLufs) {
            sum += p;
            ++count;
        }
    return count ? sum / double(count) : 0.0;
}

}  // namespace

Loudness measureLoudness(const std::vector<std::int16_t>& stereo)
{
    Loudness out{-INFINITY, 0.0, {}};
    const std::size_t frames = stereo.size() / 2;
    std::vector<double> cumulative(frames + 1, 0.0);
    Biquad filters[2][2] = {{shelf(), highPass()}, {shelf(), highPass()}};
    for (std::size_t s = 0; s < frames; ++s) {
        double power = 0.0;
        for (int c = 0; c < 2; ++c) {
            const double y = filters[c][1].process(filters[c][0].process(stereo[2 * s + c] / kFullScale));
            power += y * y;
        }
        cumulative[s + 1] = cumulative[s] + power;
    }

    const auto powersOf = [&](double seconds) {
        std::vector<double> powers;
        const std::size_t length = static_cast<std::size_t>(seconds * kRate);
        const std::size_t hop = static_cast<std::size_t>(kBlockHop * kRate);
        for (std::size_t at = 0; at + length <= frames; at += hop)
            powers.push_back(window(cumulative, at, length));
        return powers;
    };

    const std::vector<double> blocks = powersOf(kBlockSeconds);
    const double relative = lufs(gatedMean(blocks, kAbsoluteGate)) + kIntegratedGate;
    out.integrated = lufs(gatedMean(blocks, std::max(kAbsoluteGate, relative)));

    const std::vector<double> shortTerm = powersOf(kShortTermSeconds);
    const double rangeGate = lufs(gatedMean(shortTerm, kAbsoluteGate)) + kRangeGate;
    std::vector<double> kept;
    for (double p : shortTerm) {
        out.shortTerm.push_back(lufs(p));
        if (lufs(p) > std::max(kAbsoluteGate, rangeGate))
            kept.push_back(lufs(p));
    }
    if (!kept.empty()) {
        std::sort(kept.begin(), kept.end());
        const auto at = [&](double q) { return kept[static_cast<std::size_t>(q * double(kept.size() - 1))]; };
        out.range = at(kHighPercentile) - at(kLowPercentile);
    }
    return out;
}
