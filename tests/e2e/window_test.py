#!/usr/bin/env python3
"""End-to-end tests of `lumora view` and `lumora demo` in real windows under Xvfb.

Starts a private Xvfb, opens a generated picture in `lumora view`, then drags
the picture, holds an arrow key, presses + and F and resizes the window. After
each step it asks the viewer (SIGUSR1) for the renderer's frame and state,
takes a screenshot of the window, and checks that the window shows exactly
the renderer's frame, that a headless viewer brought into the dumped state
draws the same frame, and that the state moved as the input says. Finally it
closes the window as a window manager would and expects exit code 0.

Then it opens saved forms in `lumora view`: compares the window with
`lumora render`'s frame, resizes the window and types into a text box.

Then it plays `lumora demo` headless (no window may open) and in a window,
clicks one of the demo's buttons and closes the window.

Then it opens a picture in the window example (an application of the
installed library): the window shows what `lumora run` draws headless for
the same form before and after the same drag, and closing it ends it.

Usage: window_test.py LUMORA WORKDIR [--require] [--bench] [--example=PROGRAM]
  --require  fail (instead of skipping with code 77) when a tool or the
             example is missing
  --example  the window example (default: where the build tree of LUMORA
             puts it, examples/cpp_window/lumora_window_example)
  --bench    also measure frames per second while dragging an 8000 x 6000
             (48-megapixel) picture at 200 % in a 1280 x 720 window
"""
import json
import os
import shutil
import signal
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_picture  # noqa: E402
import xwindow  # noqa: E402

SKIP = 77
TOOLS = ("Xvfb", "xdotool", "import", "compare")


class Failed(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failed(message)


def wait_for(predicate, what, timeout=20.0):
    end = time.monotonic() + timeout
    while time.monotonic() < end:
        value = predicate()
        if value:
            return value
        time.sleep(0.05)
    raise Failed("timed out waiting for " + what)


class Xvfb:
    """A private X server on a display number it picks itself; it does not
    reset when its last client leaves, so the next one can always connect."""

    def __init__(self, width=1600, height=1000):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        check(number.isdigit(), "Xvfb did not start")
        self.display = ":" + number
        self.env = dict(os.environ, DISPLAY=self.display)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env.pop("SDL_VIDEODRIVER", None)
        # Under LeakSanitizer (the sanitized build), D-Bus's own leftovers
        # are not the viewer's.
        lsan = self.env.get("LSAN_OPTIONS", "")
        self.env["LSAN_OPTIONS"] = (lsan + ":" if lsan else "") + "suppressions=" + os.path.join(
            HERE, "lsan.supp")

    def run(self, *args, check_rc=True):
        result = subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=60)
        if check_rc and result.returncode != 0:
            raise Failed(f"{' '.join(args)} failed: {result.stderr.strip()}")
        return result

    def close(self):
        self.process.terminate()
        self.process.wait(timeout=10)


class Viewer:
    """A running `lumora view` with its window and its dump files."""

    def __init__(self, x, lumora, picture, work, size=None, title=None):
        self.x = x
        self.lumora = lumora
        self.picture = picture
        self.work = work
        self.prefix = os.path.join(work, "dump")
        self.log = open(os.path.join(work, "viewer.log"), "w")
        sized = ["--size", size] if size else []
        self.process = subprocess.Popen(
            [lumora, "view", picture, *sized, "--dump", self.prefix],
            env=x.env, stdout=self.log, stderr=subprocess.STDOUT)
        title = title or os.path.basename(picture) + " - lumora view"
        found = x.run("xdotool", "search", "--sync", "--name", "^" + title + "$")
        self.window = int(found.stdout.split()[0])
        self.x.run("xdotool", "windowfocus", "--sync", str(self.window))
        self.steps = 0

    def xdotool(self, *args):
        self.x.run("xdotool", *args)

    def state(self):
        """Asks for the frame and state; returns the state once written."""
        json_path = self.prefix + ".json"
        for path in (json_path, self.prefix + ".png"):
            if os.path.exists(path):
                os.remove(path)
        self.process.send_signal(signal.SIGUSR1)
        wait_for(lambda: os.path.exists(json_path), "the viewer's dump")
        with open(json_path) as f:
            return json.load(f)

    def compare_frames(self, step, headless=None):
        """The window shows the renderer's frame; a headless run brought into
        the same state draws it too: a viewer restored from the dumped state,
        or the command headless(png) gives."""
        self.steps += 1
        name = os.path.join(self.work, f"{self.steps:02d}-{step}")
        state = self.state()
        shutil.copy(self.prefix + ".json", name + "-state.json")
        shutil.copy(self.prefix + ".png", name + "-frame.png")
        self.x.run("import", "-window", str(self.window), name + "-window.png")
        others = ["frame"]
        if headless is None:
            headless = lambda png: [self.lumora, "view", self.picture, "--replay",
                                    name + "-state.json", "--png", png]
        if headless:
            subprocess.run(headless(name + "-headless.png"), check=True, timeout=60,
                           stdout=subprocess.DEVNULL)
            others.append("headless")
        for other in others:
            result = self.x.run("compare", "-metric", "AE", name + "-window.png",
                                f"{name}-{other}.png", os.devnull, check_rc=False)
            differing = result.stderr.strip()
            check(result.returncode == 0 and differing == "0",
                  f"{step}: the window differs from the {other} frame in {differing} pixels")
        return state


