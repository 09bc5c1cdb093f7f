// Writes the show's music: arranges the carols, renders and mixes them and
// encodes the result to MP3. Every run writes the same bytes.
//   musicgen OUTPUT.mp3
#include "arrange.h"
#include "encode.h"
#include "mixer.h"

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.mp3\n", argv[0]);
        return 2;
    }
    std::vector<unsigned char> mp3;
    try {
        const Song song = arrangeSong();
        std::string error;
        if (!encodeMp3(mixSong(song), mp3, error)) {
            std::fprintf(stderr, "musicgen: %s\n", error.c_str());
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "musicgen: %s\n", e.what());
        return 1;
    }
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) {
        std::perror(argv[1]);
        return 1;
    }
    const bool written = std::fwrite(mp3.data(), 1, mp3.size(), out) == mp3.size();
    if (std::fclose(out) != 0 || !written) {
        std::fprintf(stderr, "musicgen: writing %s failed\n", argv[1]);
        return 1;
    }
    return 0;
}
