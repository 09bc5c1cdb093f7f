// gfxgen <folder>: draws every picture and font of the show into <folder>.
#include <cstdio>
#include <string>

#include "gfxgen.h"

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: gfxgen <output folder> [<icon folder>]\n");
        return 2;
    }
    const std::string dir = argv[1];
    makePanels(dir);
    makeRasterBars(dir);
    makeDecor(dir);
    makeSnowflakes(dir);
    makeGnome(dir);
    makeGingerbread(dir);
    makeBubble(dir);
    makeLogo(dir);
    makeBalls(dir);
    makeFonts(dir);
    makePictures(dir);
    if (argc == 3)
        makeIcons(argv[2]);
    return 0;
}
