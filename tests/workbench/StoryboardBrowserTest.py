#!/usr/bin/env python3
"""The storyboard page (--html) in a real headless Chromium, driven through
chromedriver over HTTP: the first frame is shown, the arrow keys, Home and
End and clicks on the slider each show exactly the frame they should, and
the page loads nothing from outside. Exits with 77 (ctest: skipped) where
Chromium or chromedriver is not installed."""

import argparse
import base64
import json
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

SKIP = 77
ELEMENT = "element-6066-11e4-a52e-4f735466cecf"
KEYS = {"ArrowRight": "\ue014", "ArrowLeft": "\ue012", "Home": "\ue011", "End": "\ue010"}
# The network is closed here: without these Chromium waits on connections.
CHROMIUM_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                  "--window-size=1000,1400"]

# What the page shows, read in the page: the frame it keeps, the sections
# actually visible, the slider, the counter, what it loaded from elsewhere.
STATE = """
const frames = [...document.querySelectorAll('.frame')];
return {
  frame: document.body.dataset.frame,
  frames: Number(document.body.dataset.frames),
  visible: frames.flatMap((f, i) => f.checkVisibility() ? [i] : []),
  drawn: frames.flatMap((f, i) => {
    const svg = f.querySelector('svg');
    return svg && svg.getBoundingClientRect().width > 100 ? [i] : [];
  }),
  slider: Number(document.getElementById('slider').value),
  counter: document.getElementById('counter').textContent,
  loaded: performance.getEntriesByType('resource').map(e => e.name),
};
"""


class Failure(Exception):
    pass


def find_browser():
    for path in ("/usr/lib/chromium/chromium", shutil.which("chromium")):
        if path and os.access(path, os.X_OK):
            return path
    return None


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


class Driver:
    """A WebDriver session through chromedriver, spoken to with urllib."""

    def __init__(self, chromedriver, browser, profile):
        self.port = free_port()
        self.process = subprocess.Popen([chromedriver, f"--port={self.port}"], stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL)
        self.session = None
        try:
            self.start(browser, profile)
        except BaseException:
            self.close()
            raise

    def start(self, browser, profile):
        deadline = time.monotonic() + 30
        while True:
            try:
                if self.call("GET", "/status")["ready"]:
                    break
            except (urllib.error.URLError, ConnectionError):
                pass
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise Failure("chromedriver did not come up")
            time.sleep(0.2)
        options = {"binary": browser, "args": CHROMIUM_FLAGS + [f"--user-data-dir={profile}"]}
        answer = self.call("POST", "/session",
                           {"capabilities": {"alwaysMatch": {"browserName": "chrome", "goog:chromeOptions": options}}})
        self.session = answer["sessionId"]

    def call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(f"http://127.0.0.1:{self.port}{path}", data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=60) as response:
                return json.load(response)["value"]
        except urllib.error.HTTPError as error:
            raise Failure(f"{method} {path}: {error.read().decode(errors='replace')}") from None

    def do(self, method, path, body=None):
        return self.call(method, f"/session/{self.session}{path}", body)

    def run(self, script, *args):
        return self.do("POST", "/execute/sync", {"script": script, "args": list(args)})

    def key(self, name):
        code = KEYS[name]
        self.do("POST", "/actions", {"actions": [{"type": "key", "id": "keyboard", "actions": [
            {"type": "keyDown", "value": code}, {"type": "keyUp", "value": code}]}]})

    def click(self, element, x):
        """Clicks `element` x pixels right of its centre."""
        self.do("POST", "/actions", {"actions": [{"type": "pointer", "id": "mouse",
                                                  "parameters": {"pointerType": "mouse"}, "actions": [
            {"type": "pointerMove", "origin": {ELEMENT: element}, "x": int(x), "y": 0},
            {"type": "pointerDown", "button": 0}, {"type": "pointerUp", "button": 0}]}]})
        self.do("DELETE", "/actions")

    def close(self):
        try:
            if self.session:
                self.call("DELETE", f"/session/{self.session}")
        finally:
            self.process.terminate()
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()


