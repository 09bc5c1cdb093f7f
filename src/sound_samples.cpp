#include "sound_samples.h"

#include <array>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "report.h"
#include "sound.h"

namespace {

constexpr int kSampleSlots = 16;
constexpr int kAnyFree = -1;  // the sample slot meaning "pick one"
// Decoded before the sample load returns; the rest follows in the background.
constexpr std::size_t kFirstFrames = kMixRate;

// Kept for the whole process and never destroyed, as the channel is: the
// device may still be mixing from a track while the process exits.
std::array<std::unique_ptr<FSOUND_SAMPLE>, kSampleSlots>& slots()
{
    static auto* const held = new std::array<std::unique_ptr<FSOUND_SAMPLE>, kSampleSlots>;
    return *held;
}

int resolveSlot(int index)
{
    if (index == kAnyFree) {
        for (int i = 0; i < kSampleSlots; ++i)
            if (!slots()[i])
                return i;
        return -1;
    }
    return index >= 0 && index < kSampleSlots ? index : -1;
}

FSOUND_SAMPLE* storeSample(int slot, std::unique_ptr<FSOUND_SAMPLE> sample)
{
    std::unique_ptr<FSOUND_SAMPLE>& held = slots()[slot];
    if (held)
        stopChannelPlaying(&held->track);
    held = std::move(sample);
    return held.get();
}

void reportLoadFailure(const char* name, const std::string& reason)
{
    reportError("frosthem: cannot load music \"%s\": %s", name, reason.c_str());
}

std::string cutNote(const char* name)
{
    return std::string("frosthem: music \"") + name + "\" runs past 30 minutes; only its first 30 are played";
}

// Decoding threads end before the process does, whatever else is still
// running then (the device keeps mixing from the decoded part).
void stopDecoding()
{
    for (auto& slot : slots())
        if (slot)
            slot->track.stop();
}

}  // namespace

void stopDecodingAtExit()
{
    static const bool registered = std::atexit(stopDecoding) == 0;
    (void)registered;
}

void dropSamples()
{
    for (auto& slot : slots())
        slot.reset();
}

// Always the whole file (up to 30 minutes), played once: the show loads with
// no loop, offset or length, and repeats the music itself. Returns once the
// first second is decoded; that part decides whether the file is music.
FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name, unsigned int, int, int)
{
    std::string reason;
    FSOUND_SAMPLE* sample = soundLoadSample(index, name, reason);
    if (sample == nullptr)
        reportLoadFailure(name != nullptr ? name : "", reason);
    return sample;
}

FSOUND_SAMPLE* soundLoadSample(int index, const char* name, std::string& reason)
{
    const int slot = resolveSlot(index);
    if (slot < 0) {
        reason = "no such sample slot";
        return nullptr;
    }
    if (name == nullptr) {
        reason = "no file name";
        return nullptr;
    }
    auto sample = std::make_unique<FSOUND_SAMPLE>();
    if (!sample->track.start(name, kFirstFrames, kMaxTrackFrames, cutNote(name), reason))
        return nullptr;
    return storeSample(slot, std::move(sample));
}

FSOUND_SAMPLE* soundFedSample(int index, const char* name, std::string& reason)
{
    const int slot = resolveSlot(index);
    if (slot < 0) {
        reason = "no such sample slot";
        return nullptr;
    }
    auto sample = std::make_unique<FSOUND_SAMPLE>();
    if (!sample->track.startFed(kMaxTrackFrames, cutNote(name != nullptr ? name : ""), reason))
        return nullptr;
    return storeSample(slot, std::move(sample));
}

StreamedTrack* soundFedTrack(FSOUND_SAMPLE* sample)
{
    return sample != nullptr ? &sample->track : nullptr;
}

const PcmTrack* soundSampleData(FSOUND_SAMPLE* sample)
{
    return sample != nullptr ? &sample->track.whole() : nullptr;
}

const StreamedTrack* soundSampleTrack(FSOUND_SAMPLE* sample)
{
    return sample != nullptr ? &sample->track : nullptr;
}

void soundWaitDecoded(FSOUND_SAMPLE* sample)
{
    if (sample != nullptr)
        sample->track.waitFinished();
}

FSOUND_SAMPLE* soundSampleFromPcm(int index, PcmTrack pcm)
{
    const int slot = resolveSlot(index);
    if (slot < 0 || pcm.frames() == 0)
        return nullptr;
    auto sample = std::make_unique<FSOUND_SAMPLE>();
    sample->track.adopt(std::move(pcm));
    return storeSample(slot, std::move(sample));
}
