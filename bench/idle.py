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

    python3 bench/idle.py --depart build/bin/quentor build/bench/reveil_nu [runs]

Start to icon docked, the clock against a bare Qt program showing a tray icon and a window with a
40-point label, each run on a fresh Xvfb + tray host of its own, taking turns; medians and their
ratio (goal <= 1.2). It looks for the icon every 10 ms with xdotool and xwininfo, as the
end-to-end tests do; SONDE=x11 looks every 2 ms from inside this process instead (bench/sonde_x11.py),
which leaves the two cores to the programs measured.

    python3 bench/idle.py --commande build/bin/quentor [runs] [option]

How long `quentor --dire-l-heure` (or `option`: --repousse, --arrete) takes, from its start to its
end, while a clock runs (goal <= 100 ms).
"""
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from harness import Desktop, ProgramFolder, settings  # noqa: E402
from harness import tray_icon  # noqa: E402
from sonde_x11 import SondeX11  # noqa: E402


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


def session(desk):
    """What a desktop session gives its programs: a session bus (without one, the first program
    to use D-Bus launches one and waits for it, the clock twice: for Qt and for SDL), and the
    runtime folder on tmpfs, as /run/user/UID is (the single-instance lock is synced to disk when
    it is taken, which costs tens of milliseconds on a busy disk). NO_SESSION=1 leaves both out."""
    if os.environ.get("NO_SESSION") == "1":
        return None
    bus = desk.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE, text=True)
    desk.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
    run = tempfile.mkdtemp(prefix="quentor-run-", dir="/dev/shm")
    desk.env["XDG_RUNTIME_DIR"] = run
    return run


def docks(binary, env=None):
    """Milliseconds from exec to the icon in the tray host, on a desktop of its own."""
    desk = Desktop(tray=True)
    run = session(desk)
    sonde = None
    try:
        prog = ProgramFolder(desk, binary, {"QS32.ini": settings()})
        if os.environ.get("SONDE") == "x11":
            sonde = SondeX11(desk.env["DISPLAY"], desk.windows("panel")[0])
            docked, poll = sonde.icone, 0.002
        else:
            docked, poll = (lambda: tray_icon(desk)), 0.01
        t0 = time.monotonic()
        p = desk.start([prog.exe], env=dict(desk.env, **(env or {})))
        end = t0 + 10
        while not docked():
            assert time.monotonic() < end, "the icon never docked"
            time.sleep(poll)
        ms = (time.monotonic() - t0) * 1000
        p.send_signal(15)
        p.wait(15)
        return ms
    finally:
        sonde and sonde.ferme()
        desk.close()
        run and shutil.rmtree(run, ignore_errors=True)


def depart(clock, floor, runs):
    times = {clock: [], floor: []}
    for i in range(runs):
        for binary in ((clock, floor) if i % 2 == 0 else (floor, clock)):
            times[binary].append(docks(binary, {"REVEIL_ETIQUETTE": "1"} if binary == floor else None))
    for binary, t in times.items():
        print(f"{binary}: median {statistics.median(t):.0f} ms, min {min(t):.0f}, max {max(t):.0f} "
              f"over {runs} starts ({', '.join(f'{v:.0f}' for v in t)})")
    print(f"ratio of the medians: {statistics.median(times[clock]) / statistics.median(times[floor]):.2f}")


def commande(clock, runs, option="--dire-l-heure"):
    desk = Desktop(tray=True)
    run = session(desk)
    try:
        prog = ProgramFolder(desk, clock, {"QS32.ini": settings()})
        p = desk.start([prog.exe])
        desk.wait_for(lambda: tray_icon(desk), 10, "the icon")
        time.sleep(2)
        times = []
        for _ in range(runs):
            t0 = time.monotonic()
            subprocess.run([prog.exe, option], env=desk.env, check=True, timeout=10)
            times.append((time.monotonic() - t0) * 1000)
            time.sleep(0.5)
        print(f"{option} answered by a running clock: median {statistics.median(times):.1f} ms, "
              f"max {max(times):.1f} ms over {runs} runs")
        p.send_signal(15)
        p.wait(15)
    finally:
        desk.close()
        run and shutil.rmtree(run, ignore_errors=True)


def main():
    if sys.argv[1] == "--depart":
        return depart(sys.argv[2], sys.argv[3], int(sys.argv[4]) if len(sys.argv) > 4 else 10)
    if sys.argv[1] == "--commande":
        return commande(sys.argv[2], int(sys.argv[3]) if len(sys.argv) > 3 else 20, *sys.argv[4:5])
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
