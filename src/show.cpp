// The show driver: start-up, the frame pass, the two scenes and the white
// flash between them, and the keyboard.
#include <cmath>
#include <cstdlib>
#include <cstring>

#include <SDL.h>
#include <sge.h>

#include "animation.h"
#include "assets.h"
#include "clock.h"
#include "effects/balls.h"
#include "effects/bgtext.h"
#include "effects/pictures.h"
#include "effects/plasma.h"
#include "effects/rasterbars.h"
#include "effects/snow.h"
#include "effects/typewriter.h"
#include "extra.h"
#include "globals.h"
#include "music.h"
#include "report.h"
#include "show.h"
#include "show_party.h"
#include "sound.h"
#include "spectrum_display.h"
#include "window.h"

int currentScene = kOpeningScene;
int mainTrans = 0;
Uint32 td = 0;
Uint32 td2 = 0;
Uint32 startTick = 0;
bool quitRequested = false;

namespace {

SDL_Event event;

constexpr float kFadeInSpeed = 5.0f;
constexpr float kFadeOutSpeed = 9.0f;
constexpr int kOpaque = 255;


constexpr int kHelloX = 175, kHelloY = 83;
constexpr int kBubbleX = 238, kBubbleY = 17;
constexpr int kMessageX = 290, kMessageY = 30;
constexpr int kLogoY = 145;
constexpr int kLogoShadowY = 265;
constexpr int kSnowBankY = 430;
constexpr double kSwayAmplitude = 100.0;
constexpr double kSwayMsPerRadian = 700.0;

constexpr Uint32 kFrameRate = 60;
// The longest step a frame may take, 100 ms. A suspended laptop, a stopped
// process or a debugger pause would otherwise move everything by the whole
// stall at once: the snow, carried past the bottom in one step, would wrap
// to one row. Motion resumes where it was, like a paused video; the timers
// that follow the tick clock (the flash, the typing, the picture strip) do
// not use dt and keep to it.
constexpr float kMaxDt = 10.0f;

}  // namespace

int swayX(SDL_Surface* img)
{
    const int cx = kScreenCentreX - img->w / 2;
    const Uint32 t = getTicks();
    return static_cast<int>(std::sin(t / kSwayMsPerRadian) * kSwayAmplitude + cx);
}

namespace {

ShowHost current;  // the host the show was started by

bool openScreen(const ShowHost& h, std::string& error)
{
    screen = h.offscreen ? openOffscreen(error) : openShowWindow(h.options, error);
    if (!screen)
        return false;
    std::atexit(SDL_Quit);
    return true;
}

}  // namespace

bool prepareScenes(std::string& error)
{
    if (!loadGfx(error))
        return false;
    if (!showParty.message.empty())
        useMessage(showParty.message.c_str());
    initPlasma();
    initBgText();
    initSnow();
    initAmigaScroller();
    // The frame is presented by one flip a pass, not after every primitive.
    sge_Update_OFF();
    return true;
}

bool startShow(const ShowHost& h, std::string& error)
{
    current = h;
    if (h.clock == ShowClock::Virtual)
        setTicks(h.virtualStart);
    if (!openScreen(h, error))
        return false;
    if (h.silent || h.options.mute)
        soundSetDeviceless(true);
    if (h.device != nullptr)
        soundUseDevice(h.device);
    if (h.musicWaits)
        return (h.musicFed != nullptr ? awaitMusic(h.musicFed, error) : preloadMusic(error)) &&
               prepareScenes(error);
    // The opening's 18 seconds run from the start of the music and include
    // the loading time.
    return beginMusic(error) && prepareScenes(error);
}

bool beginMusic(std::string& error)
{
    if (!initMusic(error))
        return false;
    startTick = getTicks();
    return true;
}

void showFrame()
{
    framePass();
    if (current.present != nullptr)
        current.present();
}

