#include "assets.h"

#include <cstddef>
#include <cstdio>
#include <string>

#ifdef FROSTHEM_OWN_PNG_LOADER
#include "png_load.h"
#else
#include <SDL_image.h>
#endif

#include "animation.h"
#include "geometry.h"
#include "held_stderr.h"
#include "picture_file.h"
#include "show_party.h"
#include "effects/balls.h"

sge_bmpFont* font;
sge_bmpFont* font_intro;
sge_bmpFont* font_intro_inverted;

SDL_Surface* img_snowflake;
SDL_Surface* img_snowflake2;
SDL_Surface* img_snowflake3;
SDL_Surface* img_shaddow;
SDL_Surface* img_bubbla;
SDL_Surface* img_snow_down;
SDL_Surface* img_top;
SDL_Surface* img_bar;
SDL_Surface* img_bar_1;
SDL_Surface* img_bottom;
SDL_Surface* img_top_bar;
SDL_Surface* img_tomte;
SDL_Surface* img_frosthemlogga;
SDL_Surface* img_frosthemlogga_skugga;
SDL_Surface* img_border_uppe;
SDL_Surface* img_border_nere;
SDL_Surface* bajssurface[kBajsSlots];
SDL_Surface* img_amigabars[kAmigaBarCount];

namespace {

// The strip's pictures in slot order (not the order of their numbers).
const char* const kBajsFiles[] = {
    "gfx/pics_1.png", "gfx/pics_2.png",  "gfx/pics_3.png",  "gfx/pics_7.png",
    "gfx/pics_12.png", "gfx/pics_11.png", "gfx/pics_5.png",  "gfx/pics_10.png",
    "gfx/pics_9.png", "gfx/pics_8.png",  "gfx/pics_4.png",  "gfx/pics_6.png",
    "gfx/botton.png", "gfx/botton.png",
};
static_assert(sizeof kBajsFiles / sizeof kBajsFiles[0] == kBajsSlots, "one file per slot");

const char* const kBallFiles[] = {
    "gfx/boll0001.png", "gfx/boll0002.png", "gfx/boll0003.png",
    "gfx/boll0004.png", "gfx/boll0005.png", "gfx/boll0006.png",
};

constexpr int kBallPictures = sizeof kBallFiles / sizeof kBallFiles[0];
static_assert(kBallPictures <= kMaxAnimationFrames, "room for every ball picture");

constexpr Uint32 kHelloDelay = 200;
constexpr Uint32 kDanceDelay = 150;
constexpr Uint32 kBallDelay = 20;
constexpr int kBallCycled = 5;  // the sixth ball picture is loaded, never shown
constexpr int kSFontGlyphs = '~' - '!' + 1;

// The first picture that could not be loaded, with the reason; the loads
// after it do nothing, and loadGfx hands it to its caller.
std::string failure;

// `detail`: what the decoding library said on its own, if anything.
std::nullptr_t loadFailed(const char* path, const std::string& detail = "")
{
    const char* reason = SDL_GetError();
    failure = std::string("cannot load \"") + path + "\": " + (reason && *reason ? reason : "unknown error") +
              detail;
    return nullptr;
}

bool failed()
{
    return !failure.empty();
}

}  // namespace

#ifdef FROSTHEM_OWN_PNG_LOADER
// Our own loader puts libpng's words into the error message itself.
SDL_Surface* readPicture(const char* path)
{
    return loadPngFile(path);
}
#else
SDL_Surface* readPicture(const char* path)
{
    return IMG_Load(path);
}
#endif

