#include "spectra.h"

#include <kissfft/kiss_fftr.h>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

constexpr double kRate = 44100.0;
constexpr double kPi = 3.14159265358979323846;
constexpr double kLowestBandHz = 50.0;
constexpr double kHighestBandHz = 16000.0;
constexpr double kChromaLowHz = 80.0;
constexpr double kChromaHighHz = 5000.0;
constexpr double kTiny = 1e-20;

double binHz(std::size_t k) { return double(k) * kRate / kAnalysisFft; }

struct FftFree {
    void operator()(kiss_fftr_state* cfg) const { kiss_fftr_free(cfg); }
};

}  // namespace

std::vector<double> powerSpectrum(const std::vector<float>& mono, std::size_t from, std::size_t to)
{
    const std::size_t bins = kAnalysisFft / 2 + 1;
    std::vector<double> power(bins, 0.0);
    std::unique_ptr<kiss_fftr_state, FftFree> cfg(kiss_fftr_alloc(kAnalysisFft, 0, nullptr, nullptr));
    std::vector<float> block(kAnalysisFft);
    std::vector<kiss_fft_cpx> out(bins);
    to = std::min(to, mono.size());
    std::size_t blocks = 0;
    for (std::size_t at = from; at + kAnalysisFft <= to; at += kAnalysisFft / 2, ++blocks) {
        for (int n = 0; n < kAnalysisFft; ++n)
            block[n] = static_cast<float>(mono[at + n] * (0.5 - 0.5 * std::cos(2.0 * kPi * n / kAnalysisFft)));
        kiss_fftr(cfg.get(), block.data(), out.data());
        for (std::size_t k = 0; k < bins; ++k)
            power[k] += double(out[k].r) * out[k].r + double(out[k].i) * out[k].i;
    }
    for (double& p : power)
        p /= std::max<std::size_t>(1, blocks);
    return power;
}

std::vector<double> thirdOctaveProfile(const std::vector<double>& power)
{
    double total = kTiny;
    for (double p : power)
        total += p;
    std::vector<double> levels;
    for (double centre = kLowestBandHz; centre <= kHighestBandHz * 1.01; centre *= std::cbrt(2.0)) {
        const double lo = centre / std::pow(2.0, 1.0 / 6.0), hi = centre * std::pow(2.0, 1.0 / 6.0);
        double sum = kTiny;
        for (std::size_t k = 0; k < power.size(); ++k)
            if (binHz(k) >= lo && binHz(k) < hi)
                sum += power[k];
        levels.push_back(10.0 * std::log10(sum / total));
    }
    return levels;
}

double shareBelow(const std::vector<double>& power, double hz)
{
    double below = 0.0, total = kTiny;
    for (std::size_t k = 0; k < power.size(); ++k) {
        total += power[k];
        below += binHz(k) < hz ? power[k] : 0.0;
    }
    return below / total;
}

std::vector<double> chroma(const std::vector<double>& power)
{
    std::vector<double> classes(12, 0.0);
    for (std::size_t k = 1; k < power.size(); ++k) {
        const double hz = binHz(k);
        if (hz < kChromaLowHz || hz > kChromaHighHz)
            continue;
        const long midi = std::lround(69.0 + 12.0 * std::log2(hz / 440.0));
        classes[static_cast<std::size_t>(((midi % 12) + 12) % 12)] += power[k];
    }
    return classes;
}

double cosineSimilarity(const std::vector<double>& a, const std::vector<double>& b)
{
    double ab = 0.0, aa = kTiny, bb = kTiny;
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        ab += a[i] * b[i];
        aa += a[i] * a[i];
        bb += b[i] * b[i];
    }
    return ab / std::sqrt(aa * bb);
}
