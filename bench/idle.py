#!/usr/bin/env python3
"""Idle cost of the real program: start-to-icon time, CPU share, wake-ups and resident memory.

    python3 bench/idle.py build/bin/quentor [seconds] [mode] [shown]

mode is the announcement periodicity (0 every hour ... 3 every five minutes); shown is the
QS_visible setting: Vrai (the default) leaves the window on screen, Faux starts the clock hidden
in the notification area. Runs under a private Xvfb with a tray host and the dummy sound driver.
Goals: CPU < 0.10 % of a core idle with the window shown, < 0.05 % hidden in the tray;
RSS < 45 MB; start to icon docked < 250 ms.

The floor, under the same conditions: `python3 bench/idle.py build/bench/reveil_nu [seconds]`
(a bare tray program woken once a second by a timer that does nothing).
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from harness import Desktop, ProgramFolder, settings  # noqa: E402
from harness import tray_icon  # noqa: E402


def threads(pid):
    """Per thread: name, CPU nanoseconds and times it was scheduled in, from the scheduler's own
    accounting (finer than the clock-tick figures of /proc/PID/stat)."""
    out = {}
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/comm") as f:
                name = f.read().strip()
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                ns, _, runs = f.read().split()
        except OSError:  # the thread ended meanwhile
            continue
        out[task] = (name, int(ns), int(runs))
    return out


def rss_mb(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def main():
    binary = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 60
    mode = sys.argv[3] if len(sys.argv) > 3 else "0"
    shown = sys.argv[4] if len(sys.argv) > 4 else "Vrai"
    desk = Desktop(tray=True)
    try:
        prog = ProgramFolder(desk, binary, {"QS32.ini": settings({"déclenche_annonce": mode,
                                                                  "QS_visible": shown})})
        t0 = time.monotonic()
        p = desk.start([prog.exe])
        desk.wait_for(lambda: tray_icon(desk), 10, "the icon")
        docked = time.monotonic() - t0
        time.sleep(6)  # start-up settles (start clip, the sound device closing, first ticks)
        a, w0 = threads(p.pid), time.monotonic()
        time.sleep(seconds)
        b, w1 = threads(p.pid), time.monotonic()
        rss = rss_mb(p.pid)
        wall = w1 - w0
        print(f"start to icon docked: {docked * 1000:.0f} ms (includes polling every 50 ms)")
        total = runs = 0
        for task, (name, ns, n) in sorted(b.items()):
            ns0, n0 = a.get(task, (name, 0, 0))[1:]
            total += ns - ns0
            runs += n - n0
            print(f"  thread {name:16} CPU {(ns - ns0) / 1e6:9.2f} ms, scheduled in {(n - n0) / wall:6.2f}/s")
        state = "shown" if shown == "Vrai" else "hidden in the tray"
        print(f"CPU over {wall:.0f} s in mode {mode}, window {state}: {100 * total / 1e9 / wall:.3f} % "
              f"of a core; {runs / wall:.2f} wake-ups/s")
        print(f"resident memory: {rss:.1f} MB")
        with open("/proc/loadavg") as f:
            print("load average at the end:", " ".join(f.read().split()[:3]))
        p.send_signal(15)
        p.wait(15)
    finally:
        desk.close()


if __name__ == "__main__":
    main()
