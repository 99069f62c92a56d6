#!/usr/bin/env python3
"""End-to-end test of the Qt example viewer in a real window under Xvfb.

Opens a generated picture in lumora_qt_viewer, zooms in with the toolbar's
shortcut, drags the picture towards the bottom right (bringing its top left
corner into view), closes the window as a window manager would and expects
exit code 0 and a last status line that shows the zoom and the edges.

Usage: qt_test.py VIEWER WORKDIR [--require]
  --require  fail (instead of skipping with code 77) when a tool is missing
"""
import os
import re
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_picture  # noqa: E402
import xwindow  # noqa: E402
from window_test import Failed, Xvfb, check, command_line  # noqa: E402

TOOLS = ("Xvfb", "xdotool")


def run(viewer, work):
    os.makedirs(work, exist_ok=True)
    picture = os.path.join(work, "big.bmp")
    with open(picture, "wb") as f:
        f.write(make_picture.make_bmp(1600, 1200))
    x = Xvfb()
    try:
        # Under LeakSanitizer, what Qt and its libraries keep is theirs.
        supp = os.path.join(HERE, "..", "qt", "lsan.supp")
        env = dict(x.env, QT_QPA_PLATFORM="xcb", LSAN_OPTIONS="suppressions=" + supp)
        process = subprocess.Popen([viewer, picture], env=env, stdout=subprocess.PIPE,
                                   stderr=subprocess.PIPE, text=True)
        found = x.run("xdotool", "search", "--sync", "--name", "^" + re.escape(picture) + "$")
        window = int(found.stdout.split()[0])
        x.run("xdotool", "windowfocus", "--sync", str(window))
        time.sleep(0.5)
        # Zooming in to 125 % centres the picture, 600 pixels beyond each side
        # (480 above and below): dragging 700 right and 518 down brings its top
        # left corner into view.
        x.run("xdotool", "key", "--window", str(window), "equal")
        x.run("xdotool", "mousemove", "--window", str(window), "50", "60", "mousedown", "1")
        for step in range(1, 15):
            x.run("xdotool", "mousemove", "--window", str(window), str(50 + 50 * step),
                  str(60 + 37 * step))
        x.run("xdotool", "mouseup", "1")
        time.sleep(0.5)
        xwindow.request_close(x.display, window)
        try:
            out, err = process.communicate(timeout=20)
        except subprocess.TimeoutExpired:
            process.kill()
            raise Failed("the viewer did not close")
        check(process.returncode == 0, f"the viewer ended with {process.returncode}: {err}")
        status = out.strip().splitlines()[-1] if out.strip() else ""
        check("at 100 %" not in status and "pixels at" in status,
              "the zoom did not change: " + status)
        check("top" in status and "left" in status,
              "the drag did not bring the top left corner into view: " + status)
    finally:
        x.close()


def main():
    viewer, work = command_line(__doc__, TOOLS)
    try:
        run(viewer, work)
    except Failed as failure:
        print("FAILED: " + str(failure))
        sys.exit(1)
    print("e2e: the Qt viewer opened, dragged, zoomed and closed")


if __name__ == "__main__":
    main()
