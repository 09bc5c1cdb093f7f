// Holds the music to the figures a mixing engineer would: decodes FILE.mp3
// the way the show does and, unless --file-only, renders the generator's
// own score voice by voice (mixfigures.h). Each figure is printed with its
// bound; the exit status is 3 when any misses it.
//   mixcheck FILE.mp3 [--file-only]
#include "arcfigures.h"
#include "arrange.h"
#include "decode.h"
#include "mixfigures.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace {

int missed = 0;

void report(const char* name, double value, const char* unit, bool ok, const char* bound)
{
    std::printf("%-34s %9.2f %-4s %s  (%s)\n", name, value, unit, ok ? "ok  " : "MISS", bound);
    missed += ok ? 0 : 1;
}

void printFile(const FileFigures& f)
{
    report("integrated loudness", f.integratedLufs, "LUFS", true, "for reference");
    report("loudness range", f.loudnessRange, "LU", f.loudnessRange >= 4.0, ">= 4");
    report("energy below 250 Hz", 100.0 * f.lowShare, "%", f.lowShare <= 0.45, "<= 45");
    report("left/right correlation", f.correlation, "", f.correlation >= 0.5 && f.correlation <= 0.8, "0.5-0.8");
    report("lost summed to mono", f.monoLossDb, "dB", f.monoLossDb <= 1.5, "<= 1.5");
    double sum = 0.0;
    for (std::size_t i = 0; i < f.sectionSteps.size(); ++i) {
        std::printf("  %-32s -> %-30s %5.2f dB\n", f.sectionNames[i].c_str(), f.sectionNames[i + 1].c_str(),
                    f.sectionSteps[i]);
        sum += f.sectionSteps[i];
    }
    const double mean = f.sectionSteps.empty() ? 0.0 : sum / f.sectionSteps.size();
    report("section spectra, neighbours apart", mean, "dB", mean >= 2.0, "mean >= 2, level-matched third octaves");
    report("seam: chroma last 2 s ~ first 2 s", f.seamSimilarity, "", f.seamSimilarity >= 0.7, ">= 0.7");
    report("opening: loudest band, median", f.openingLoudestMedian, "", true, "show spectrum, 1-18 s");
    report("opening: lit scope bands, median", f.openingLitMedian, "", true, "show spectrum, 1-18 s");
    report("main: loudest band, median", f.mainLoudestMedian, "", true, "show spectrum, 18.5 s-end");
    report("main: sum of bands 0-319, median", f.mainBandSumMedian, "", true, "show spectrum, 18.5 s-end");
}

void printArc(const ArcFigures& f)
{
    std::printf("  %-42s %7s %8s %8s %8s\n", "section", "LUFS", "centroid", "onsets/s", "63/mids");
    for (const SectionArc& s : f.sections)
        std::printf("  %-42s %7.2f %6.0f Hz %8.2f %5.1f dB%s\n", s.name.c_str(), s.lufs, s.centroidHz,
                    s.onsetsPerSecond, s.subOverMidsDb, s.full ? "  full" : "");
    report("band's entry against the riser", f.entryLiftLu, "LU", f.entryLiftLu >= -1.0, ">= -1, short-term");
    report("full sections, smallest rise", f.fullRiseLeastLu, "LU", f.fullRiseLeastLu > 0.0, "> 0, each bigger");
    report("full sections, last over first", f.fullRiseTotalLu, "LU", f.fullRiseTotalLu >= 1.0, ">= 1");
    report("section spectra, nearest neighbours", f.spectrumStepLeastDb, "dB", f.spectrumStepLeastDb >= 2.5,
           ">= 2.5, level-matched third octaves");
    report("63 Hz octave against 125 Hz-1 kHz", f.subOverMidsWorstDb, "dB", f.subOverMidsWorstDb >= -3.0,
           ">= -3, four-on-the-floor sections");
    report("seam: last 100 ms against first", f.seamStepDb, "dB", f.seamStepDb <= 12.0, "<= 12");
    report("seam: crackle against the median", f.seamClickDb, "dB", f.seamClickDb <= 0.0, "<= 0, +-5 ms");
    char where[64];
    std::snprintf(where, sizeof where, "<= 1.5, worst from %.0f s", f.leanWorstAt);
    report("left/right lean, any 10 s", f.leanWorstDb, "dB", f.leanWorstDb <= 1.5, where);
}

void printStems(const StemFigures& f)
{
    report("kick share of the energy", 100.0 * f.kickShare, "%", f.kickShare <= 0.30, "<= 30");
    report("limiter at kicks, median", f.kickLossMedianDb, "dB", f.kickLossMedianDb <= 0.5, "<= 0.5");
    report("limiter at kicks, largest", f.kickLossMaxDb, "dB", f.kickLossMaxDb <= 1.5, "<= 1.5");
    std::printf("  %d of %d kicks lose more than 1 dB\n", f.kicksOverOneDb, f.kicks);
    report("bass under the kick, median", f.bassDuckDb, "dB", f.bassDuckDb <= -3.0, "<= -3, first 30 ms");
    report("limiter distortion 1-4 kHz, kicks", f.limiterResidueDb[0], "dB", f.limiterResidueDb[0] <= -40.0,
           "<= -40 against the mix");
    report("limiter distortion 4-16 kHz, kicks", f.limiterResidueDb[1], "dB", f.limiterResidueDb[1] <= -40.0,
           "<= -40 against the mix");
    report("arpeggio against lead, its band", f.arpOverLeadDb, "dB", f.arpOverLeadDb >= -6.0,
           ">= -6, 600 Hz-2.5 kHz");
    report("drum bars alike at fills, largest", f.fillCorrelation, "", f.fillCorrelation < 0.9, "< 0.9");
    std::printf("  %d fills; ordinary bars alike %.2f on average\n", f.fills, f.plainCorrelation);
    for (std::size_t i = 0; i < f.padToneCents.size(); ++i) {
        const std::string name = "pad chord tone " + std::to_string(i + 1) + ", mean pitch";
        report(name.c_str(), f.padToneCents[i], "cent", std::fabs(f.padToneCents[i]) <= 2.0, "within +-2");
    }
    report("envelopes not ending at zero", double(f.openEnvelopes.size()), "", f.openEnvelopes.empty(), "0");
    for (const std::string& name : f.openEnvelopes)
        std::printf("  %s\n", name.c_str());
    report("rubs between voices within 15 dB", f.clashes, "", f.clashes == 0, "0, 100 ms or more");
    for (const std::string& line : f.clashList)
        std::printf("  %s\n", line.c_str());
    std::printf("  %d named appoggiaturas\n", f.appoggiaturas);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || (argc == 3 && std::strcmp(argv[2], "--file-only") != 0) || argc > 3) {
        std::fprintf(stderr, "usage: %s FILE.mp3 [--file-only]\n", argv[0]);
        return 2;
    }
    PcmTrack track;
    std::string error;
    if (!decodeMp3(argv[1], track, error)) {
        std::fprintf(stderr, "mixcheck: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    try {
        const Song song = arrangeSong();
        std::printf("From the file %s:\n", argv[1]);
        printFile(measureFile(track.samples, song));
        printArc(measureArc(track.samples, song));
        if (argc == 2) {
            std::printf("From the generator's own score and voices:\n");
            printStems(measureStems(song));
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mixcheck: %s\n", e.what());
        return 1;
    }
    return missed ? 3 : 0;
}
