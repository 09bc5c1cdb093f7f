#include "lively.h"

#include "correlation.h"
#include "measure.h"
#include "spectrum.h"
#include "spectrum_display.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace music {

namespace {

constexpr double kOpeningFrom = 1.0;
constexpr double kOpeningTo = kOpeningMs / 1000.0;
constexpr double kMainFrom = 18.5;

// The effects draw by spectrum_display.h: the plasma's bar on four sides,
// the scope over the plasma's bins.
constexpr int kPlasmaBins = kDisplayBins;
constexpr float kPlasmaRows = static_cast<float>(kPlasmaBarScale);
constexpr int kPixelsPerRow = 4;
constexpr int kScopeBins = kDisplayBins;
// Values in [0, 1] give at most 170 rows; a bar that tall is "full".
constexpr int kFullRows = static_cast<int>(kPlasmaBarScale);

// The loudness is taken over 50 ms centred on the middle of the block the
// spectrum analyses, so both look at the same moment.
constexpr std::size_t kRmsFrames = kMixRate / 20;
constexpr double kPcmFullScale = 32768.0;

double median(std::vector<double> values)
{
    if (values.empty())
        return 0.0;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}

// RMS of the mono mix over kRmsFrames around `centre`, cut at the ends.
double rmsAround(const PcmTrack& track, std::size_t centre)
{
    const std::size_t from = centre > kRmsFrames / 2 ? centre - kRmsFrames / 2 : 0;
    const std::size_t to = std::min(track.frames(), centre + kRmsFrames / 2);
    if (to <= from)
        return 0.0;
    double energy = 0.0;
    for (std::size_t f = from; f < to; ++f) {
        const double mono = (track.samples[f * kMixChannels] + track.samples[f * kMixChannels + 1]) / (2.0 * kPcmFullScale);
        energy += mono * mono;
    }
    return std::sqrt(energy / static_cast<double>(to - from));
}

// Same rounding as the show's toInt: to nearest, halves away from zero.
int barRows(float value)
{
    return std::min(kPlasmaMaxBarRows, static_cast<int>(std::lround(value * kPlasmaRows)));
}

}  // namespace

LivelyFigures measureLively(const PcmTrack& track)
{
    std::vector<double> pixels, loudness, lit, visibleLit, loudest;
    std::size_t loudFrames = 0, fullBars = 0;
    float bands[kSpectrumBands];
    for (std::size_t pos = 0; pos < track.frames(); pos += kFramesPerVideoFrame) {
        const double seconds = static_cast<double>(pos) / kMixRate;
        const bool main = seconds >= kMainFrom;
        const bool opening = seconds >= kOpeningFrom && seconds < kOpeningTo;
        if (!main && !opening)
            continue;
        computeSpectrum(track.samples.data(), track.frames(), pos, bands);
        const float top = *std::max_element(bands, bands + kPlasmaBins);
        if (main) {
            int rows = 0;
            for (int k = 0; k < kPlasmaBins; ++k) {
                const int h = barRows(bands[k]);
                rows += std::max(h, 0);
                fullBars += h >= kFullRows ? 1 : 0;
            }
            pixels.push_back(kPixelsPerRow * rows);
            loudness.push_back(rmsAround(track, pos + kFftSize / 2));
            loudFrames += top >= LivelyBounds::kLoudLevel ? 1 : 0;
        } else {
            int count = 0, visible = 0;
            for (int k = 0; k < kScopeBins; ++k) {
                if (bands[k] * kScopeScale > kScopeThreshold) {
                    ++count;
                    visible += k < kScopeVisibleBins ? 1 : 0;
                }
            }
            lit.push_back(count);
            visibleLit.push_back(visible);
            loudest.push_back(top);
        }
    }

    LivelyFigures m;
    if (!pixels.empty()) {
        m.plasmaPixelsMedian = median(pixels);
        m.loudFrameShare = static_cast<double>(loudFrames) / pixels.size();
        m.fullHeightShare = static_cast<double>(fullBars) / (pixels.size() * kPlasmaBins);
        m.loudnessCorrelation = pearson(pixels, loudness);
    }
    m.scopeLitMedian = median(lit);
    m.scopeVisibleLitMedian = median(visibleLit);
    m.scopeLoudestMedian = median(loudest);
    return m;
}

bool printLively(const LivelyFigures& m, std::FILE* out)
{
    using B = LivelyBounds;
    bool all = true;
    auto line = [&](const char* name, double value, double low, double high) {
        const bool ok = value >= low && value <= high;
        std::fprintf(out, "%-26s %10.3f  %-3s (%g to %g)\n", name, value, ok ? "ok" : "OUT", low, high);
        all = all && ok;
    };
    std::fprintf(out, "main scene, %.1f s to the end:\n", kMainFrom);
    line("  plasma pixels, median", m.plasmaPixelsMedian, B::kPlasmaPixelsLow, B::kPlasmaPixelsHigh);
    line("  frames loudest >= 0.5", m.loudFrameShare, B::kLoudFrameShare, 1.0);
    line("  bars at full height", m.fullHeightShare, 0.0, B::kFullHeightShare);
    line("  r(pixels, 50 ms RMS)", m.loudnessCorrelation, B::kLoudnessCorrelation, 1.0);
    std::fprintf(out, "opening, %.0f s to %.0f s:\n", kOpeningFrom, kOpeningTo);
    line("  scope bins lit, median", m.scopeLitMedian, B::kScopeLit, kScopeBins);
    std::fprintf(out, "%-26s %10.3f      (of the %d on screen)\n", "  on screen, median", m.scopeVisibleLitMedian,
                 kScopeVisibleBins);
    line("  loudest bin, median", m.scopeLoudestMedian, B::kScopeLoudest, 1.0);
    return all;
}

}  // namespace music
