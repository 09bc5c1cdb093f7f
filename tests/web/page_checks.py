"""The page around the show: its loading card, the music streamed in,
failures, clicks, scaling and the capture input it refuses. Used by
browser_test.py."""
import base64
import http.server
import os
import tempfile
import threading
import time

import png_pixels

# Seconds the card has to appear in while the data file is held back.
CARD_WITHIN_S = 5
READY_WITHIN_S = 60
MUSIC = "music.mp3"
# The music's bytes served before the test server holds the rest back: some
# 16 s or more at the usual bit rates, more than the page waits for, and
# never more than half the file.
MUSIC_SERVED_FIRST = 320 * 1024
CAPTURE_LIMIT = 600
# (window size, whole scale each source pixel must come out at)
SCALES = (((1400, 1000), 2), ((1000, 600), 1))
BAD_FRAMES = ("abc", "-1", "1e9", "5,", ",5", "", "nan", "0x10", "5;6",
              ",".join(str(i) for i in range(CAPTURE_LIMIT + 1)))
# Times on one millisecond are captured once.
DUPLICATE_FRAMES = "5,5,5.0001"

CARD_SHOWN = ("(() => { const c = document.getElementById('card');"
              " return !c.hidden && getComputedStyle(c).display !== 'none'"
              " && document.getElementById('party').textContent.length > 0; })()")


class Files(http.server.SimpleHTTPRequestHandler):
    """Serves the site; the test may hold back a file, or all but its first
    part, answer 404 for it or serve other bytes in its place."""
    held = {}        # name -> threading.Event that lets it through
    held_part = {}   # name -> (bytes served at once, threading.Event that lets the rest through)
    missing = set()
    replaced = {}    # name -> the bytes served instead

    def do_GET(self):
        name = self.path.lstrip("/").split("?")[0]
        if name in self.missing:
            self.send_error(404, "Not Found")
            return
        if name in self.held:
            self.held[name].wait(60)
        if name in self.replaced or name in self.held_part:
            self.send_bytes(name)
            return
        super().do_GET()

    def send_bytes(self, name):
        if name in self.replaced:
            data = self.replaced[name]
        else:
            with open(self.translate_path(self.path), "rb") as f:
                data = f.read()
        first, gate = self.held_part.get(name, (len(data), None))
        first = min(first, len(data) // 2) if gate else len(data)
        self.send_response(200)
        self.send_header("Content-Type", self.guess_type(name))
        self.send_header("Content-Length", str(len(data)))
        self.end_headers()
        self.wfile.write(data[:first])
        self.wfile.flush()
        if gate:
            gate.wait(60)
        self.wfile.write(data[first:])

    def log_message(self, *args):
        pass


def card_before_data(tools, base, check):
    gate = Files.held["frosthem.data"] = threading.Event()
    try:
        tools.open(base + "index.html")
        shown = tools.wait_for(f"window.frosthem && window.frosthem.state === 'loading' && {CARD_SHOWN}",
                               CARD_WITHIN_S)
        check("the loading card shows before the data arrives", shown)
    finally:
        gate.set()
        del Files.held["frosthem.data"]
    check("the card gives way once the data is in",
          tools.wait_for(f"frosthem.state === 'title' && !{CARD_SHOWN}", READY_WITHIN_S))


def music_streamed(tools, base, check):
    """Ready, and started, on the music's first part; the rest then plays on."""
    tools.call("Network.enable")
    tools.call("Network.setCacheDisabled", cacheDisabled=True)
    gate = threading.Event()
    Files.held_part[MUSIC] = (MUSIC_SERVED_FIRST, gate)
    try:
        tools.open(base + "index.html")
        ready = tools.wait_for("window.frosthem && frosthem.state === 'title'", READY_WITHIN_S)
        arriving = tools.eval("!frosthem.config.music.done && frosthem.config.music.chunks.length > 0")
        check("ready before the music has all arrived", ready and arriving,
              f"state {tools.eval('frosthem.state')}, music all in: {tools.eval('frosthem.config.music.done')}")
        tools.click(400, 300)
        check("the show starts on the music's first part", tools.wait_for("frosthem.state === 'running'", 10))
    finally:
        gate.set()
        del Files.held_part[MUSIC]
    check("the rest of the music arrives while the show runs",
          tools.wait_for("frosthem.config.music.done", READY_WITHIN_S) and tools.eval("frosthem.state") == "running")
    tools.key("Escape", "Escape", 27)
    tools.wait_for("frosthem.state === 'title'", READY_WITHIN_S)
    tools.call("Network.setCacheDisabled", cacheDisabled=False)


def failed_file(tools, base, check, name, fault, told_has):
    """The page names the file that fails it, and its retry then loads the show."""
    tools.call("Network.enable")
    tools.call("Network.setCacheDisabled", cacheDisabled=True)
    if fault is None:
        Files.missing.add(name)
    else:
        Files.replaced[name] = fault
    what = "missing" if fault is None else "damaged"
    try:
        tools.open(base + "index.html")
        failed = tools.wait_for("window.frosthem && frosthem.state === 'failed'", READY_WITHIN_S, errors_stop=False)
        told = tools.eval("document.getElementById('status').textContent")
        check(f"a {what} {name} is named on the card", failed and name in told and told_has in told, told)
        check("the card offers a retry", tools.eval("!document.getElementById('retry').hidden"))
    finally:
        Files.missing.discard(name)
        Files.replaced.pop(name, None)
    tools.eval("document.getElementById('retry').click()")
    check("the retry loads the show", tools.wait_for("frosthem.state === 'title'", READY_WITHIN_S, errors_stop=False))
    tools.call("Network.setCacheDisabled", cacheDisabled=False)


def failing_files(tools, base, check):
    failed_file(tools, base, check, "frosthem.data", None, "404")
    failed_file(tools, base, check, MUSIC, None, "404")
    # A page where the music should be: the decoder finds no MPEG audio in it.
    failed_file(tools, base, check, MUSIC, b"<!DOCTYPE html><html><body>Not here</body></html>\n" * 200,
                "cannot load music")


def click_beside(tools, base, check):
    tools.open(base + "index.html")
    tools.wait_for("window.frosthem && frosthem.state === 'title'", READY_WITHIN_S)
    left = tools.eval("document.getElementById('screen').getBoundingClientRect().left")
    tools.click(left / 2, 20)
    check("a click beside the picture starts the show", tools.wait_for("frosthem.state === 'running'", 10),
          f"clicked at x {left / 2:.0f}, the picture from x {left:.0f}")
    tools.key("Escape", "Escape", 27)
    tools.wait_for("frosthem.state === 'title'", READY_WITHIN_S)


def screen_pixels(tools):
    b64 = tools.eval("""(() => {
        const c = document.getElementById('screen');
        const d = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        let s = '';
        for (let i = 0; i < d.length; i += 0x8000) s += String.fromCharCode.apply(null, d.subarray(i, i + 0x8000));
        return btoa(s);
    })()""")
    rgba = base64.b64decode(b64)
    return bytes(v for i, v in enumerate(rgba) if i % 4 != 3)


def shown_pixels(tools, rect):
    shot = tools.call("Page.captureScreenshot", format="png",
                      clip=dict(x=rect["x"], y=rect["y"], width=rect["w"], height=rect["h"], scale=1))
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "shot.png")
        with open(path, "wb") as f:
            f.write(base64.b64decode(shot["data"]))
        return png_pixels.read_rgb(path)


