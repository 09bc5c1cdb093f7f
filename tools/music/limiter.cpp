#include "limiter.h"

#include "dsp.h"

#include <algorithm>
#include <cmath>
#include <deque>

std::vector<float> limiterGain(const std::vector<float>& left, const std::vector<float>& right,
                               const LimiterSettings& settings)
{
    const long n = static_cast<long>(std::min(left.size(), right.size()));
    const long ahead = std::max(1L, std::lround(settings.lookaheadSeconds * kSampleRate));
    std::vector<double> need(n);
    for (long s = 0; s < n; ++s) {
        const double peak = std::max(std::fabs(double(left[s])), std::fabs(double(right[s])));
        need[s] = peak > settings.ceiling ? settings.ceiling / peak : 1.0;
    }

    // Smallest gain needed anywhere in the next `ahead` frames (a sliding
    // minimum), then let go slowly.
    std::vector<double> held(n);
    std::deque<long> window;
    const double release = 1.0 - std::exp(-1.0 / (settings.releaseSeconds * kSampleRate));
    double last = 1.0;
    for (long s = n - 1; s >= 0; --s) {
        while (!window.empty() && need[window.back()] >= need[s])
            window.pop_back();
        window.push_back(s);
        while (window.front() >= s + ahead)
            window.pop_front();
        held[s] = need[window.front()];
    }
    for (long s = 0; s < n; ++s) {
        last = std::min(held[s], last + (1.0 - last) * release);
        held[s] = last;
    }

    // A moving average over the look-ahead smooths the fall into a ramp.
    // Every value averaged already covers frame s, so the ramp is down to
    // what s needs by the time s plays.
    std::vector<float> gain(n);
    double sum = held.empty() ? 0.0 : held[0] * ahead;
    for (long s = 0; s < n; ++s) {
        sum += held[s] - (s >= ahead ? held[s - ahead] : held[0]);
        gain[s] = static_cast<float>(std::min({1.0, sum / double(ahead), need[s]}));
    }
    return gain;
}