namespace {

// Refuses, before any library reads it, a file that cannot be opened (with
// the system's reason, which SDL leaves out) or that claims a size the
// decoders would try to allocate at once.
bool checkFile(const char* path)
{
    std::string reason;
    if (checkPictureFile(path, reason))
        return true;
    SDL_SetError("%s", reason.c_str());
    loadFailed(path);
    return false;
}

// A picture kept in its file's own pixel format, alpha channel included.
// SDL_image leaves libpng's default error handler in place, which prints its
// own complaint about a damaged PNG before the load fails: held, it goes into
// the one line that reports the failure.
SDL_Surface* loadPng(const char* path)
{
    if (failed() || !checkFile(path))
        return nullptr;
    SDL_ClearError();
    HeldStderr held;
    SDL_Surface* s = readPicture(path);
    const std::string said = held.release();
    if (!s)
        return loadFailed(path, asDetail(said));
    // A picture that loads keeps the library's warnings, as they were.
    std::fputs(said.c_str(), stderr);
    return s;
}

// Read like any picture and handed to SGE only once its top row has been
// counted: SGE takes any picture as a font, with as many glyphs as marks,
// keeps their positions in a fixed block that more marks overrun, and draws
// a character past the last glyph from positions it never set. A font in the
// SFont layout marks every printable character from '!' to '~'.
sge_bmpFont* loadFont(const char* path)
{
    SDL_Surface* picture = loadPng(path);
    if (!picture)
        return nullptr;
    const int marks = countGlyphMarks(picture);
    if (marks < kSFontGlyphs || marks > kMaxFontMarks) {
        SDL_FreeSurface(picture);
        if (marks < kSFontGlyphs)
            SDL_SetError("not a bitmap font (glyph marks for %d of the %d characters from '!' to '~')", marks,
                         kSFontGlyphs);
        else
            SDL_SetError("not a bitmap font (%d glyph marks on its top row, more than the %d a font may have)",
                         marks, kMaxFontMarks);
        return loadFailed(path);
    }
    SDL_ClearError();
    sge_bmpFont* f = sge_BF_CreateFont(picture, SGE_BFTRANSP | SGE_BFSFONT);
    SDL_FreeSurface(picture);  // the font keeps a copy in the display's format
    if (!f)
        return loadFailed(path);
    return f;
}

// A copy in the display's format: opaque, but fast to blit; a colour key set
// before the conversion carries over.
SDL_Surface* displayCopy(SDL_Surface* loaded, const char* path)
{
    if (!loaded)
        return nullptr;
    SDL_Surface* s = SDL_DisplayFormat(loaded);
    SDL_FreeSurface(loaded);
    if (!s)
        return loadFailed(path);
    return s;
}

SDL_Surface* loadPngDisplay(const char* path)
{
    return displayCopy(loadPng(path), path);
}

// The scratch surface the balls are turned in takes their picture's format,
// and SGE's transform hands an 8-bit picture back with a palette of white.
SDL_Surface* loadBall(const char* path)
{
    SDL_Surface* loaded = loadPng(path);
    if (!loaded)
        return nullptr;
    SDL_Surface* s = ballPicture32(loaded);
    if (!s) {
        loadFailed(path);
        SDL_FreeSurface(loaded);
    }
    return s;
}

void setKey(SDL_Surface* s, Uint8 r, Uint8 g, Uint8 b)
{
    if (s)
        SDL_SetColorKey(s, SDL_SRCCOLORKEY, SDL_MapRGB(s->format, r, g, b));
}

SDL_Surface* loadBmpKeyedBlack(const char* path)
{
    if (failed() || !checkFile(path))
        return nullptr;
    SDL_ClearError();
    SDL_Surface* s = SDL_LoadBMP_RW(SDL_RWFromFile(path, "rb"), 1);
    if (!s)
        return loadFailed(path);
    setKey(s, 0, 0, 0);
    return displayCopy(s, path);
}

// A party's logo: any picture the show reads, keyed on black as its own.
SDL_Surface* loadPictureKeyedBlack(const char* path)
{
    SDL_Surface* s = loadPng(path);
    setKey(s, 0, 0, 0);
    return displayCopy(s, path);
}

SDL_Surface* loadLogo(const std::string& party, const char* own)
{
    return party.empty() ? loadBmpKeyedBlack(own) : loadPictureKeyedBlack(party.c_str());
}

// A party's logo given without a shadow has none: one keyed black pixel.
SDL_Surface* noShadow()
{
    if (failed())
        return nullptr;
    SDL_Surface* s = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, kScreenDepth, 0, 0, 0, 0);
    if (!s)
        return loadFailed("(the logo's empty shadow)");
    SDL_FillRect(s, nullptr, 0);
    setKey(s, 0, 0, 0);
    return displayCopy(s, "(the logo's empty shadow)");
}

