// The rendered score: what each instrument plays, in samples, before any
// sound is made. The arranger writes it, the instruments read it.
#pragma once

#include <array>
#include <cstddef>
#include <vector>

// One sixteenth-note row of the tracker grid. 160 rows (ten 4/4 bars) make
// 18.5 s, so the full band breaks in just as the opening scene hands over
// to the main scene. About 130 beats a minute.
constexpr long kRowFrames = 5100;

enum class Part { Lead, Arp, Pad, Bass, Kick, Snare, Hat, Bells, Crash, Riser };
constexpr std::size_t kPartCount = 10;

struct Event {
    long start;   // first sample
    long length;  // samples held before the release
    std::vector<double> pitches;  // MIDI note numbers; empty for drums
    double velocity;              // 0..1
    double variant;               // per instrument: pulse duty, hat openness
};

struct Song {
    std::array<std::vector<Event>, kPartCount> parts;
    long frames = 0;  // length of the piece, tails included

    std::vector<Event>& part(Part p) { return parts[static_cast<std::size_t>(p)]; }
    const std::vector<Event>& part(Part p) const { return parts[static_cast<std::size_t>(p)]; }
};
