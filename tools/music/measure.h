// The figures the music is held to, measured the way the show hears it:
// decoded by the show's own decoder and analysed by its own spectrum, one
// spectrum per 60 Hz video frame. Header-only so the tests can use it too.
#pragma once

#include "decode.h"
#include "spectrum.h"
#include "spectrum_display.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace music {

constexpr int kVideoFps = 60;
constexpr std::size_t kFramesPerVideoFrame = kMixRate / kVideoFps;
// The opening scope shows bands 0-79; the plasma reads 0-319.
constexpr int kScopeBands = kScopeVisibleBins;
constexpr int kPlasmaBands = kDisplayBins;
// A scope band "moves" when it draws a visible dot.
constexpr float kLitLevel = 0.02f;
constexpr int kLitBandsWanted = 20;
constexpr double kQuietSeconds = 1.0;  // the build-up's first second is exempt
constexpr double kPercentile = 0.95;
// "Near zero" for the first and last samples of the loop.
constexpr double kEdgeSeconds = 0.001;

struct FrameStat {
    int litScopeBands;   // of bands 0-79, those over kLitLevel
    float plasmaMax;     // largest of bands 0-319
    float anyMax;        // largest of all bands
};

struct MusicFigures {
    double seconds = 0.0;
    double peakDb = -INFINITY;   // largest sample, dBFS
    std::size_t clipped = 0;     // samples at full scale
    double rmsDb = -INFINITY;    // over both channels
    double dcOffset = 0.0;       // mean sample, full scale = 1
    double edgePeak = 0.0;       // largest sample in the first and last millisecond
    double movingShare = 0.0;    // frames after the first second with enough lit bands
    double p95PlasmaMax = 0.0;   // 95th percentile of plasmaMax
    double maxBand = 0.0;        // largest band of any frame
};

inline double toDb(double level) { return level > 0.0 ? 20.0 * std::log10(level) : -INFINITY; }

// Spectrum of video frame f taken at sample frame f * 44100 / 60.
inline std::vector<FrameStat> frameStats(const PcmTrack& track)
{
    std::vector<FrameStat> stats;
    float bands[kSpectrumBands];
    for (std::size_t pos = 0; pos < track.frames(); pos += kFramesPerVideoFrame) {
        computeSpectrum(track.samples.data(), track.frames(), pos, bands);
        FrameStat s{0, 0.0f, 0.0f};
        for (int k = 0; k < kSpectrumBands; ++k) {
            if (k < kScopeBands && bands[k] > kLitLevel)
                ++s.litScopeBands;
            if (k < kPlasmaBands)
                s.plasmaMax = std::max(s.plasmaMax, bands[k]);
            s.anyMax = std::max(s.anyMax, bands[k]);
        }
        stats.push_back(s);
    }
    return stats;
}

inline MusicFigures measureMusic(const PcmTrack& track)
{
    constexpr double kFullScale = 32768.0;
    MusicFigures m;
    const std::size_t n = track.samples.size();
    if (n == 0)
        return m;
    m.seconds = double(track.frames()) / kMixRate;

    const std::size_t edge = static_cast<std::size_t>(kEdgeSeconds * kMixRate) * kMixChannels;
    double energy = 0.0, sum = 0.0;
    int peak = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const int v = track.samples[i];
        const int mag = std::abs(v);
        peak = std::max(peak, mag);
        m.clipped += (v <= -32768 || v >= 32767) ? 1 : 0;
        energy += double(v) * v;
        sum += v;
        if (i < edge || i >= n - std::min(n, edge))
            m.edgePeak = std::max(m.edgePeak, mag / kFullScale);
    }
    m.peakDb = toDb(peak / kFullScale);
    m.rmsDb = toDb(std::sqrt(energy / double(n)) / kFullScale);
    m.dcOffset = sum / double(n) / kFullScale;

    const std::vector<FrameStat> stats = frameStats(track);
    const std::size_t skip = static_cast<std::size_t>(kQuietSeconds * kVideoFps);
    std::size_t judged = 0, moving = 0;
    std::vector<float> maxima;
    for (std::size_t f = 0; f < stats.size(); ++f) {
        maxima.push_back(stats[f].plasmaMax);
        m.maxBand = std::max(m.maxBand, double(stats[f].anyMax));
        if (f >= skip) {
            ++judged;
            moving += stats[f].litScopeBands >= kLitBandsWanted ? 1 : 0;
        }
    }
    m.movingShare = judged ? double(moving) / judged : 0.0;
    std::sort(maxima.begin(), maxima.end());
    m.p95PlasmaMax = maxima[static_cast<std::size_t>(kPercentile * (maxima.size() - 1))];
    return m;
}

}  // namespace music
