// party-example <folder>: draws the example party's photos and renders its
// music (music.mp3) into <folder>. Every run writes the same bytes.
#include <cstdio>
#include <string>
#include <vector>

#include "encode.h"
#include "example_party.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: party-example <folder>\n");
        return 2;
    }
    const std::string dir = argv[1];
    drawExamplePhotos(dir);
    std::vector<unsigned char> mp3;
    std::string error;
    if (!encodeMp3(exampleTune(), mp3, error)) {
        std::fprintf(stderr, "party-example: %s\n", error.c_str());
        return 1;
    }
    const std::string path = dir + "/music.mp3";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    const bool written = out && std::fwrite(mp3.data(), 1, mp3.size(), out) == mp3.size();
    if (!out || std::fclose(out) != 0 || !written) {
        std::fprintf(stderr, "party-example: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}
