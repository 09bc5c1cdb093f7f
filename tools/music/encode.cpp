#include "encode.h"

#include <lame/lame.h>

#include <algorithm>
#include <memory>

namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
// LAME's quality scale runs 0 (best, slowest) to 9; 2 is its "high quality".
constexpr int kQuality = 2;
// LAME's own worst-case output size: 1.25 bytes per sample plus 7200.
constexpr int kFlushRoom = 7200;
// Frames fed per call, so the output buffer stays small.
constexpr int kChunkFrames = 1 << 16;
// Room for one MPEG frame, the largest the Info tag can take.
constexpr std::size_t kTagRoom = 8192;

struct LameCloser {
    void operator()(lame_global_flags* g) const { lame_close(g); }
};

}  // namespace

bool encodeMp3(const std::vector<std::int16_t>& stereo, std::vector<unsigned char>& mp3, std::string& error)
{
    mp3.clear();
    std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
    if (!lame) {
        error = "lame_init failed";
        return false;
    }
    lame_set_in_samplerate(lame.get(), kRate);
    lame_set_out_samplerate(lame.get(), kRate);
    lame_set_num_channels(lame.get(), kChannels);
    lame_set_mode(lame.get(), JOINT_STEREO);
    lame_set_brate(lame.get(), kMp3BitrateKbps);
    lame_set_quality(lame.get(), kQuality);
    lame_set_bWriteVbrTag(lame.get(), 1);
    if (lame_init_params(lame.get()) != 0) {
        error = "LAME rejected the encoder settings";
        return false;
    }

    std::vector<unsigned char> chunk(kChunkFrames * 5 / 4 + kFlushRoom);
    const long frames = static_cast<long>(stereo.size() / kChannels);
    for (long at = 0; at < frames; at += kChunkFrames) {
        const int count = static_cast<int>(std::min<long>(kChunkFrames, frames - at));
        // LAME's interface is not const-correct; it only reads the input.
        short* in = const_cast<short*>(stereo.data() + at * kChannels);
        const int bytes = lame_encode_buffer_interleaved(lame.get(), in, count, chunk.data(), int(chunk.size()));
        if (bytes < 0) {
            error = "LAME failed to encode (" + std::to_string(bytes) + ")";
            return false;
        }
        mp3.insert(mp3.end(), chunk.begin(), chunk.begin() + bytes);
    }
    const int bytes = lame_encode_flush(lame.get(), chunk.data(), int(chunk.size()));
    if (bytes < 0) {
        error = "LAME failed to flush";
        return false;
    }
    mp3.insert(mp3.end(), chunk.begin(), chunk.begin() + bytes);

    // The first frame LAME wrote is a placeholder for the Info tag, which is
    // only known now.
    std::vector<unsigned char> tag(kTagRoom);
    const std::size_t tagBytes = lame_get_lametag_frame(lame.get(), tag.data(), tag.size());
    if (tagBytes > tag.size() || tagBytes > mp3.size()) {
        error = "LAME Info tag does not fit";
        return false;
    }
    std::copy(tag.begin(), tag.begin() + tagBytes, mp3.begin());
    return true;
}
