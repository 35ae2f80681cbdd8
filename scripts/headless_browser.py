"""Drives Debian's chromium without a window, through the DevTools protocol
over a pipe (file descriptors 3 and 4, JSON messages ended by a NUL byte),
with Python's standard library alone.

Used by the browser test of visuxml-compare's HTML page, its benchmark and
the screenshots of run-demo and the guide. As a program it takes a
screenshot:

    python3 scripts/headless_browser.py PAGE.html SHOT.png [WIDTH HEIGHT]
"""

import base64
import json
import os
import pathlib
import select
import shutil
import subprocess
import sys
import tempfile
import time

# Every switch that makes chromium reach out on its own is off: the page
# under test must be the only thing loaded.
QUIET_SWITCHES = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
    "--no-first-run", "--disable-background-networking",
    "--disable-component-update", "--disable-sync",
    "--disable-default-apps", "--disable-extensions", "--mute-audio",
    "--hide-scrollbars",
]

# Long enough for a slow shared machine, short enough never to hang a run.
REPLY_TIMEOUT_SECONDS = 60


def find_chromium():
    """The browser's path, or None when it is not installed."""
    return shutil.which("chromium")


class BrowserError(Exception):
    pass


class HeadlessBrowser:
    """One headless chromium with one page, closed on leaving a with block.

    requests lists the URL of every request the page made.
    """

    def __init__(self, executable=None, width=1280, height=900):
        executable = executable or find_chromium()
        if executable is None:
            raise BrowserError("chromium is not installed")
        self.requests = []
        self._events = []
        self._buffer = b""
        self._next_id = 0
        self._profile = tempfile.mkdtemp(prefix="visuxml-chromium-")
        to_browser, self._commands = os.pipe()
        self._replies, from_browser = os.pipe()

        def give_pipes():
            # Copied high first: the pipes may already sit on 3 or 4.
            reads, writes = os.dup(to_browser), os.dup(from_browser)
            os.dup2(reads, 3)
            os.dup2(writes, 4)

        self._process = subprocess.Popen(
            [executable, *QUIET_SWITCHES, "--user-data-dir=" + self._profile,
             "--remote-debugging-pipe", "about:blank"],
            preexec_fn=give_pipes, pass_fds=(3, 4),
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        os.close(to_browser)
        os.close(from_browser)
        try:
            self._attach(width, height)
        except BaseException:
            self.close()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def _attach(self, width, height):
        target = self._call("Target.createTarget", url="about:blank")
        self._session = self._call("Target.attachToTarget",
                                   targetId=target["targetId"],
                                   flatten=True)["sessionId"]
        self.call("Page.enable")
        self.call("Network.enable")
        self.call("Emulation.setDeviceMetricsOverride", width=width,
                  height=height, deviceScaleFactor=1, mobile=False)

    def _send(self, method, params, session):
        self._next_id += 1
        message = {"id": self._next_id, "method": method, "params": params}
        if session:
            message["sessionId"] = session
        data = json.dumps(message).encode() + b"\0"
        while data:
            data = data[os.write(self._commands, data):]
        return self._next_id

    def _receive(self, deadline):
        while b"\0" not in self._buffer:
            left = deadline - time.monotonic()
            if left <= 0 or not select.select([self._replies], [], [],
                                              left)[0]:
                raise BrowserError("chromium did not answer in time")
            chunk = os.read(self._replies, 1 << 16)
            if not chunk:
                raise BrowserError("chromium closed the pipe")
            self._buffer += chunk
        message, self._buffer = self._buffer.split(b"\0", 1)
        message = json.loads(message)
        if message.get("method") == "Network.requestWillBeSent":
            self.requests.append(message["params"]["request"]["url"])
        return message

    def _call(self, method, session=None, **params):
        sent = self._send(method, params, session)
        deadline = time.monotonic() + REPLY_TIMEOUT_SECONDS
        while True:
            message = self._receive(deadline)
            if message.get("id") != sent:
                self._events.append(message)
                continue
            if "error" in message:
                raise BrowserError(f"{method}: {message['error']}")
            return message["result"]

    def call(self, method, **params):
        """A DevTools command to the page; its result."""
        return self._call(method, self._session, **params)

    def wait_for(self, event):
        """Waits for the page's event, kept or yet to come."""
        deadline = time.monotonic() + REPLY_TIMEOUT_SECONDS
        while True:
            for index, message in enumerate(self._events):
                if message.get("method") == event:
                    del self._events[:index + 1]
                    return message["params"]
            self._events.clear()
            message = self._receive(deadline)
            if message.get("method") == event:
                return message["params"]

    def open(self, path):
        """Loads the file and waits until it has loaded and been drawn;
        the seconds that took."""
        url = pathlib.Path(path).resolve().as_uri()
        self._events.clear()
        start = time.monotonic()
        self.call("Page.navigate", url=url)
        self.wait_for("Page.loadEventFired")
        self.evaluate("new Promise(function (done) {"
                      " requestAnimationFrame(function () {"
                      " setTimeout(done, 0); }); })")
        return time.monotonic() - start

    def evaluate(self, expression):
        """The value of the expression in the page, promises awaited."""
        result = self.call("Runtime.evaluate", expression=expression,
                           returnByValue=True, awaitPromise=True)
        if "exceptionDetails" in result:
            raise BrowserError(f"{expression}: "
                               f"{result['exceptionDetails']['text']}: "
                               f"{result['result'].get('description')}")
        return result["result"].get("value")

    def screenshot(self, png_path, height=None):
        """A PNG of the page's top, as wide as the window and height tall
        (the window's height by default)."""
        width = self.evaluate("document.documentElement.clientWidth")
        height = height or self.evaluate("window.innerHeight")
        shot = self.call("Page.captureScreenshot", format="png",
                         captureBeyondViewport=True,
                         clip={"x": 0, "y": 0, "width": width,
                               "height": height, "scale": 1})
        pathlib.Path(png_path).write_bytes(base64.b64decode(shot["data"]))

    def close(self):
        if self._process.poll() is None:
            try:
                self._call("Browser.close")
            except (BrowserError, OSError):
                pass
            try:
                self._process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self._process.kill()
                self._process.wait()
        for descriptor in (self._commands, self._replies):
            try:
                os.close(descriptor)
            except OSError:
                pass
        shutil.rmtree(self._profile, ignore_errors=True)


def main(arguments):
    if len(arguments) not in (2, 4):
        print("usage: headless_browser.py PAGE.html SHOT.png [WIDTH HEIGHT]",
              file=sys.stderr)
        return 2
    width, height = (int(arguments[2]), int(arguments[3])) \
        if len(arguments) == 4 else (1280, 900)
    try:
        with HeadlessBrowser(width=width, height=height) as browser:
            browser.open(arguments[0])
            browser.screenshot(arguments[1])
    except BrowserError as error:
        print(f"headless_browser.py: {error}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
