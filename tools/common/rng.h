// The generators' own pseudo-random numbers: xorshift32 from a fixed seed, so
// every run draws the same stars, snow, noise and bell jingles, and the
// pictures and the encoded music come out byte for byte the same on every
// machine (the C library's rand differs between libraries, and is the
// show's own).
#pragma once

#include <cstdint>

class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed != 0 ? seed : kFallbackSeed) {}

    std::uint32_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [0, 1).
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); }
    // Uniform in [-1, 1).
    double bipolar() { return unit() * 2.0 - 1.0; }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    // Uniform in 0 .. n - 1.
    int below(int n) { return static_cast<int>(unit() * n); }

private:
    // xorshift never leaves the all-zero state, so zero is not a seed.
    static constexpr std::uint32_t kFallbackSeed = 0x9e3779b9u;
    std::uint32_t state_;
};