def bars(state):
    return state["HScroll"]["Value"], state["VScroll"]["Value"]


def run(lumora, work):
    os.makedirs(work, exist_ok=True)
    picture = os.path.join(work, "grid.bmp")
    with open(picture, "wb") as f:
        f.write(make_picture.make_bmp(1600, 1200))
    x = Xvfb()
    viewer = None
    try:
        viewer = Viewer(x, lumora, picture, work, "500x400")
        start = viewer.compare_frames("start")
        check(start["client"] == [500, 400], f"client size {start['client']}")
        check(start["zoomPercent"] == 100, "starts at the natural size")
        h0, v0 = bars(start)

        # Drag 50 left and 30 up: the picture follows the pointer.
        w = str(viewer.window)
        viewer.xdotool("mousemove", "--window", w, "250", "200")
        viewer.xdotool("mousedown", "1")
        viewer.xdotool("mousemove", "--window", w, "220", "180")
        viewer.xdotool("mousemove", "--window", w, "200", "170")
        viewer.xdotool("mouseup", "1")
        dragged = viewer.compare_frames("drag")
        check(bars(dragged) == (h0 + 50, v0 + 30),
              f"the drag moved the bars from {(h0, v0)} to {bars(dragged)}")

        # A held arrow scrolls a pixel per yield until the key goes up.
        viewer.xdotool("keydown", "Right")
        time.sleep(0.4)
        viewer.xdotool("keyup", "Right")
        held = viewer.compare_frames("arrow")
        h1, v1 = bars(held)
        check(h1 > h0 + 50 and v1 == v0 + 30, f"the held arrow moved the bars to {(h1, v1)}")
        h2, _ = bars(viewer.state())
        check(h2 == h1, "the scrolling went on after the key went up")

        viewer.xdotool("key", "plus")
        zoomed = viewer.compare_frames("plus")
        check(zoomed["zoomPercent"] == 125 and zoomed["picScroll"][2:] == [2000, 1500],
              f"+ zoomed to {zoomed['zoomPercent']} % ({zoomed['picScroll']})")

        viewer.xdotool("key", "f")
        fitted = viewer.compare_frames("fit")
        check(fitted["log"][-1] == "FeedBest", f"F ran {fitted['log'][-1]}")
        check(fitted["picScroll"][2:] == [500, 375], f"F fitted to {fitted['picScroll']}")

        viewer.xdotool("windowsize", w, "640", "480")
        wait_for(lambda: viewer.state()["client"] == [640, 480], "the form to take the new size")
        resized = viewer.compare_frames("resize")
        check(resized["log"][-1] == "Size 640x480", f"the resize logged {resized['log'][-1]}")

        close(x, viewer)
        viewer = None
    finally:
        end(viewer)
        x.close()


def close(x, viewer):
    """Closing the window as a window manager does ends the program cleanly."""
    xwindow.request_close(x.display, viewer.window)
    try:
        code = viewer.process.wait(timeout=20)
    except subprocess.TimeoutExpired:
        raise Failed("the viewer did not end after its window was closed")
    check(code == 0, f"the viewer ended with code {code}")


def end(viewer):
    if viewer is not None and viewer.process.poll() is None:
        viewer.process.kill()
        viewer.process.wait()


