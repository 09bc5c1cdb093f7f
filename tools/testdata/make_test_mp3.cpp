// Synthesizes the sine tones the sound tests decode and encodes them with
// LAME: one file at the device's own format (44100 Hz stereo) and one that
// the decoder has to resample and widen (22050 Hz mono).
//
// The tone sits on the centre of spectrum band 20 (20 * 44100 / 1024 Hz) at
// half of full scale, so a decoded file must read about 0.5 in band 20.
//
// A third file is 45 minutes of silence at the lowest rate and bitrate MP3
// has (8000 Hz mono, 8 kbit/s), for the limit on how much of a file is
// played; its frames are all alike, so it costs git little.
#include <lame/lame.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr double kToneHz = 20.0 * 44100.0 / 1024.0;
constexpr double kTwoPi = 6.283185307179586;
constexpr double kFullScale = 32767.0;
// LAME's own worst case: 1.25 bytes per sample plus 7200.
constexpr int kFlushRoom = 7200;

struct ToneFile {
    const char* name;
    int rate;
    int channels;
    double seconds;
    double amplitude;  // of full scale
    int kbps;
};

constexpr ToneFile kFiles[] = {
    {"sine861_44k_stereo.mp3", 44100, 2, 0.5, 0.5, 128},
    {"sine861_22k_mono.mp3", 22050, 1, 0.5, 0.5, 128},
    {"silence45min_8k_mono.mp3", 8000, 1, 45 * 60, 0.0, 8},
};

std::vector<short> tone(int rate, int frames, double amplitude)
{
    std::vector<short> pcm(frames);
    for (int n = 0; n < frames; ++n)
        pcm[n] = static_cast<short>(std::lround(amplitude * kFullScale * std::sin(kTwoPi * kToneHz * n / rate)));
    return pcm;
}

bool writeTone(const std::string& dir, const ToneFile& spec)
{
    const std::string path = dir + "/" + spec.name;
    std::FILE* out = std::fopen(path.c_str(), "wb+");
    if (!out) {
        std::perror(path.c_str());
        return false;
    }
    const int frames = static_cast<int>(spec.rate * spec.seconds);
    const std::vector<short> pcm = tone(spec.rate, frames, spec.amplitude);

    lame_global_flags* lame = lame_init();
    lame_set_in_samplerate(lame, spec.rate);
    lame_set_out_samplerate(lame, spec.rate);
    lame_set_num_channels(lame, spec.channels);
    lame_set_mode(lame, spec.channels == 1 ? MONO : JOINT_STEREO);
    lame_set_brate(lame, spec.kbps);
    bool ok = lame_init_params(lame) == 0;

    std::vector<unsigned char> mp3(frames + frames / 4 + kFlushRoom);
    if (ok) {
        // Both channels carry the same tone; a mono encoder reads the left only.
        int bytes = lame_encode_buffer(lame, pcm.data(), pcm.data(), frames, mp3.data(), static_cast<int>(mp3.size()));
        ok = bytes >= 0 && std::fwrite(mp3.data(), 1, bytes, out) == static_cast<size_t>(bytes);
        bytes = lame_encode_flush(lame, mp3.data(), static_cast<int>(mp3.size()));
        ok = ok && bytes >= 0 && std::fwrite(mp3.data(), 1, bytes, out) == static_cast<size_t>(bytes);
    }
    // The Info tag carries the encoder delay and padding, which the decoder
    // uses to return exactly the frames that went in.
    if (ok)
        lame_mp3_tags_fid(lame, out);
    lame_close(lame);
    ok = std::fclose(out) == 0 && ok;
    if (!ok)
        std::fprintf(stderr, "make_test_mp3: encoding %s failed\n", path.c_str());
    return ok;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR\n", argv[0]);
        return 2;
    }
    bool ok = true;
    for (const ToneFile& spec : kFiles)
        ok = writeTone(argv[1], spec) && ok;
    return ok ? 0 : 1;
}
