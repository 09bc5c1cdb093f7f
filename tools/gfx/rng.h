// The generator's own pseudo-random numbers: a fixed algorithm with a fixed
// seed per picture, so the pictures are the same on every machine and run
// (the C library's rand differs between libraries and is the show's own).
#pragma once

#include <cstdint>

class Rng {
public:
    explicit Rng(uint32_t seed) : state_(seed ? seed : 0x9e3779b9u) {}

    // xorshift32: tiny, and plenty for placing stars and snow.
    uint32_t next()
    {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    // Uniform in [0, 1).
    double unit() { return (next() >> 8) * (1.0 / 16777216.0); }
    double range(double lo, double hi) { return lo + (hi - lo) * unit(); }
    int below(int n) { return static_cast<int>(unit() * n); }

private:
    uint32_t state_;
};