void drawScope()
{
    for (int i = 0; i < kDisplayBins; i++) {
        const int h = kScopeSpacing * i;
        const float v = spectrum[i] * kScopeScale;
        if (!(v > kScopeThreshold))
            continue;
        const int y = toInt(v < kScopeLimit ? v : kScopeLimit);
        drawPixel(screen, kScreenCentreX + h, kScreenCentreY + y, 255, 255, 255);
        drawPixel(screen, kScreenCentreX - h, kScreenCentreY + y, 255, 255, 255);
        drawPixel(screen, kScreenCentreX + h, kScreenCentreY - y, 255, 255, 255);
        drawPixel(screen, kScreenCentreX - h, kScreenCentreY - y, 255, 255, 255);
    }
}

void drawMainScene()
{
    drawBgText();
    drawPlasma();
    drawImg(screen, img_top, 0, kTopPanelY);
    drawImg(screen, img_bottom, 0, kPanelTop);
    animate(&hello);
    drawImg(screen, hello.frames[hello.curFrame], kHelloX, kHelloY);
    drawBajs();
    drawSnow();
    drawAmigaScroller();
    drawImg(screen, img_bubbla, kBubbleX, kBubbleY);
    printMsg(kMessageX, kMessageY);
    drawImg(screen, img_frosthemlogga, swayX(img_frosthemlogga), kLogoY);
    drawImg(screen, img_frosthemlogga_skugga, swayX(img_frosthemlogga_skugga), kLogoShadowY);
    drawImg(screen, img_snow_down, 0, kSnowBankY);
    drawAmigaBalls();
}

void updateFlash(Sint32 elapsed)
{
    if (elapsed <= kOpeningMs)
        return;
    if (currentScene == kOpeningScene) {
        const int step = toInt(dt * kFadeInSpeed);
        if (mainTrans + step > kOpaque - 1) {
            mainTrans = kOpaque;
            currentScene = kMainScene;
        } else {
            mainTrans += step;
        }
    } else if (currentScene == kMainScene) {
        const int step = toInt(dt * kFadeOutSpeed);
        mainTrans = mainTrans - step > 0 ? mainTrans - step : 0;
    }
    const Uint32 white = SDL_MapRGB(screen->format, 255, 255, 255);
    // SGE's blend at full opacity still leaves 254 of 255 in red and blue;
    // the flash's peak must be white, so that pass fills instead.
    if (mainTrans >= kOpaque)
        SDL_FillRect(screen, nullptr, white);
    else if (mainTrans > 0)
        sge_FilledRectAlpha(screen, 0, 0, kScreenWidth, kScreenHeight, white, static_cast<Uint8>(mainTrans));
}

void handleEvents()
{
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            quitRequested = true;
        } else if (event.type == SDL_KEYDOWN) {
            if (event.key.keysym.sym == SDLK_ESCAPE)
                quitRequested = true;
            if (event.key.keysym.sym == SDLK_f)
                toggleFullScreen();
        }
    }
}

void framePass()
{
    const Sint32 elapsed = static_cast<Sint32>(getTicks() - startTick);
    td2 = getTicks();
    dt = static_cast<float>(static_cast<Sint32>(td2 - td) * 0.1);
    if (dt > kMaxDt)
        dt = kMaxDt;
    td = td2;

    if (!FSOUND_IsPlaying(0))
        FSOUND_PlaySound(0, handle_sound);
    spectrum = FSOUND_DSP_GetSpectrum();

    sge_ClearSurface(screen, SDL_MapRGB(screen->format, 0, 0, 0));
    updateFlash(elapsed);
    if (currentScene == kOpeningScene)
        drawScope();
    else
        drawMainScene();
    handleEvents();
}

Uint32 nextFrameDeadline(Uint32 start, Uint32 now)
{
    const Uint64 since = static_cast<Uint32>(now - start);
    Uint64 frame = since * kFrameRate / 1000 + 1;
    while (frame * 1000 / kFrameRate <= since)
        frame++;
    return start + static_cast<Uint32>(frame * 1000 / kFrameRate);
}
