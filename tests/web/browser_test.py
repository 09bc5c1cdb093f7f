#!/usr/bin/python3
"""The web build in headless chromium, over the DevTools protocol.

  browser_test.py SITE CAPTURE_PROGRAM SOURCE_DIR [PARTY_DIR]

Serves SITE on 127.0.0.1 and checks: the page logs no errors; after a click
the show presents at least 55 frames a second over 5 s and the audio clock
runs; Escape brings the title card back; in capture mode the frames at 5, 25
and 75 s match the offline renderer's (CAPTURE_PROGRAM, run in SOURCE_DIR);
and the page around the show (page_checks.py). A site built for a party
(build-web.sh PARTY_DIR) is checked against the renderer's frames of that
party, and its page carries the party's name.
Prints one line per check and "N passed, N failed" at the end.
"""
import base64
import functools
import http.server
import json
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time
import tomllib
import urllib.request

import websocket  # Debian's python3-websocket

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import page_checks  # noqa: E402
import png_pixels  # noqa: E402

MIN_FPS = 55
FPS_WINDOW_S = 5
CAPTURE_SECONDS = (5, 25, 75)
# The two SDLs' blitters may round an alpha blend differently.
MAX_DIFFERING_SHARE = 0.005
MAX_LEVEL_DIFFERENCE = 2
CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
    "--disable-component-update", "--disable-sync", "--no-first-run",
    "--autoplay-policy=no-user-gesture-required", "--window-size=800,600",
    "--remote-debugging-port=0",
]


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


