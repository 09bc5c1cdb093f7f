#include "spectrum.h"

#include <kissfft/kiss_fftr.h>

#include <algorithm>
#include <cmath>

namespace {

// The periodic Hann window averages exactly 0.5 over the block, so a sine of
// amplitude A on a band's centre gives a bin of A * N/2 * 0.5 = A * N/4.
constexpr float kBandScale = 4.0f / kFftSize;
// Mono mix of a stereo int16 frame, in full-scale units: (L + R) / 2 / 32768.
constexpr float kMonoScale = 0.5f / 32768.0f;
constexpr std::size_t kStereo = 2;
constexpr double kTwoPi = 6.283185307179586;
// Chosen by measuring the show's music frame by frame: with a larger mu the
// bars stand tall all the time and stop following the loudness; with a
// smaller one the plasma falls back to thin slivers under the loudest notes.
constexpr double kCurveMu = 100.0;

// Set up on first use and kept for the process, so a fetch per frame
// allocates nothing.
struct FftState {
    kiss_fftr_cfg cfg;
    float window[kFftSize];
    float block[kFftSize];
    kiss_fft_cpx bins[kFftSize / 2 + 1];

    FftState() : cfg(kiss_fftr_alloc(kFftSize, 0, nullptr, nullptr))
    {
        for (int n = 0; n < kFftSize; ++n)
            window[n] = static_cast<float>(0.5 - 0.5 * std::cos(kTwoPi * n / kFftSize));
    }
    ~FftState() { kiss_fftr_free(cfg); }
    FftState(const FftState&) = delete;
    FftState& operator=(const FftState&) = delete;
};

FftState& fftState()
{
    static FftState state;
    return state;
}

}  // namespace

float spectrumCurve(float magnitude)
{
    // The negated test also sends NaN to 0.
    if (!(magnitude > 0.0f))
        return 0.0f;
    if (magnitude >= 1.0f)
        return 1.0f;
    // Double precision and one final rounding keep the curve monotonic.
    static const double scale = 1.0 / std::log1p(kCurveMu);
    return static_cast<float>(std::min(1.0, std::log1p(kCurveMu * magnitude) * scale));
}

void computeSpectrum(const std::int16_t* stereo, std::size_t frames, std::size_t position,
                     float out[kSpectrumBands])
{
    const std::size_t heard = position < frames ? std::min<std::size_t>(frames - position, kFftSize) : 0;
    FftState& fft = fftState();
    if (heard == 0 || stereo == nullptr || fft.cfg == nullptr) {
        std::fill(out, out + kSpectrumBands, 0.0f);
        return;
    }

    const std::int16_t* frame = stereo + position * kStereo;
    for (std::size_t n = 0; n < heard; ++n, frame += kStereo) {
        const float mono = (static_cast<float>(frame[0]) + static_cast<float>(frame[1])) * kMonoScale;
        fft.block[n] = mono * fft.window[n];
    }
    std::fill(fft.block + heard, fft.block + kFftSize, 0.0f);

    kiss_fftr(fft.cfg, fft.block, fft.bins);
    for (int k = 0; k < kSpectrumBands; ++k)
        out[k] = spectrumCurve(std::sqrt(fft.bins[k].r * fft.bins[k].r + fft.bins[k].i * fft.bins[k].i) * kBandScale);
}
