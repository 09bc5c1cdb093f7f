// The show in a web page. The page loads a fresh module for every run:
// this main() opens the window and loads the pictures while the page's
// loading card shows, and the frames after it decode the music as the page
// downloads it; once its first seconds are decoded the title card shows,
// and the viewer's first click or key calls frosthem_start, which starts
// the music and the show together, the rest of the music decoding as it
// plays. Escape calls frosthem_stop, and the page starts over with a fresh
// module.
//
// The browser calls the frame at the display's rate; a pass of the show
// runs only at the desktop's 60-a-second deadlines, so a faster display
// does not change the motion.
//
// With frames to capture (the page's ?frames=5,25,75), the show runs on the
// virtual clock as the offline renderer runs it, from the whole music file
// (the page waits for all of it), and hands the page the pixels of the
// frames at those seconds.
#include <emscripten.h>

#include <SDL.h>

#include <cmath>
#include <set>
#include <string>

#include "clock.h"
#include "globals.h"
#include "music.h"
#include "party/party_load.h"
#include "report.h"
#include "show.h"
#include "simulate.h"
#include "sound.h"
#include "web_audio.h"
#include "web_music.h"
#include "web_screen.h"

namespace {

constexpr int kFps = 60;
// A pass may run up to half a frame before its deadline: the display's
// refresh and the millisecond deadlines jitter against each other, and a
// refresh that arrives a hair early would otherwise wait a whole one.
constexpr Sint32 kEarlyMs = 8;
// Capture mode simulates at most this long per browser frame, so the page
// stays responsive.
constexpr double kCaptureSliceMs = 12.0;
constexpr int kMsPerSecond = 1000;
// Decoding of the music per browser frame: before the show runs there is
// nothing else to do; while it runs its frames come first.
constexpr double kIdleDecodeMs = 12.0;
constexpr double kRunningDecodeMs = 3.0;

bool ready = false;  // the music's first seconds are decoded
bool running = false;
Uint32 deadline = 0;

// Capture mode: the frames to hand over.
std::set<long> wanted;  // frame indexes still to hand over
long nextFrame = 0;

EM_JS(int, jsCaptureCount, (), { return (Module.captureSeconds || []).length; });
EM_JS(double, jsCaptureSecond, (int i), { return Module.captureSeconds[i]; });
EM_JS(void, jsCaptured, (double seconds, const Uint8* pixels, int length), {
    Module.captured(seconds, HEAPU8.slice(pixels, pixels + length));
});
EM_JS(void, jsCaptureDone, (), { Module.onCaptureDone(); });
EM_JS(void, jsReady, (), { Module.onShowReady(); });
EM_JS(void, jsFailed, (const char* why), { Module.onShowFailed(UTF8ToString(why)); });

// The console gets the one line as on the desktop; the page shows it too.
int failed(const std::string& error)
{
    reportError("frosthem: %s", error.c_str());
    jsFailed(error.c_str());
    return kStartFailed;
}

void flipAndPresent()
{
    SDL_Flip(screen);
    presentScreen();
}

void paceFrame()
{
    const Uint32 now = getTicks();
    if (static_cast<Sint32>(deadline - now) > kEarlyMs)
        return;
    showFrame();
    // The next deadline after this one, or after now if the pass came late:
    // missed deadlines are skipped, as on the desktop.
    const Uint32 from = static_cast<Sint32>(deadline - now) > 0 ? deadline : now;
    deadline = nextFrameDeadline(startTick, from);
}

void captureFrames()
{
    const double sliceEnd = emscripten_get_now() + kCaptureSliceMs;
    while (!wanted.empty() && emscripten_get_now() < sliceEnd) {
        const SimulatedFrame f = simulateFrame(nextFrame++, kFps);
        if (wanted.erase(f.index)) {
            presentScreen();
            jsCaptured(static_cast<double>(f.ms) / kMsPerSecond, screenRgba(),
                       kScreenWidth * kScreenHeight * 4);
        }
    }
    if (wanted.empty()) {
        emscripten_cancel_main_loop();
        jsCaptureDone();
    }
}

// The title card once enough music is decoded; a file that holds none
// is named on the page as a bad picture is.
void waitForMusic()
{
    std::string error;
    switch (pumpMusic(handle_sound, kIdleDecodeMs, error)) {
    case MusicArrival::Coming:
        return;
    case MusicArrival::Failed:
        emscripten_cancel_main_loop();
        // Without a reason the page could not get the file, and has said so.
        if (!error.empty()) {
            refuseMusic();
            failed(std::string("cannot load music \"") + kSiteMusic + "\": " + error);
        }
        return;
    case MusicArrival::Playable:
        drawTitleCard();
        presentScreen();
        ready = true;
        jsReady();
        return;
    }
}

void loop()
{
    if (!ready) {
        waitForMusic();
        return;
    }
    std::string unused;
    pumpMusic(handle_sound, running ? kRunningDecodeMs : kIdleDecodeMs, unused);
    webAudioPump();
    if (running)
        paceFrame();
}

}  // namespace

extern "C" {

// The viewer's first gesture: the page has made its AudioContext by now
// (or failed to), so the music starts at once, and the opening's 18
// seconds count from here.
EMSCRIPTEN_KEEPALIVE void frosthem_start()
{
    if (running || !ready)
        return;
    // startShow has made the music's sample already, so this start cannot fail.
    std::string unused;
    beginMusic(unused);
    deadline = startTick;
    running = true;
}

EMSCRIPTEN_KEEPALIVE void frosthem_stop()
{
    running = false;
    emscripten_cancel_main_loop();
    FSOUND_Close();
}

}  // extern "C"

int main()
{
    std::string error;
    // A site built for a party carries it; checked as on the desktop.
    const std::string party = bundledParty();
    Problems problems;
    // The party's music comes beside the page, not in the module's files.
    if (!party.empty() && !loadParty(party, showParty, problems, PartyMusic::Apart)) {
        printProblems(problems);
        return failed(std::to_string(problems.size()) + " problems in the party; nothing was started");
    }
    const int captures = jsCaptureCount();
    if (captures > 0) {
        for (int i = 0; i < captures; i++) {
            // Whole milliseconds, rounded as the offline renderer rounds them.
            const auto ms = static_cast<Uint32>(std::llround(jsCaptureSecond(i) * kMsPerSecond));
            wanted.insert(firstFrameAt(ms, kFps));
        }
        // The renderer's start-up wants a tape; only the frames are kept here.
        static MusicTape tape;
        if (!saveMusic(musicFile(), error))
            return failed(error);
        if (!startCapturedShow(tape, error))
            return failed(error);
        jsReady();
        emscripten_set_main_loop(captureFrames, 0, 0);
        return 0;
    }
    // The page shows the frames; SDL's dummy driver only keeps the surface.
    ShowHost host;
    host.offscreen = true;
    host.device = webAudioDevice();
    host.musicWaits = true;
    host.musicFed = kSiteMusic;
    host.present = flipAndPresent;
    if (!startShow(host, error))
        return failed(error);
    emscripten_set_main_loop(loop, 0, 0);
    return 0;
}
