"""Menu, key H and `quentor --dire-l-heure` with a clock, and the command alone (which ends and
writes nothing) each speak 10:24 (110, 170, 124, 171 at 0, 1.2, 2.0, 3.2 s, none cut), the last at
the settings' volume 50, 6 dB below the one before. After a
kill -9 and its stale socket, and over an empty lock file, a clock starts; a second start, while
the clock is out of file descriptors, shows its window at once, says so and writes nothing."""
import os
import resource
import socket
import subprocess
import sys
import time

from harness import (Desktop, ProgramFolder, PulseCapture, click_icon, faked_time, level, run_test, settings, spoken,
                     tray_icon)

BINARY, ANALYSE = sys.argv[1], sys.argv[2]


def timed(argv, env):
    start = time.monotonic()
    return subprocess.run(argv, env=env, timeout=15).returncode, time.monotonic() - start


def test_time_asked_four_ways():
    with Desktop(tray=True) as desk:
        cap = PulseCapture(desk)
        reglages = settings({"QS_visible": "Faux", "déclenche_annonce": "0", "Genre": "1"})
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": reglages})
        env = faked_time(cap.env, "10:24:00")
        run = desk.env["XDG_RUNTIME_DIR"]
        open(os.path.join(run, "quentor.lock"), "w").close()  # what a power loss leaves: no clock holds it
        first = desk.start([prog.exe], env=env)
        desk.wait_for(lambda: tray_icon(desk), 10, "the icon")
        shown = lambda: set(desk.run(["xdotool", "search", "--onlyvisible", "--class", "quentor"]).stdout.split())
        before = shown()
        time.sleep(2)  # the capture is running well before the first request
        click_icon(desk, 3, lambda: shown() - before, "the menu")
        time.sleep(0.3)
        desk.run(["xdotool", "key", "Down", "Down", "Return"])  # the menu's second item
        time.sleep(4)
        first.kill(), first.wait()
        assert os.path.exists(os.path.join(run, "quentor.sock")), "a stale socket is left"
        clock = desk.start([prog.exe], env=env)
        icon = desk.wait_for(lambda: tray_icon(desk), 10, "the icon after a killed clock")
        assert not desk.windows(" - ")
        # Descriptors run out: the clock may open 4 more than it holds, and 300 silent connections wait.
        limit = resource.prlimit(clock.pid, resource.RLIMIT_NOFILE)
        resource.prlimit(clock.pid, resource.RLIMIT_NOFILE, (len(os.listdir(f"/proc/{clock.pid}/fd")) + 4, limit[1]))
        flood = [socket.socket(socket.AF_UNIX) for _ in range(300)]
        for s in flood:
            s.connect(os.path.join(run, "quentor.sock"))
        files, t0 = prog.snapshot(), time.monotonic()
        second = subprocess.run([prog.exe], env=env, timeout=10, capture_output=True)
        said = "quentor : une horloge tourne déjà pour cet utilisateur ; elle est montrée.\n".encode()
        assert (second.returncode, second.stdout, second.stderr, prog.snapshot()) == (0, b"", said, files), second
        assert time.monotonic() - t0 < 3 and len(desk.windows(" - ")) <= 1, "the second start ends at once"
        resource.prlimit(clock.pid, resource.RLIMIT_NOFILE, limit)
        for s in flood:
            s.close()
        wid = desk.wait_for(lambda: desk.windows(" - "), 5, "the window shown by a second start")[0]
        time.sleep(2)  # the clock's start clip is over: H would be dropped while it sounds
        desk.run(["xdotool", "windowfocus", "--sync", wid, "key", "h"])
        time.sleep(5)  # 3.7 s of speech: a request before its end would be dropped, as it should
        rc, took = timed([prog.exe, "--dire-l-heure"], env)
        assert rc == 0 and took < 1, ("answered at once by the running clock", rc, took)
        time.sleep(4)
        clock.send_signal(15)
        assert clock.wait(15) == 0 and icon
        prog.write("QS32.ini", prog.read("QS32.ini").replace(b"volume=100", b"volume=50"))
        files = prog.snapshot()
        rc, took = timed([prog.exe, "--say-time"], env)
        assert rc == 0 and 3.2 < took < 6 and prog.snapshot() == files and not desk.windows(" - "), (rc, took)
        time.sleep(0.5)
        raw = cap.stop()
        said = spoken(ANALYSE, raw, 10, 24, times=4, within=0.030)
        # The command alone spoke at the volume of the settings: the same clips, 6 dB down.
        assert abs(level(raw, said[3]) - level(raw, said[2]) + 6.02) <= 0.5, (level(raw, said[2]), level(raw, said[3]))

if __name__ == "__main__":
    run_test(test_time_asked_four_ways)