def view_form(lumora, work):
    """`lumora view FORM.json` shows the saved form live: at its stored size
    the window shows what `lumora render` draws, a control that filled the
    form goes on filling it when the window is resized, typing reaches a
    text box, and closing the window ends the program."""
    work = os.path.join(work, "form")
    os.makedirs(work, exist_ok=True)
    form = os.path.join(work, "filled.json")
    filled_form(os.path.join(HERE, "..", "..", "examples", "forms", "viewer.json"), form)
    x = Xvfb()
    viewer = None
    try:
        viewer = Viewer(x, lumora, form, work, title="Filled")
        start = viewer.compare_frames(
            "start", lambda png: [lumora, "render", form, "--png", png])
        check(start["client"] == [320, 240], f"the stored client size, not {start['client']}")
        check(start["controls"]["zView"]["extent"] == [0, 0, 4800, 3600],
              f"zView fills the form: {start['controls']['zView']}")
        viewer.xdotool("windowsize", str(viewer.window), "480", "300")
        wait_for(lambda: viewer.state()["client"] == [480, 300], "the form to take the new size")
        resized = viewer.compare_frames("resize", headless=False)
        check(resized["controls"]["zView"]["extent"] == [0, 0, 7200, 4500],
              f"zView fills the resized form: {resized['controls']['zView']}")
        check(resized["controls"]["lblCaption"]["extent"][:2] == [120, 2940],
              "a control that did not fill the form stays where it was")
        close(x, viewer)

        # Typing reaches the focused text box of another saved form.
        controls = os.path.join(HERE, "..", "..", "examples", "forms", "controls.json")
        viewer = Viewer(x, lumora, controls, work, title="Controls")
        before = viewer.state()["controls"]["txtName"]["Text"]
        viewer.xdotool("mousemove", "--window", str(viewer.window), "20", "16", "click", "1")
        viewer.xdotool("type", "xyz")
        typed = viewer.compare_frames("typed", headless=False)
        check(typed["controls"]["txtName"]["Text"] == before + "xyz",
              f"typing gave {typed['controls']['txtName']['Text']!r}")
        close(x, viewer)
        viewer = None
    finally:
        end(viewer)
        x.close()


def filled_form(source, target):
    """The example viewer form with its picture control filling the form."""
    with open(source) as f:
        form = json.load(f)
    form["caption"] = "Filled"
    for control in form["controls"]:
        if control["name"] == "zView":
            control["extender"].update(Left=0, Top=0, Width=form["width"],
                                       Height=form["height"])
    with open(target, "w") as f:
        json.dump(form, f)


def demo(lumora, work):
    """`lumora demo` plays its tour in a window when a display is present and
    leaves the form to the user until the window closes; --headless plays it
    without a window and ends by itself."""
    x = Xvfb()
    process = None
    try:
        headless = subprocess.run([lumora, "demo", "--headless", os.path.join(work, "demo-headless")],
                                  env=x.env, capture_output=True, text=True, timeout=240)
        check(headless.returncode == 0, "the headless demo failed: " + headless.stderr)
        check("headless" in headless.stdout, "the headless demo did not say so")
        found = x.run("xdotool", "search", "--name", "Orvane Lumora demo", check_rc=False)
        check(not found.stdout.strip(), "the headless demo opened a window")

        log_path = os.path.join(work, "demo.log")
        with open(log_path, "w") as log:
            process = subprocess.Popen([lumora, "demo", os.path.join(work, "demo-window")],
                                       env=x.env, stdout=log, stderr=subprocess.STDOUT)
        wait_for(lambda: "close its window" in open(log_path).read(), "the demo's tour", 240)
        window = x.run("xdotool", "search", "--name", "Orvane Lumora demo").stdout.split()[0]
        geometry = x.run("xdotool", "getwindowgeometry", window).stdout
        check("1280x800" in geometry, "the demo's window: " + geometry)
        # The form is live: the Zoom in button changes what the window shows.
        before = os.path.join(work, "demo-before.png")
        after = os.path.join(work, "demo-after.png")
        x.run("import", "-window", window, before)
        x.run("xdotool", "mousemove", "--window", window, "55", "667", "click", "1")
        wait_for(lambda: x.run("import", "-window", window, after) and x.run(
            "compare", "-metric", "AE", before, after, os.devnull, check_rc=False).returncode == 1,
            "the window to show the zoomed picture")
        xwindow.request_close(x.display, int(window))
        code = process.wait(timeout=30)
        check(code == 0, f"the demo ended with code {code}")
        process = None
    finally:
        if process is not None and process.poll() is None:
            process.kill()
            process.wait()
        x.close()


