#!/usr/bin/env python3
"""Takes the README's pictures of the program's windows on a private X display (Xvfb).

Usage: scripts/screenshots.py [BUILD_DIR]   (default: build; pictures go to docs/images/)

The clock starts from the shipped settings with its wall clock at 14:30, so that the pictures
change only when the windows do. Each row of WINDOWS is one picture: the clock window itself, or
the window a button of the clock's toolbar opens.
"""
import os
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from harness import Desktop, MovableTime, ProgramFolder  # noqa: E402

# (picture, toolbar button that opens the window, or None for the clock window)
WINDOWS = [
    ("horloge.png", None),
    ("reglages.png", "Image0"),
    ("alarmes.png", "Image2"),
    ("informations.png", "Image3"),
]
# The toolbar's buttons from its left end, each 24 pixels wide, the bar 48 pixels from the left.
TOOLBAR = ["Image0", "Image2", "Image3", "Image4", "Image5"]


def shoot(desk, wid, path):
    subprocess.run(["import", "-window", wid, path], env=desk.env, check=True, timeout=20)
    print("wrote", os.path.relpath(path, ROOT))


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "build")
    out = os.path.join(ROOT, "docs", "images")
    os.makedirs(out, exist_ok=True)
    desk = Desktop(tray=False)
    try:
        prog = ProgramFolder(desk, os.path.join(build, "bin", "quentor"))
        desk.start([prog.exe], env=MovableTime(desk, desk.env, "14:30:20").env)
        clock = desk.wait_for(lambda: desk.windows(" - "), 10, "the clock window")[0]
        time.sleep(1.5)  # the first ticks have painted
        for picture, button in WINDOWS:
            if button is None:
                shoot(desk, clock, os.path.join(out, picture))
                continue
            geometry = dict(l.split("=") for l in desk.run(
                ["xdotool", "getwindowgeometry", "--shell", clock]).stdout.split())
            x, y = int(geometry["X"]), int(geometry["Y"])
            before = set(desk.windows(""))
            desk.run(["xdotool", "mousemove", str(x + 150), str(y + 60)])  # shows the toolbar
            desk.run(["xdotool", "mousemove", str(x + 60 + 24 * TOOLBAR.index(button)),
                      str(y + 11), "click", "1"])
            new = desk.wait_for(lambda: set(desk.windows("")) - before, 10, picture)
            time.sleep(0.5)
            shoot(desk, sorted(new)[-1], os.path.join(out, picture))
            desk.run(["xdotool", "windowfocus", "--sync", sorted(new)[-1], "key", "Escape"])
            desk.wait_for(lambda: not set(desk.windows("")) - before, 10, "the window to close")
    finally:
        desk.close()


if __name__ == "__main__":
    main()
