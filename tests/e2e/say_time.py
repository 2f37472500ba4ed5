"""Menu, key H and `quentor --dire-l-heure` with a clock, and the command alone (which ends and
writes nothing) each speak 10:24 (110, 170, 124, 171 at 0, 1.2, 2.0, 3.2 s, none cut), the last at
the settings' volume 50, 6 dB below the one before. After a
kill -9 and its stale socket and lock file, a clock starts; a second start, while
the clock is out of file descriptors, shows its window at once, says so and writes nothing.
Everyday French at 14:30 and 11:45 through the periodic announcement, and the date by the menu and
by the command, word after word (no gap over 0.4 s, each within 4 s); a desktop in "do not disturb"
(a notification service of the test's own) silences 14:45 but not its alarm."""
import datetime
import os
import resource
import socket
import subprocess
import sys
import time

from harness import (WAVES, Desktop, MovableTime, Notifications, ProgramFolder, PulseCapture, level, menu_item,
                     run_test, settings, spoken, tray_icon)

BINARY, ANALYSE = sys.argv[1], sys.argv[2]
def timed(argv, env):
    start = time.monotonic()
    return subprocess.run(argv, env=env, timeout=15).returncode, time.monotonic() - start


def test_time_asked_four_ways_then_everyday_french_date_and_do_not_disturb():
    with Desktop(tray=True, bus=True) as desk:
        service = Notifications(desk)
        cap = PulseCapture(desk)
        reglages = settings({"QS_visible": "Faux", "déclenche_annonce": "0", "Genre": "1"})
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": reglages})
        wall = MovableTime(desk, cap.env, "10:24:00")
        env = wall.env
        run = desk.env["XDG_RUNTIME_DIR"]
        first = desk.start([prog.exe], env=env)
        desk.wait_for(lambda: tray_icon(desk), 10, "the icon")
        time.sleep(2)  # the capture is running well before the first request
        menu_item(desk, 2)  # the menu's second item
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
        # The same desktop: everyday French, the date, and "do not disturb" over an alarm.
        cap.record("capture2.raw")
        wall.set("14:29:52")
        ring = os.path.join(WAVES, "83.wav")  # a clip the program never plays itself
        prog.write("QS32.ini", settings({"QS_visible": "Faux", "heure_courante": "Vrai", "ALH1": "14", "ALMN1": "45",
                                         "AL1": "Vrai", "ALSON1": ring}))
        desk.start([prog.exe], env=wall.env)
        desk.wait_for(lambda: tray_icon(desk), 10, "the icon")
        time.sleep(12)  # 14:30 said
        menu_item(desk, 3)  # "Dire la date"
        time.sleep(5)
        assert subprocess.run([prog.exe, "--dire-la-date"], env=wall.env, timeout=10).returncode == 0
        time.sleep(5)
        for inhibited, at, wait in ((True, "14:44:55", 13), (False, "11:44:55", 10)):
            service.inhibit(inhibited)
            wall.set(at)
            time.sleep(wait)
        raw = cap.stop()
        today = datetime.date.today()
        day = {1: "femme/premier", 21: "femme/vingt_et_un", 31: "femme/trente_et_un"}.get(today.day, str(100 + today.day))
        date = ["femme/nous_sommes_le", "femme/" + "lundi mardi mercredi jeudi vendredi samedi dimanche".split()[today.weekday()],
                day, "femme/" + "janvier fevrier mars avril mai juin juillet aout septembre octobre novembre decembre"
                .split()[today.month - 1], f"femme/{today.year}"]
        half = ["femme/il_est", "102", "170", "femme/et_demie", "femme/de_l_apres_midi"]
        quarter = ["femme/il_est", "femme/midi", "femme/moins_le_quart"]
        said = words(raw, [half, date, date, ["83"], quarter])
        assert all(s and s[0] <= 0.4 and s[1] <= 4 for s in said[:3] + said[4:]) and said[3], said
        assert words(raw, [half, date, date, ["femme/moins_le_quart"], ["83"]])[4] is None, "14:45 was said"


def words(raw, sentences):
    """Finds the sentences' words (a clip id, or VOICE/NAME), in order; prints and returns for each its
    longest gap between words and its length, in seconds (None when a word was not found)."""
    out = subprocess.run([ANALYSE, raw] + sum(sentences, []), capture_output=True, text=True, timeout=120).stdout
    print(out)
    found = [f.split() for f in out.splitlines()]
    said = []
    for sentence in sentences:
        w, found = [(float(f[1]), float(f[3]) / 1000) if f[1] != "-" else None for f in found[:len(sentence)]], found[len(sentence):]
        said.append(None if None in w else (max([b[0] - a[0] - a[1] for a, b in zip(w, w[1:])] or [0]), w[-1][0] + w[-1][1] - w[0][0]))
    print("longest gap, length:", said)
    return said


if __name__ == "__main__":
    run_test(test_time_asked_four_ways_then_everyday_french_date_and_do_not_disturb)