class DevTools:
    """One page's DevTools session: commands, and the errors it reports."""

    def __init__(self, url):
        self.ws = websocket.create_connection(url, suppress_origin=True, timeout=60)
        self.next_id = 0
        self.errors = []
        for domain in ("Runtime", "Log", "Page"):
            self.call(domain + ".enable")

    def _event(self, message):
        method, params = message.get("method"), message.get("params", {})
        if method == "Runtime.consoleAPICalled" and params.get("type") == "error":
            self.errors.append(" ".join(str(a.get("value", a.get("description", ""))) for a in params["args"]))
        elif method == "Runtime.exceptionThrown":
            details = params["exceptionDetails"]
            self.errors.append(details.get("exception", {}).get("description", details.get("text")))
        elif method == "Log.entryAdded" and params["entry"]["level"] == "error":
            self.errors.append(params["entry"]["text"] + " " + params["entry"].get("url", ""))

    def call(self, method, **params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") == self.next_id:
                if "error" in message:
                    raise RuntimeError(f"{method}: {message['error']}")
                return message["result"]
            self._event(message)

    def eval(self, expression):
        result = self.call("Runtime.evaluate", expression=expression, returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise RuntimeError(f"{expression}: {result['exceptionDetails']}")
        return result["result"].get("value")

    def wait_for(self, expression, timeout, errors_stop=True):
        deadline = time.time() + timeout
        while time.time() < deadline and not (errors_stop and self.errors):
            if self.eval(expression):
                return True
            time.sleep(0.1)
        return False

    def open(self, url):
        self.call("Page.navigate", url=url)

    def click(self, x, y):
        for kind in ("mousePressed", "mouseReleased"):
            self.call("Input.dispatchMouseEvent", type=kind, x=x, y=y, button="left", clickCount=1)

    def key(self, key, code, vk):
        for kind in ("keyDown", "keyUp"):
            self.call("Input.dispatchKeyEvent", type=kind, key=key, code=code, windowsVirtualKeyCode=vk)


def start_chromium(profile):
    exe = shutil.which("chromium") or shutil.which("chromium-browser")
    if not exe:
        sys.exit("browser_test: chromium is not installed (scripts/install-deps.sh installs it)")
    proc = subprocess.Popen([exe, *CHROMIUM_FLAGS, f"--user-data-dir={profile}", "about:blank"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    port_file = os.path.join(profile, "DevToolsActivePort")
    deadline = time.time() + 30
    while not os.path.exists(port_file) or not open(port_file).read().strip():
        if time.time() > deadline or proc.poll() is not None:
            proc.kill()
            sys.exit("browser_test: chromium did not open its DevTools port")
        time.sleep(0.1)
    port = int(open(port_file).read().split()[0])
    targets = json.load(urllib.request.urlopen(f"http://127.0.0.1:{port}/json/list"))
    page = next(t for t in targets if t["type"] == "page")
    return proc, DevTools(page["webSocketDebuggerUrl"])


def canvas_pixels(tools, seconds):
    b64 = tools.eval(f"""(() => {{
        const u8 = window.frosthem.captured[{seconds:.3f}.toFixed(3)];
        let s = "";
        for (let i = 0; i < u8.length; i += 0x8000) s += String.fromCharCode.apply(null, u8.subarray(i, i + 0x8000));
        return btoa(s);
    }})()""")
    rgba = base64.b64decode(b64)
    return bytes(v for i, v in enumerate(rgba) if i % 4 != 3)


def compare(native, web, width):
    """Differing pixels, the largest difference, and where they lie (x0, y0, x1, y1)."""
    differing, worst, box = 0, 0, [width, 1 << 30, -1, -1]
    for i in range(0, len(native), 3):
        d = max(abs(native[i + c] - web[i + c]) for c in range(3))
        if d:
            differing += 1
            worst = max(worst, d)
            x, y = (i // 3) % width, (i // 3) // width
            box = [min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)]
    return differing, worst, box


def main():
    site, capture_program, source_dir = sys.argv[1:4]
    party = sys.argv[4:5]
    results = []

    def check(name, ok, detail=""):
        results.append(ok)
        print(f"{'PASS' if ok else 'FAIL'} {name}{': ' + detail if detail else ''}", flush=True)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(page_checks.Files, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    base = f"http://127.0.0.1:{server.server_address[1]}/"
    profile = tempfile.mkdtemp(prefix="frosthem-chromium-")
    proc, tools = start_chromium(profile)
    try:
        tools.open(base + "index.html")
        check("title card shown", tools.wait_for("window.frosthem && window.frosthem.state === 'title'", 60))
        if party:
            with open(os.path.join(party[0], "party.toml"), "rb") as f:
                name = tomllib.load(f).get("name", "")
            title = tools.eval("document.title")
            check("the page is titled with the party's name", not name or title == name, title)
        tools.click(400, 300)
        running = tools.wait_for("window.frosthem.state === 'running'", 10)
        check("a click starts the show", running)
        time.sleep(1)
        f0, a0, t0 = tools.eval("[frosthem.frames, frosthem.audioContext ? frosthem.audioContext.currentTime : -1, performance.now()]")
        time.sleep(FPS_WINDOW_S)
        f1, a1, t1 = tools.eval("[frosthem.frames, frosthem.audioContext ? frosthem.audioContext.currentTime : -1, performance.now()]")
        fps = (f1 - f0) * 1000 / (t1 - t0)
        check(f"at least {MIN_FPS} frames a second", fps >= MIN_FPS, f"{fps:.1f} over {(t1 - t0) / 1000:.1f} s")
        heard = a1 - a0
        check("the audio clock runs", a0 >= 0 and heard > FPS_WINDOW_S / 2,
              f"{heard:.2f} s of audio time in {(t1 - t0) / 1000:.1f} s")
        tools.key("Escape", "Escape", 27)
        check("Escape brings the title card back", tools.wait_for("frosthem.state === 'title'", 60))

        tools.open(base + "index.html?frames=" + ",".join(str(s) for s in CAPTURE_SECONDS))
        started = time.time()
        captured = tools.wait_for("window.frosthem && window.frosthem.state === 'captured'", 600)
        check("capture mode hands over every frame", captured, f"{time.time() - started:.0f} s")
        if captured:
            with tempfile.TemporaryDirectory() as out:
                party_args = ["--party", os.path.abspath(party[0])] if party else []
                subprocess.run([capture_program, *party_args, "--out", out,
                                "--at", ",".join(map(str, CAPTURE_SECONDS))],
                               cwd=source_dir, check=True, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL)
                for seconds in CAPTURE_SECONDS:
                    w, h, native = png_pixels.read_rgb(os.path.join(out, f"frame_{seconds * 60:06d}.png"))
                    web = canvas_pixels(tools, seconds)
                    differing, worst, box = compare(native, web, w)
                    share = differing / (w * h)
                    ok = len(web) == len(native) and share <= MAX_DIFFERING_SHARE and worst <= MAX_LEVEL_DIFFERENCE
                    check(f"frame at {seconds} s as the offline renderer draws it", ok,
                          f"{differing} pixels ({share:.3%}) differ, by at most {worst} levels"
                          + (f", within x {box[0]}-{box[2]}, y {box[1]}-{box[3]}" if differing else ""))
        page_checks.card_before_data(tools, base, check)
        page_checks.music_streamed(tools, base, check)
        page_checks.click_beside(tools, base, check)
        page_checks.whole_scales(tools, base, check)
        check("no errors on the page", not tools.errors, "; ".join(tools.errors[:5]))
        # Each of these reports its fault on the console as well.
        page_checks.capture_input(tools, base, check)
        page_checks.failing_files(tools, base, check)
    finally:
        proc.kill()
        proc.wait()
        server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)
    passed = sum(results)
    print(f"{passed} passed, {len(results) - passed} failed")
    return 0 if passed == len(results) else 1


if __name__ == "__main__":
    sys.exit(main())
