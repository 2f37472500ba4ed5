#!/usr/bin/env python3
"""Idle cost of the real program: start-to-icon time, CPU share and resident memory.

    python3 bench/idle.py build/bin/quentor [seconds] [mode]

mode is the announcement periodicity (0 every hour ... 3 every five minutes). Runs under a private
Xvfb with a tray host and the dummy sound driver. Goals: CPU < 0.05 % of a core idle in mode 0,
< 0.1 % with an announcement every 5 minutes; RSS < 45 MB; start to icon docked < 250 ms.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from harness import Desktop, ProgramFolder, settings  # noqa: E402
from harness import tray_icon  # noqa: E402

def cpu_seconds(pid):
    """CPU time of every thread, from the scheduler's own nanosecond accounting (finer than the
    clock-tick figures of /proc/PID/stat)."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        with open(f"/proc/{pid}/task/{task}/schedstat") as f:
            total += int(f.read().split()[0])
    return total / 1e9


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
    desk = Desktop(tray=True)
    try:
        prog = ProgramFolder(desk, binary, {"QS32.ini": settings({"déclenche_annonce": mode})})
        t0 = time.monotonic()
        p = desk.start([prog.exe])
        desk.wait_for(lambda: tray_icon(desk), 10, "the icon")
        docked = time.monotonic() - t0
        time.sleep(3)  # start-up settles (start clip, first ticks)
        c0, w0 = cpu_seconds(p.pid), time.monotonic()
        time.sleep(seconds)
        c1, w1 = cpu_seconds(p.pid), time.monotonic()
        rss = rss_mb(p.pid)
        print(f"start to icon docked: {docked * 1000:.0f} ms (includes polling every 50 ms)")
        print(f"CPU over {w1 - w0:.0f} s in mode {mode}: {100 * (c1 - c0) / (w1 - w0):.3f} % of a core")
        print(f"resident memory: {rss:.1f} MB")
        p.send_signal(15)
        p.wait(15)
    finally:
        desk.close()


if __name__ == "__main__":
    main()