def scaled_evenly(source, shown, shown_width, shown_height, scale, width=640):
    """Screen pixels that are not their source pixel: (count, the first one)."""
    wrong, first = 0, None
    for y in range(shown_height):
        row = (y // scale) * width
        for x in range(shown_width):
            i, j = (y * shown_width + x) * 3, (row + x // scale) * 3
            if shown[i:i + 3] != source[j:j + 3]:
                wrong += 1
                first = first or (x, y)
    return wrong, first


def whole_scales(tools, base, check):
    try:
        for (width, height), scale in SCALES:
            tools.call("Emulation.setDeviceMetricsOverride", width=width, height=height,
                       deviceScaleFactor=1, mobile=False)
            tools.open(base + "index.html")
            tools.wait_for("window.frosthem && frosthem.state === 'title'", READY_WITHIN_S)
            time.sleep(0.3)
            rect = tools.eval("(() => { const r = document.getElementById('screen').getBoundingClientRect();"
                              " return {x: r.left, y: r.top, w: r.width, h: r.height}; })()")
            size_ok = (rect["w"], rect["h"]) == (640 * scale, 480 * scale) and rect["x"] == int(rect["x"])
            w, h, shown = shown_pixels(tools, rect)
            wrong, first = scaled_evenly(screen_pixels(tools), shown, w, h, scale)
            check(f"at {width}x{height} each source pixel is {scale}x{scale}", size_ok and wrong == 0,
                  f"picture {rect['w']:.0f}x{rect['h']:.0f} at {rect['x']},{rect['y']}; "
                  f"{wrong} screen pixels differ from their source" + (f", first at {first}" if first else ""))
    finally:
        tools.call("Emulation.clearDeviceMetricsOverride")


def capture_input(tools, base, check):
    for frames in BAD_FRAMES:
        tools.open(base + "index.html?frames=" + frames)
        refused = tools.wait_for("window.frosthem && frosthem.state === 'refused'", 10, errors_stop=False)
        told = tools.eval("[frosthem.error, document.getElementById('status').textContent]") if refused else ["", ""]
        shown = frames if len(frames) < 20 else f"{CAPTURE_LIMIT + 1} times"
        check(f"?frames={shown} is refused on the page", refused and told[0] and told[0] == told[1], told[0])
    tools.errors.clear()
    tools.open(base + "index.html?frames=" + DUPLICATE_FRAMES)
    done = tools.wait_for("window.frosthem && frosthem.state === 'captured'", 120)
    keys = tools.eval("Object.keys(frosthem.captured)") if done else []
    check(f"?frames={DUPLICATE_FRAMES} finishes with one frame", done and keys == ["5.000"], str(keys))
