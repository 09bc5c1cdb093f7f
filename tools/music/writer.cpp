#include "writer.h"

#include "mixer.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kOctave = 12;
// Overlaps this long pass by unheard; a sixteenth (116 ms) already rubs.
constexpr int kPassingRows = 0;
}  // namespace

Event& Writer::add(Part part, int row, int rows, std::vector<double> pitches, double velocity, double variant)
{
    song_.part(part).push_back({row * kRowFrames, rows * kRowFrames, std::move(pitches), velocity, variant});
    return song_.part(part).back();
}

void Writer::pattern(Part part, int barRow, const std::string& hits, double gain, double variant)
{
    for (std::size_t r = 0; r < hits.size(); ++r)
        if (const double v = hitVelocity(hits[r]); v > 0.0)
            hit(part, barRow + static_cast<int>(r), v * gain, hits[r] == 'o' ? 1.0 : variant);
}

void Writer::drums(int barRow, const Drums& d, bool fill, double gain, double sub)
{
    pattern(Part::Kick, barRow, d.kick, gain, sub);
    pattern(Part::Snare, barRow, d.snare, gain);
    pattern(Part::Hat, barRow, d.hat, gain);
    song_.drumBars.push_back({barRow * kRowFrames, long(d.kick.size()) * kRowFrames, fill});
}

void Writer::section(const std::string& name, int row, int rows, bool full, bool fourOnTheFloor)
{
    song_.sections.push_back({name, row * kRowFrames, rows * kRowFrames, full, fourOnTheFloor});
}

Event& Writer::melody(Part part, int row, int rows, double pitch, bool appoggiatura, double velocity, double variant)
{
    Event& e = add(part, row, rows, {pitch}, velocity, variant);
    e.tune = true;
    e.appoggiatura = appoggiatura;
    if (!appoggiatura && rows > kPassingRows)
        melody_.push_back({row, rows, pitch});
    return e;
}

bool Writer::rubs(double tone, int row, int rows, int longest) const
{
    for (const Note& n : melody_) {
        // The note sounds on in its echo after it is let go.
        const int overlap = std::min(row + rows, n.row + n.rows + kEchoRows) - std::max(row, n.row);
        if (overlap > longest && std::lround(std::fabs(n.pitch - tone)) % kOctave == 1)
            return true;
    }
    return false;
}

void Writer::chord(Part part, int row, int rows, const std::vector<double>& pitches, double velocity, double variant)
{
    if (part != Part::Pad) {
        std::vector<double> kept;
        for (double p : pitches)
            if (!rubs(p, row, rows, kPassingRows))
                kept.push_back(p);
        // Every tone rubbing: the chord sits this step out.
        if (!kept.empty())
            add(part, row, rows, kept, velocity, variant);
        return;
    }
    // The pad renders a chord at 1 / tones of its level per tone.
    const double perTone = velocity / double(std::max<std::size_t>(1, pitches.size()));
    for (double p : pitches) {
        int from = row;
        for (int r = row; r <= row + rows; ++r) {
            const bool blocked = r < row + rows && rubs(p, r, 1, 0);
            if (r == row + rows || blocked) {
                if (r > from)
                    add(part, from, r - from, {p}, perTone, variant);
                from = r + 1;
            }
        }
    }
}

void Writer::bass(int row, int rows, double pitch, double root, double velocity)
{
    for (double p : {pitch, root})
        if (!rubs(p, row, rows, kPassingRows)) {
            add(Part::Bass, row, rows, {p}, velocity);
            return;
        }
}

Song Writer::finish(long frames)
{
    song_.frames = frames;
    for (auto& events : song_.parts)
        std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) { return a.start < b.start; });
    return std::move(song_);
}
