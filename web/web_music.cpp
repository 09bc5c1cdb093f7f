#include "web_music.h"

#include <emscripten.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "file_ptr.h"
#include "streamtrack.h"

namespace {

// Enough to start on: the download outruns playback many times over, so
// decoding keeps ahead from here on a sane link.
constexpr std::size_t kPlayableFrames = std::size_t(5) * kMixRate;
constexpr std::size_t kTakeBytes = 64 * 1024;
// Frames decoded between looks at the clock: a few MPEG frames.
constexpr std::size_t kStepFrames = 4 * 1152;

// The page's download: Module.music holds the chunks that have arrived, in
// order, and whether the whole file is in (done) or will not come (failed);
// this module's own place in them is Module.musicAt.
EM_JS(int, jsMusicTake, (unsigned char* dest, int room), {
    const m = Module.music;
    const at = Module.musicAt || (Module.musicAt = {chunk: 0, offset: 0});
    let n = 0;
    while (n < room && at.chunk < m.chunks.length) {
        const chunk = m.chunks[at.chunk];
        const k = Math.min(room - n, chunk.length - at.offset);
        HEAPU8.set(chunk.subarray(at.offset, at.offset + k), dest + n);
        n += k;
        at.offset += k;
        if (at.offset === chunk.length) {
            at.chunk++;
            at.offset = 0;
        }
    }
    return n;
});

// -1: the page could not get the file; 1: every byte is in and taken.
EM_JS(int, jsMusicState, (), {
    const m = Module.music;
    const taken = Module.musicAt ? Module.musicAt.chunk : 0;
    return m.failed ? -1 : (m.done && taken >= m.chunks.length ? 1 : 0);
});

EM_JS(void, jsMusicRefused, (), { Module.music.failed = true; });

std::vector<unsigned char>& takeBuffer()
{
    static std::vector<unsigned char> buffer(kTakeBytes);
    return buffer;
}

}  // namespace

MusicArrival pumpMusic(FSOUND_SAMPLE* sample, double budgetMs, std::string& error)
{
    StreamedTrack* track = soundFedTrack(sample);
    if (track == nullptr)
        return MusicArrival::Failed;
    std::vector<unsigned char>& buffer = takeBuffer();
    const double deadline = emscripten_get_now() + budgetMs;
    while (!track->finished()) {
        const int taken = jsMusicTake(buffer.data(), static_cast<int>(buffer.size()));
        if (!track->feed(buffer.data(), static_cast<std::size_t>(taken), error))
            return MusicArrival::Failed;
        const int state = jsMusicState();
        if (state < 0)
            return MusicArrival::Failed;
        if (state > 0)
            track->endFeed();
        const std::size_t before = track->decodedFrames();
        if (!track->decodeFed(kStepFrames, error))
            return MusicArrival::Failed;
        // Decoded all it has: the next bytes come with a later frame.
        const bool starved = taken == 0 && track->decodedFrames() == before;
        if (starved || emscripten_get_now() >= deadline)
            break;
    }
    return track->finished() || track->decodedFrames() >= kPlayableFrames ? MusicArrival::Playable
                                                                           : MusicArrival::Coming;
}

void refuseMusic()
{
    jsMusicRefused();
}

bool saveMusic(const std::string& path, std::string& error)
{
    // The show's file names hold one folder at most (data/, party/).
    const std::size_t slash = path.rfind('/');
    if (slash != std::string::npos && mkdir(path.substr(0, slash).c_str(), 0755) != 0 && errno != EEXIST) {
        error = path.substr(0, slash) + ": " + std::strerror(errno);
        return false;
    }
    const std::string part = path + ".part";
    FilePtr out(std::fopen(part.c_str(), "wb"));
    if (!out) {
        error = part + ": " + std::strerror(errno);
        return false;
    }
    std::vector<unsigned char>& buffer = takeBuffer();
    for (;;) {
        const auto taken = static_cast<std::size_t>(jsMusicTake(buffer.data(), static_cast<int>(buffer.size())));
        if (taken == 0)
            break;
        if (std::fwrite(buffer.data(), 1, taken, out.get()) != taken) {
            error = part + ": " + std::strerror(errno);
            return false;
        }
    }
    if (std::fclose(out.release()) != 0 || std::rename(part.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}
