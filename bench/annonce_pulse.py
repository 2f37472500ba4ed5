#!/usr/bin/env python3
"""Sound through a real PulseAudio server (a private one with a null sink, as the end-to-end test
uses): what an announcement costs, the start latency, and the spoken pauses of the real program.

    python3 bench/annonce_pulse.py BUILD_DIR cpu [repetitions]
    python3 bench/annonce_pulse.py BUILD_DIR parole [runs] [hogs]

cpu: bench_cpu_annonce, bench_latence_son and bench_cpu_eveillee through the server (goal: a warm
announcement < 30 ms of CPU; start latency constant, < 55 ms; what a planned sound costs with the
output readied a second ahead and kept awake). parole: the real program speaks 14:30 (female
voice, quarter-hour mode) while parec records the sink; tools/analyse_son finds clips 114, 170,
130, 171, which must start 0, 1.2, 2.0 and 3.2 s after the first (within 20 ms) and play whole.
hogs: that many `yes > /dev/null` run beside it, a busy machine. Every process started here is
ended by its PID.
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from harness import Desktop, ProgramFolder, PulseCapture, faked_time, settings  # noqa: E402

ATTENDU = ((114, 0.0), (170, 1.2), (130, 2.0), (171, 3.2))


def cpu(build, repetitions):
    desk = Desktop(tray=False)
    try:
        cap = PulseCapture(desk)
        for argv in ([f"{build}/bench/bench_cpu_annonce", str(repetitions)],
                     [f"{build}/bench/bench_latence_son", "20"],
                     [f"{build}/bench/bench_cpu_eveillee", str(repetitions)]):
            out = subprocess.run(argv, env=cap.env, capture_output=True, text=True, timeout=600)
            print(out.stdout, end="")
    finally:
        desk.close()


def parole(build, hogs):
    """One capture of the 14:30 announcement; returns the worst pause error (s) and the clips cut."""
    desk = Desktop(tray=True)
    porcs = []
    try:
        cap = PulseCapture(desk)
        for _ in range(hogs):
            porcs.append(subprocess.Popen(["yes"], stdout=subprocess.DEVNULL))
        prog = ProgramFolder(desk, f"{build}/bin/quentor",
                             {"QS32.ini": settings({"déclenche_annonce": "2", "Genre": "1"})})
        p = desk.start([prog.exe], env=faked_time(cap.env, "14:29:55"))
        time.sleep(13)
        raw = cap.stop()
        p.send_signal(15)
        p.wait(15)
    finally:
        for porc in porcs:
            porc.terminate()
            porc.wait()
        analyse = None
        try:
            analyse = subprocess.run([f"{build}/tools/analyse_son/analyse_son", raw] +
                                     [str(c) for c, _ in ATTENDU], capture_output=True, text=True,
                                     timeout=60)
        finally:
            desk.close()
    found = {}
    for line in analyse.stdout.splitlines():
        f = line.split()
        if len(f) == 4 and f[1] != "-":
            found[int(f[0])] = (float(f[1]), float(f[2]), float(f[3]))
    if set(found) != {c for c, _ in ATTENDU}:
        print("clips missing:", analyse.stdout.strip())
        return None, None
    t0 = found[114][0]
    ecarts = [(c, found[c][0] - t0 - d) for c, d in ATTENDU]
    coupes = [c for c, _ in ATTENDU if found[c][1] < found[c][2] - 5]
    print("  " + "  ".join(f"{c} at +{found[c][0] - t0:.3f} s ({found[c][1]:.0f}/{found[c][2]:.0f} ms)"
                           for c, _ in ATTENDU))
    return max(abs(e) for _, e in ecarts), coupes


def main():
    build, what = sys.argv[1], sys.argv[2]
    if what == "cpu":
        cpu(build, int(sys.argv[3]) if len(sys.argv) > 3 else 3)
        return
    runs = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    hogs = int(sys.argv[4]) if len(sys.argv) > 4 else 0
    with open("/proc/loadavg") as f:
        print(f"{runs} runs, {hogs} CPU hogs beside the program; load average {f.read().split()[0]}")
    pires, coupes = [], []
    for _ in range(runs):
        pire, coupe = parole(build, hogs)
        if pire is not None:
            pires.append(pire)
            coupes += coupe
    print(f"worst pause error {max(pires) * 1000:.1f} ms over {len(pires)} captures (goal: 20 ms); "
          f"clips cut short: {coupes or 'none'}")


if __name__ == "__main__":
    main()
