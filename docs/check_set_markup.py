#!/usr/bin/env python3
"""Checks the markup of a button set in headless Chromium (Debian packages
chromium and chromium-driver), as a front-end developer would before shipping
it: the keyboard focus ring, forced colours (high contrast), hover under touch
emulation, pictures that fail to load, and a disabled link.

    docs/check_set_markup.py [PROGRAM]      (default: build/src/app/vorbel)

It writes the navigation example's set twice into a scratch folder (with
sprite sheets, and as <img srcset> pictures), opens the pages through
chromedriver's WebDriver protocol (Python's standard library only) and prints
one line per check, PASS or FAIL with what it saw. The exit status is the
number of failed checks. It is not part of the test command: it needs a
browser, which the tests do not.
"""

import base64
import json
import os
import shutil
import socket
import struct
import subprocess
import sys
import tempfile
import time
import urllib.request
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
LAYOUT = os.path.join(ROOT, "examples", "nav_set", "navigation.vrb")
CAPTIONS = os.path.join(ROOT, "examples", "nav_set", "captions.txt")


class Browser:
    """A WebDriver session of headless Chromium through chromedriver."""

    def __init__(self):
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            self.port = s.getsockname()[1]
        self.driver = subprocess.Popen(["chromedriver", f"--port={self.port}"], stdout=subprocess.DEVNULL,
                                       stderr=subprocess.DEVNULL)
        for _ in range(100):
            try:
                self._call("GET", "/status")
                break
            except OSError:
                time.sleep(0.1)
        caps = {"capabilities": {"alwaysMatch": {"browserName": "chrome", "goog:chromeOptions": {
            "binary": shutil.which("chromium") or "/usr/bin/chromium",
            "args": ["--headless=new", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                     "--force-device-scale-factor=1", "--window-size=900,700",
                     # A mouse, as on a desktop: headless Chromium has no pointing device.
                     "--blink-settings=primaryHoverType=2,availableHoverTypes=2,primaryPointerType=4,"
                     "availablePointerTypes=4"]}}}}
        self.session = self._call("POST", "/session", caps)["sessionId"]

    def _call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(f"http://127.0.0.1:{self.port}{path}", data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(request, timeout=60) as response:
            return json.loads(response.read() or b"{}").get("value", {})

    def call(self, method, path, body=None):
        return self._call(method, f"/session/{self.session}{path}", body)

    def open(self, path):
        self.call("POST", "/url", {"url": "file://" + path})

    def js(self, script, *args):
        return self.call("POST", "/execute/sync", {"script": script, "args": list(args)})

    def cdp(self, command, params):
        return self.call("POST", "/goog/cdp/execute", {"cmd": command, "params": params})

    def keys(self, *keys):
        actions = []
        for key in keys:
            actions += [{"type": "keyDown", "value": key}, {"type": "keyUp", "value": key}]
        self.call("POST", "/actions", {"actions": [{"type": "key", "id": "keyboard", "actions": actions}]})
        self.call("DELETE", "/actions")

    def point_at(self, x, y):
        self.call("POST", "/actions", {"actions": [{"type": "pointer", "id": "mouse", "parameters": {
            "pointerType": "mouse"}, "actions": [{"type": "pointerMove", "x": int(x), "y": int(y)}]}]})

    def screenshot(self):
        return DecodePng(base64.b64decode(self.call("GET", "/screenshot")))

    def close(self):
        try:
            self.call("DELETE", "")
        finally:
            self.driver.terminate()
            self.driver.wait()


def DecodePng(data):
    """(width, height, rows of RGBA bytes) of an 8-bit RGB or RGBA PNG."""
    width, height, depth, colour = struct.unpack(">IIBB", data[16:26])
    assert depth == 8 and colour in (2, 6), "an 8-bit RGB or RGBA screenshot"
    chunks, at = b"", 8
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        if kind == b"IDAT":
            chunks += data[at + 8:at + 8 + size]
        at += 12 + size
    raw, bpp = zlib.decompress(chunks), 4 if colour == 6 else 3
    stride, rows, prior = width * bpp, [], bytearray(width * bpp)
    for y in range(height):
        kind, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b, c = prior[i], prior[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append(bytes(line) if bpp == 4 else bytes(v for x in range(width) for v in line[x * 3:x * 3 + 3] + b"\xff"))
        prior = line
    return width, height, rows


def Differing(before, after, box):
    """Pixels that differ between two screenshots within box (left, top, right, bottom)."""
    left, top, right, bottom = (int(v) for v in box)
    count = 0
    for y in range(max(top, 0), min(bottom, before[1])):
        for x in range(max(left, 0), min(right, before[0])):
            count += before[2][y][x * 4:x * 4 + 3] != after[2][y][x * 4:x * 4 + 3]
    return count


RESULTS = []


def Report(name, ok, seen):
    RESULTS.append(ok)
    print(f"{'PASS' if ok else 'FAIL'}  {name}: {seen}")


BOX = "const r = arguments[0].getBoundingClientRect(); return [r.left, r.top, r.right, r.bottom];"
FIRST = "return document.querySelector(arguments[0]);"


def CheckSpriteSet(browser, folder):
    page = os.path.join(folder, "preview.html")
    browser.open(page)
    button = browser.js(FIRST, ".stage .btn")
    left, top, right, bottom = browser.js(BOX, button)

    # Keyboard focus: a ring around the picture's own shape, shown for the
    # keyboard only.
    before = browser.screenshot()
    for _ in range(20):  # Tab past the page's links to the first button
        browser.keys("\ue004")
        if browser.js("return document.activeElement === arguments[0];", button):
            break
    focused = browser.js("const e = document.activeElement; return [e.className, e.matches(':focus-visible'),"
                         " getComputedStyle(e, '::after').filter];")
    after = browser.screenshot()
    ring = Differing(before, after, (left - 4, top - 4, right + 4, bottom + 4))
    inside = Differing(before, after, (left + 3, top + 3, right - 3, bottom - 3))
    Report("focus ring", focused[1] and "drop-shadow" in focused[2] and ring > 40,
           f"Tab focuses '{focused[0]}' (:focus-visible {focused[1]}); {ring} pixels change around it,"
           f" {inside} of them inside its picture")

    # Hover with a mouse, then a tap under touch emulation: the hover look
    # only where there is hover.
    position = "return getComputedStyle(arguments[0], '::after').backgroundPosition;"
    browser.js("document.activeElement.blur();")
    normal = browser.js(position, button)
    browser.point_at((left + right) / 2, (top + bottom) / 2)
    hovered = browser.js(position, button)
    browser.point_at(1, 1)
    browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 1})
    browser.open(page)
    button = browser.js(FIRST, ".stage .btn")
    for kind in ("touchStart", "touchEnd"):
        points = [] if kind == "touchEnd" else [{"x": (left + right) / 2, "y": (top + bottom) / 2}]
        browser.cdp("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})
    time.sleep(0.3)  # :active ends a moment after the finger lifts
    media, sticky = browser.js("return [matchMedia('(hover: hover)').matches, arguments[0].matches(':hover')];",
                               button)
    tapped = browser.js(position, button)
    Report("hover under touch", hovered != normal and tapped == normal and not media,
           f"mouse over: {hovered} (at rest {normal}); after a tap, with (hover: hover) {media} and :hover"
           f" {sticky}: {tapped}")
    browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": False})

    # Forced colours: the caption as text in the system's colours.
    browser.cdp("Emulation.setEmulatedMedia", {"features": [{"name": "forced-colors", "value": "active"}]})
    browser.open(page)
    button = browser.js(FIRST, ".stage .btn")
    seen = browser.js("const e = arguments[0], s = getComputedStyle(e); return [matchMedia('(forced-colors: active)')"
                      ".matches, getComputedStyle(e, '::after').display, s.color, s.backgroundColor, s.fontSize,"
                      " e.innerText, e.getBoundingClientRect().width];", button)
    shot = browser.screenshot()
    left, top, right, bottom = browser.js(BOX, button)
    colours = {shot[2][y][x * 4:x * 4 + 3] for y in range(int(top), int(bottom)) for x in range(int(left), int(right))}
    Report("forced colours", seen[0] and seen[1] == "none" and seen[4] != "0px" and len(colours) > 1 and seen[6] > 0,
           f"forced-colors {seen[0]}; picture display {seen[1]}; caption '{seen[5]}' in {seen[2]} on {seen[3]},"
           f" {seen[4]}, {len(colours)} colours in its box")
    browser.cdp("Emulation.setEmulatedMedia", {"features": []})

    # A disabled link: no address, not reached by Tab, a click goes nowhere.
    browser.open(page)
    link = browser.js(FIRST, "a[aria-disabled='true']")
    state = browser.js("const e = arguments[0]; return [e.hasAttribute('href'), e.tabIndex,"
                       " getComputedStyle(e).pointerEvents, e.getAttribute('role')];", link)
    reached = False
    for _ in range(40):
        browser.keys("\ue004")
        reached = reached or browser.js("return document.activeElement === arguments[0];", link)
    url = browser.js("return location.href;")
    try:
        browser.call("POST", f"/element/{list(link.values())[0]}/click", {})
    except OSError:
        pass
    moved = browser.js("return location.href;") != url
    Report("disabled link", not state[0] and not reached and state[2] == "none" and not moved,
           f"href {state[0]}, tabIndex {state[1]}, pointer-events {state[2]}, role {state[3]};"
           f" reached by Tab {reached}; a click navigates {moved}")

    # The pictures fail to load: the caption shows as text.
    for name in os.listdir(folder):
        if name.startswith("sprite"):
            os.remove(os.path.join(folder, name))
    browser.open(page)
    button = browser.js(FIRST, ".stage .btn")
    shot = browser.screenshot()
    left, top, right, bottom = browser.js(BOX, button)
    ink = sum(1 for y in range(int(top), int(bottom)) for x in range(int(left), int(right))
              if sum(shot[2][y][x * 4:x * 4 + 3]) < 600)
    Report("sprite sheets missing", ink > 20, f"{ink} dark pixels of caption text in the button's box")


def CheckPictureSet(browser, folder):
    for name in os.listdir(folder):
        if name.endswith(".png"):
            os.remove(os.path.join(folder, name))
    page = os.path.join(folder, "preview.html")
    browser.open(page)
    img = browser.js(FIRST, ".stage img")
    seen = browser.js("const e = arguments[0]; return [e.alt, e.naturalWidth, e.width, e.height,"
                      " e.getAttribute('srcset')];", img)
    shot = browser.screenshot()
    left, top, right, bottom = browser.js(BOX, img)
    ink = sum(1 for y in range(int(top), int(bottom)) for x in range(int(left), int(right))
              if sum(shot[2][y][x * 4:x * 4 + 3]) < 600)
    Report("pictures missing (<img srcset>)", seen[1] == 0 and ink > 20 and seen[2] > 0,
           f"alt '{seen[0]}' shown in a {seen[2]} x {seen[3]} box ({ink} dark pixels); srcset '{seen[4]}'")


def main():
    program = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build", "src", "app", "vorbel")
    work = tempfile.mkdtemp()
    browser = None
    try:
        sprite, pictures = os.path.join(work, "sprite"), os.path.join(work, "pictures")
        common = ["--captions-file", CAPTIONS, "--states", "normal,hover,pressed,disabled", "--scales", "1,2"]
        subprocess.run([program, "--export-set", sprite, *common, "--sprite", LAYOUT], check=True)
        subprocess.run([program, "--export-set", pictures, *common, LAYOUT], check=True)
        browser = Browser()
        CheckSpriteSet(browser, sprite)
        CheckPictureSet(browser, pictures)
    finally:
        if browser:
            browser.close()
        shutil.rmtree(work)
    return RESULTS.count(False)


if __name__ == "__main__":
    sys.exit(main())