// The strip's twelve slots take a party's pictures in turn; the two spare
// slots stay the show's.
const char* bajsFile(int slot)
{
    const bool party = !showParty.pictures.empty() && slot < kStripSlots;
    return party ? partyPicture(slot).c_str() : kBajsFiles[slot];
}

}  // namespace

SDL_Surface* ballPicture32(SDL_Surface* loaded)
{
    if (loaded->format->BitsPerPixel == 32)
        return loaded;
    SDL_Surface* s = SDL_DisplayFormatAlpha(loaded);
    if (s)
        SDL_FreeSurface(loaded);
    return s;
}

namespace {

void setAnimation(Animation& a, int numFrames, Uint32 delay)
{
    a.numFrames = numFrames;
    a.delay = delay;
    a.curFrame = 0;
    a.lastTick = 0;
}

}  // namespace

bool loadGfx(std::string& error)
{
    failure.clear();
    font = loadFont("gfx/mario3.bmp");
    font_intro = loadFont("gfx/newfont.bmp");
    font_intro_inverted = loadFont("gfx/newfont_inverted.bmp");

    hello.frames[0] = loadPng("gfx/mun_1.png");
    hello.frames[1] = loadPng("gfx/mun_2.png");
    setAnimation(hello, 2, kHelloDelay);

    // The dance runs forth and back over three drawings.
    dance.frames[0] = loadPng("gfx/grumpeldondansar.png");
    dance.frames[1] = loadPng("gfx/grumpeldondansar2.png");
    dance.frames[2] = loadPng("gfx/grumpeldondansar3.png");
    dance.frames[3] = loadPng("gfx/grumpeldondansar2.png");
    setAnimation(dance, 4, kDanceDelay);

    img_snowflake = loadPngDisplay("gfx/snow1.png");
    img_snowflake2 = loadPng("gfx/snow2.png");
    img_snowflake3 = loadPng("gfx/snow3.png");
    setKey(img_snowflake, 255, 0, 255);

    for (int i = 0; i < kBajsSlots; i++)
        bajssurface[i] = loadPng(bajsFile(i));

    for (int i = 0; i < kBallPictures; i++)
        ball.frames[i] = loadBall(kBallFiles[i]);
    setAnimation(ball, kBallCycled, kBallDelay);

    img_shaddow = loadPng("gfx/shaddow.png");
    img_bubbla = loadPng("gfx/bubbla.png");
    img_snow_down = loadPng("gfx/snow_down.png");
    img_top = loadPngDisplay("gfx/top.png");
    img_bar = loadPngDisplay("gfx/bar.png");
    img_bar_1 = loadPngDisplay("gfx/bar_1.png");
    img_amigabars[0] = loadPngDisplay("gfx/bar_1.png");
    img_amigabars[1] = loadPngDisplay("gfx/bar_2.png");
    img_amigabars[2] = loadPngDisplay("gfx/bar_3.png");
    img_bottom = loadPngDisplay("gfx/botton.png");
    img_top_bar = loadPng("gfx/top_bar_snow.png");
    img_tomte = loadPng("gfx/tomte.png");
    img_frosthemlogga = loadLogo(showParty.logo, "gfx/frosthemliten.bmp");
    const bool shadowless = !showParty.logo.empty() && showParty.logoShadow.empty();
    img_frosthemlogga_skugga =
        shadowless ? noShadow() : loadLogo(showParty.logoShadow, "gfx/frosthem_skugga.bmp");
    img_border_uppe = loadPng("gfx/border_uppe.png");
    img_border_nere = loadPng("gfx/border_nere.png");
    if (failed()) {
        error = failure;
        return false;
    }

    initBallScratch();
    setupAmigaBalls();
    return true;
}