def expect_frame(driver, frame, what):
    state = driver.run(STATE)
    n = state["frames"]
    problems = []
    if state["frame"] != str(frame):
        problems.append(f"data-frame is {state['frame']}")
    if state["visible"] != [frame]:
        problems.append(f"the visible frames are {state['visible']}")
    if state["drawn"] != [frame]:
        problems.append(f"drawings shown for frames {state['drawn']}")
    if state["slider"] != frame:
        problems.append(f"the slider stands at {state['slider']}")
    if state["counter"] != f"{frame + 1} / {n}":
        problems.append(f"the counter reads '{state['counter']}'")
    if state["loaded"]:
        problems.append(f"the page loaded {state['loaded']}")
    if problems:
        raise Failure(f"{what}: expected frame {frame}, but " + "; ".join(problems))
    print(f"ok  {what}: frame {frame} of {n}")
    return n


def check_page(driver, page):
    driver.do("POST", "/url", {"url": "file://" + os.path.abspath(page)})
    n = expect_frame(driver, 0, "opened")
    if n < 3:
        raise Failure(f"the page has {n} frames; the example should give more")
    for frame in range(1, n):
        driver.key("ArrowRight")
        expect_frame(driver, frame, "ArrowRight")
    driver.key("ArrowRight")
    expect_frame(driver, n - 1, "ArrowRight at the last frame")
    driver.key("Home")
    expect_frame(driver, 0, "Home")
    driver.key("ArrowLeft")
    expect_frame(driver, 0, "ArrowLeft at the first frame")
    driver.key("End")
    expect_frame(driver, n - 1, "End")
    driver.key("ArrowLeft")
    expect_frame(driver, n - 2, "ArrowLeft")

    # The slider with the mouse: its ends, then its middle.
    slider = driver.do("POST", "/element", {"using": "css selector", "value": "#slider"})[ELEMENT]
    width = driver.run("return document.getElementById('slider').getBoundingClientRect().width;")
    driver.click(slider, -width / 2 + 2)
    expect_frame(driver, 0, "a click at the slider's left end")
    driver.click(slider, width / 2 - 2)
    expect_frame(driver, n - 1, "a click at the slider's right end")
    driver.click(slider, 0)
    middle = driver.run(STATE)["slider"]
    if not 0 < middle < n - 1:
        raise Failure(f"a click in the slider's middle chose frame {middle} of {n}")
    expect_frame(driver, middle, "a click in the slider's middle")
    # The slider has the focus now: a key still moves one frame, not two.
    driver.key("ArrowRight")
    expect_frame(driver, middle + 1, "ArrowRight with the slider focused")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--workbench", required=True)
    parser.add_argument("--session", required=True)
    parser.add_argument("--out", required=True, help="a folder for the page and the browser's profile")
    parser.add_argument("--screenshot", help="also saves the page as it shows the last frame")
    args = parser.parse_args()

    browser, chromedriver = find_browser(), shutil.which("chromedriver")
    if not browser or not chromedriver:
        print("SKIP: the storyboard's browser test needs Chromium and chromedriver "
              "(Debian packages chromium and chromium-driver; tools/install-build-deps installs them)")
        return SKIP

    os.makedirs(args.out, exist_ok=True)
    page = os.path.join(args.out, "storyboard.html")
    if os.path.exists(page):
        os.remove(page)
    ran = subprocess.run([args.workbench, "run", args.session, "--html", page], stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, text=True)
    if ran.returncode != 0 or not os.path.exists(page):
        print(f"FAIL: the workbench ended with {ran.returncode}: {ran.stderr}")
        return 1

    with tempfile.TemporaryDirectory(dir=args.out) as profile:
        driver = None
        try:
            driver = Driver(chromedriver, browser, profile)
            check_page(driver, page)
            if args.screenshot:
                with open(args.screenshot, "wb") as png:
                    png.write(base64.b64decode(driver.do("GET", "/screenshot")))
        except Failure as failure:
            print(f"FAIL: {failure}")
            return 1
        finally:
            if driver:
                driver.close()
    print("the storyboard steps through every frame in Chromium")
    return 0


if __name__ == "__main__":
    sys.exit(main())
