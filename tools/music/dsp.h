// Small building blocks of the synthesizer: oscillators, filters and the
// note envelope. All in double precision and free of hidden state, so a
// render depends only on the score and the seed.
#pragma once

#include <cmath>

constexpr int kSampleRate = 44100;
constexpr double kPi = 3.14159265358979323846;
constexpr double kTwoPi = 2.0 * kPi;

inline double midiToHz(double midi) { return 440.0 * std::pow(2.0, (midi - 69.0) / 12.0); }

// Band-limits a step in a naive waveform: without it the pulse waves alias
// audibly at the lead's and the arpeggio's pitches.
inline double polyBlep(double phase, double step)
{
    if (phase < step) {
        const double t = phase / step;
        return t + t - t * t - 1.0;
    }
    if (phase > 1.0 - step) {
        const double t = (phase - 1.0) / step;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

// A pulse wave of the given duty cycle, free of DC so that narrow pulses do
// not shift the mix off centre.
class PulseOsc {
public:
    double next(double hz, double duty)
    {
        const double step = hz / kSampleRate;
        double v = phase_ < duty ? 1.0 : -1.0;
        v += polyBlep(phase_, step);
        double falling = phase_ + 1.0 - duty;
        falling -= std::floor(falling);
        v -= polyBlep(falling, step);
        advance(step);
        return v - (2.0 * duty - 1.0);
    }
    double phase() const { return phase_; }

private:
    void advance(double step)
    {
        phase_ += step;
        phase_ -= std::floor(phase_);
    }
    double phase_ = 0.0;
};

// A triangle starting at zero: its harmonics fall off as 1/n^2, which is what
// makes the bass round. Only used low, where aliasing stays inaudible.
class TriangleOsc {
public:
    double next(double hz)
    {
        const double v = phase_ < 0.5 ? 4.0 * phase_ - 1.0 : 3.0 - 4.0 * phase_;
        phase_ += hz / kSampleRate;
        phase_ -= std::floor(phase_);
        return v;
    }

private:
    double phase_ = 0.25;
};

// Topology-preserving state-variable filter: stays stable while its cutoff
// sweeps, as it does in the riser and the bells.
class Svf {
public:
    struct Out {
        double low, band, high;
    };
    Out process(double in, double hz, double q)
    {
        const double g = std::tan(kPi * std::fmin(hz, 0.45 * kSampleRate) / kSampleRate);
        const double k = 1.0 / q;
        const double a1 = 1.0 / (1.0 + g * (g + k));
        const double v3 = in - ic2_;
        const double v1 = a1 * ic1_ + g * a1 * v3;
        const double v2 = ic2_ + g * v1;
        ic1_ = 2.0 * v1 - ic1_;
        ic2_ = 2.0 * v2 - ic2_;
        return {v2, v1, in - k * v1 - v2};
    }

private:
    double ic1_ = 0.0, ic2_ = 0.0;
};

class OnePoleLow {
public:
    explicit OnePoleLow(double hz) { setCutoff(hz); }
    // Keeps the state, so a voice can change colour between notes.
    void setCutoff(double hz) { a_ = 1.0 - std::exp(-kTwoPi * hz / kSampleRate); }
    double process(double in) { return state_ += a_ * (in - state_); }

private:
    double a_;
    double state_ = 0.0;
};

// Attack, exponential decay toward a sustain level, linear release after the
// note is let go. Times in seconds. A note opens from `from` (zero, or where
// the note it cuts off had got to) and closes through zero, so nothing
// clicks.
struct Envelope {
    double attack;
    double decay;
    double sustain;
    double release;

    double held(double t, double from = 0.0) const
    {
        if (t < attack)
            return from + (1.0 - from) * t / attack;
        return sustain + (1.0 - sustain) * std::exp(-(t - attack) / decay);
    }
    // Level at time t of a note held for `length` seconds.
    double level(double t, double length, double from = 0.0) const
    {
        if (t < length)
            return held(t, from);
        const double r = 1.0 - (t - length) / release;
        return r > 0.0 ? held(length, from) * r : 0.0;
    }
};
