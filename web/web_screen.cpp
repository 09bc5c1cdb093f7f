#include "web_screen.h"

#include <emscripten.h>
#include <sge.h>

#include <vector>

#include "assets.h"
#include "globals.h"
#include "party/font_code.h"
#include "party/letters.h"
#include "show_party.h"

namespace {

constexpr int kBytesPerPixel = 4;
constexpr Uint8 kOpaque = 255;
constexpr int kTitleY = 160;
constexpr int kSubtitleY = 240;
constexpr int kPromptY = 300;
// The background letters' font is wide: the name alone fits the screen.
char kTitle[] = "FROSTHEM";
char kSubtitle[] = "LAN XMAS 2005";
char kPrompt[] = "click or press a key to start";

std::vector<Uint8> rgba(static_cast<size_t>(kScreenWidth) * kScreenHeight * kBytesPerPixel);

EM_JS(void, jsPresent, (const Uint8* pixels, int width, int height), {
    Module.present(HEAPU8.subarray(pixels, pixels + width * height * 4), width, height);
});

Uint8 channel(Uint32 pixel, Uint32 mask, Uint8 shift, Uint8 loss)
{
    return static_cast<Uint8>(((pixel & mask) >> shift) << loss);
}

void centred(sge_bmpFont* f, char* text, int y)
{
    const SDL_Rect size = sge_BF_TextSize(f, text);
    sge_BF_textout(screen, f, text, static_cast<Sint16>((kScreenWidth - size.w) / 2),
                   static_cast<Sint16>(y));
}

// UTF-8 as font codes; a letter the fonts lack shows as '?'.
std::string fontCodes(const std::string& utf8)
{
    std::string codes;
    for (size_t pos = 0; pos < utf8.size();) {
        char32_t c;
        int length;
        const int code = decodeUtf8(utf8, pos, c, length) ? letterCode(c) : -1;
        codes += static_cast<char>(code < 0 ? '?' : code);
        pos += static_cast<size_t>(length);
    }
    return codes;
}

// In `f`, or in the message's font where it is too wide for the screen.
void centredCodes(sge_bmpFont* f, const std::string& utf8, int y)
{
    const std::string codes = fontCodes(utf8);
    if (fontCodesWidth(f, codes) > kScreenWidth)
        f = font;
    drawFontCodes(screen, f, codes, static_cast<Sint16>((kScreenWidth - fontCodesWidth(f, codes)) / 2),
                  static_cast<Sint16>(y));
}

}  // namespace

const Uint8* screenRgba()
{
    SDL_LockSurface(screen);
    const SDL_PixelFormat* f = screen->format;
    Uint8* out = rgba.data();
    for (int y = 0; y < kScreenHeight; y++) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(screen->pixels) +
                                                          y * screen->pitch);
        for (int x = 0; x < kScreenWidth; x++, out += kBytesPerPixel) {
            out[0] = channel(row[x], f->Rmask, f->Rshift, f->Rloss);
            out[1] = channel(row[x], f->Gmask, f->Gshift, f->Gloss);
            out[2] = channel(row[x], f->Bmask, f->Bshift, f->Bloss);
            out[3] = kOpaque;
        }
    }
    SDL_UnlockSurface(screen);
    return rgba.data();
}

void presentScreen()
{
    jsPresent(screenRgba(), kScreenWidth, kScreenHeight);
}

void drawTitleCard()
{
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    SDL_Rect top{0, kTopPanelY, 0, 0};
    SDL_BlitSurface(img_top, nullptr, screen, &top);
    SDL_Rect bottom{0, kPanelTop, 0, 0};
    SDL_BlitSurface(img_bottom, nullptr, screen, &bottom);
    // A party's own name and dates in place of the show's.
    if (showParty.name.empty()) {
        centred(font_intro, kTitle, kTitleY);
        centred(font, kSubtitle, kSubtitleY);
    } else {
        centredCodes(font_intro, showParty.name, kTitleY);
        if (!showParty.dates.empty())
            centredCodes(font, showParty.dates, kSubtitleY);
    }
    centred(font, kPrompt, kPromptY);
}
