// Decodes an MP3 the way the show does and prints the figures the music is
// held to (measure.h). With --frames it also prints, per second, the fewest
// lit scope bands and the largest band, for finding weak spots; with
// --at the scope's bands at one moment; after the levels, the figures of how
// lively the scope and the plasma bars are (lively.h); with --wav it writes the decoded samples for a spectrogram.
//   musiccheck FILE.mp3 [--frames] [--at SECONDS] [--wav OUT.wav]
#include "lively.h"
#include "measure.h"
#include "wav.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

bool writeWav(const char* path, const PcmTrack& track, std::string& error)
{
    WavWriter wav;
    return wav.open(path, error) && wav.write(track.samples, error) && wav.close(error);
}

void printPerSecond(const PcmTrack& track)
{
    const std::vector<music::FrameStat> stats = music::frameStats(track);
    for (std::size_t f0 = 0; f0 < stats.size(); f0 += music::kVideoFps) {
        int fewest = music::kScopeBands;
        float largest = 0.0f;
        int weak = 0;
        std::vector<int> lit;
        for (std::size_t f = f0; f < std::min(stats.size(), f0 + music::kVideoFps); ++f) {
            fewest = std::min(fewest, stats[f].litScopeBands);
            largest = std::max(largest, stats[f].plasmaMax);
            weak += stats[f].litScopeBands < music::kLitBandsWanted ? 1 : 0;
            lit.push_back(stats[f].litScopeBands);
        }
        std::sort(lit.begin(), lit.end());
        std::printf("%4zus  lit fewest %2d median %2d  weak frames %2d  largest %.3f\n", f0 / music::kVideoFps, fewest,
                    lit[lit.size() / 2], weak, largest);
    }
}

// The scope's bands at one moment, to see which instruments light them.
void printBandsAt(const PcmTrack& track, double seconds)
{
    float bands[kSpectrumBands];
    computeSpectrum(track.samples.data(), track.frames(), static_cast<std::size_t>(seconds * kMixRate), bands);
    std::printf("bands 0-%d at %.2f s:", music::kScopeBands - 1, seconds);
    for (int k = 0; k < music::kScopeBands; ++k)
        std::printf("%s%.3f", k % 10 ? " " : "\n  ", bands[k]);
    std::printf("\n");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE.mp3 [--frames] [--at SECONDS] [--wav OUT.wav]\n", argv[0]);
        return 2;
    }
    PcmTrack track;
    std::string error;
    if (!decodeMp3(argv[1], track, error)) {
        std::fprintf(stderr, "musiccheck: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        if (std::strcmp(argv[i], "--frames") == 0) {
            printPerSecond(track);
        } else if (std::strcmp(argv[i], "--at") == 0 && i + 1 < argc) {
            printBandsAt(track, std::atof(argv[++i]));
        } else if (std::strcmp(argv[i], "--wav") == 0 && i + 1 < argc) {
            if (!writeWav(argv[++i], track, error)) {
                std::fprintf(stderr, "musiccheck: %s\n", error.c_str());
                return 1;
            }
        }
    }

    const music::MusicFigures m = music::measureMusic(track);
    std::FILE* file = std::fopen(argv[1], "rb");
    long bytes = -1;
    if (file && std::fseek(file, 0, SEEK_END) == 0)
        bytes = std::ftell(file);
    if (file)
        std::fclose(file);
    std::printf("duration      %.2f s\n", m.seconds);
    std::printf("size          %.2f MB (%ld bytes)\n", bytes / 1e6, bytes);
    std::printf("peak          %.2f dBFS, %zu clipped samples\n", m.peakDb, m.clipped);
    std::printf("rms           %.2f dBFS\n", m.rmsDb);
    std::printf("dc offset     %.6f\n", m.dcOffset);
    std::printf("edge peak     %.5f (first and last ms)\n", m.edgePeak);
    std::printf("moving frames %.1f %% (>= %d of bands 0-%d over %.2f)\n", 100.0 * m.movingShare,
                music::kLitBandsWanted, music::kScopeBands - 1, music::kLitLevel);
    std::printf("p95 frame max %.3f (bands 0-%d)\n", m.p95PlasmaMax, music::kPlasmaBands - 1);
    std::printf("largest band  %.3f\n", m.maxBand);
    music::printLively(music::measureLively(track), stdout);
    return 0;
}