def same(x, a, b):
    result = x.run("compare", "-metric", "AE", a, b, os.devnull, check_rc=False)
    return result.returncode == 0 and result.stderr.strip() == "0"


def window_example(example, lumora, work):
    """The example application shows a picture in a window: at first and
    after a drag the window shows what the runtime draws headless for the
    same form and the same drag; closing the window ends it with code 0."""
    work = os.path.join(work, "example")
    os.makedirs(work, exist_ok=True)
    picture = os.path.join(work, "grid.bmp")
    with open(picture, "wb") as f:
        f.write(make_picture.make_bmp(900, 700))
    subprocess.run([lumora, "run", os.path.join(HERE, "example_frames.lua"), picture, work,
                    "480", "360"], check=True, timeout=60, stdout=subprocess.DEVNULL)
    start, dragged = (os.path.join(work, name) for name in ("start.png", "dragged.png"))
    x = Xvfb()
    process = None
    try:
        check(not same(x, start, dragged), "the drag changes nothing headless")
        with open(os.path.join(work, "example.log"), "w") as log:
            process = subprocess.Popen([example, picture, "480", "360"], env=x.env,
                                       stdout=log, stderr=subprocess.STDOUT)
        found = x.run("xdotool", "search", "--sync", "--name", "^grid.bmp - window example$")
        window = found.stdout.split()[0]
        shot = os.path.join(work, "window.png")

        def shows(frame):
            return x.run("import", "-window", window, shot) and same(x, shot, frame)

        wait_for(lambda: shows(start), "the example's window to show the headless frame")
        x.run("xdotool", "mousemove", "--window", window, "250", "200")
        x.run("xdotool", "mousedown", "1")
        x.run("xdotool", "mousemove", "--window", window, "220", "180")
        x.run("xdotool", "mousemove", "--window", window, "200", "170")
        x.run("xdotool", "mouseup", "1")
        wait_for(lambda: shows(dragged), "the example's window to show the headless drag")
        xwindow.request_close(x.display, int(window))
        code = process.wait(timeout=20)
        check(code == 0, f"the example ended with code {code}")
        process = None
    finally:
        if process is not None and process.poll() is None:
            process.kill()
            process.wait()
        x.close()


def bench(lumora, work):
    picture = os.path.join(work, "big.bmp")
    with open(picture, "wb") as f:
        f.write(make_picture.make_bmp(8000, 6000))
    x = Xvfb()
    try:
        result = x.run(lumora, "view", picture, "--size", "1280x720", "--bench-drag", "600")
        print(result.stdout.strip())
    finally:
        x.close()


def command_line(usage, tools):
    """The two paths a test program takes. Without one of its tools it skips,
    or fails when --require says the tools must be there."""
    args = [a for a in sys.argv[1:] if not a.startswith("--")]
    if len(args) != 2:
        sys.exit(usage)
    missing = [t for t in tools if shutil.which(t) is None]
    if missing:
        print("missing " + ", ".join(missing))
        sys.exit(1 if "--require" in sys.argv else SKIP)
    return os.path.abspath(args[0]), os.path.abspath(args[1])


def main():
    lumora, work = command_line(__doc__, TOOLS)
    example = next((a.split("=", 1)[1] for a in sys.argv if a.startswith("--example=")),
                   os.path.join(os.path.dirname(lumora), "..", "..", "examples", "cpp_window",
                                "lumora_window_example"))
    if not os.access(example, os.X_OK):
        print("missing the window example " + example)
        sys.exit(1 if "--require" in sys.argv else SKIP)
    try:
        run(lumora, work)
        view_form(lumora, work)
        demo(lumora, work)
        window_example(os.path.abspath(example), lumora, work)
        if "--bench" in sys.argv:
            bench(lumora, work)
    except Failed as failure:
        print("FAILED: " + str(failure))
        log = os.path.join(work, "viewer.log")
        if os.path.exists(log):
            print("viewer output:\n" + open(log).read())
        sys.exit(1)
    print("e2e: lumora view, lumora demo and the window example in windows passed")


if __name__ == "__main__":
    main()
