#!/usr/bin/python3
"""How soon the web page paints and is ready to start, in headless chromium.

  load_times.py SITE [RUNS]

Prints first paint and ready (the page's state leaves "loading") in
milliseconds, served locally and over a link slowed to 10 Mbit/s with 40 ms
latency, the median of RUNS (default 3) loads each, the cache off.
"""
import functools
import http.server
import shutil
import statistics
import sys
import tempfile
import threading
import time

from browser_test import Quiet, start_chromium

THROTTLED = dict(offline=False, latency=40, downloadThroughput=10e6 / 8, uploadThroughput=10e6 / 8)
UNTHROTTLED = dict(offline=False, latency=0, downloadThroughput=-1, uploadThroughput=-1)
READY = "window.frosthem && window.frosthem.state !== 'loading' ? performance.now() : 0"
FIRST_PAINT = "(performance.getEntriesByName('first-paint')[0] || {startTime: 0}).startTime"


def one_load(tools, url):
    tools.open("about:blank")
    time.sleep(0.3)
    tools.open(url)
    deadline = time.time() + 120
    ready = 0
    while not ready and time.time() < deadline:
        ready = tools.eval(READY)
        time.sleep(0.02)
    return tools.eval(FIRST_PAINT), ready


def main():
    site = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=site))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    url = f"http://127.0.0.1:{server.server_address[1]}/index.html"
    profile = tempfile.mkdtemp(prefix="frosthem-chromium-")
    proc, tools = start_chromium(profile)
    try:
        tools.call("Network.enable")
        tools.call("Network.setCacheDisabled", cacheDisabled=True)
        for name, link in (("local", UNTHROTTLED), ("10 Mbit/s, 40 ms", THROTTLED)):
            tools.call("Network.emulateNetworkConditions", **link)
            loads = [one_load(tools, url) for _ in range(runs)]
            paint = statistics.median(p for p, _ in loads)
            ready = statistics.median(r for _, r in loads)
            print(f"{name}: first paint {paint:.0f} ms, ready {ready:.0f} ms")
    finally:
        proc.kill()
        proc.wait()
        server.shutdown()
        shutil.rmtree(profile, ignore_errors=True)


if __name__ == "__main__":
    main()
