"""Asked to close by a signal, the real program ends at once: nothing of the minute's work (the
alarm's program, ringing, memo) happens after the save. The icon docks into a tray host that starts
after the program; a signal at any moment of the start gives a clean exit. With no display, or one
that is not there, the start ends with 1 and one line that names it."""
import os
import random
import subprocess
import sys
import time

from harness import NEW_KEYS, TRAYER, Desktop, ProgramFolder, faked_time, marker_script, run_test, settings, tray_icon

BINARY = sys.argv[1]


def test_late_tray_close_during_the_minute_and_at_start():
    with Desktop(tray=False) as desk:
        script, marker = marker_script(desk, "alarme.sh")
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": settings()})
        alone = {k: v for k, v in desk.env.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        for env, named in ((alone, "ni DISPLAY ni WAYLAND_DISPLAY"), (dict(desk.env, DISPLAY=":9999"), "« :9999 »")):
            r = subprocess.run([prog.exe], env=env, capture_output=True, text=True, timeout=10)
            assert r.returncode == 1 and r.stderr.count("\n") == 1 and named in r.stderr, ("no display", r)
        p = desk.start([prog.exe])
        desk.wait_for(lambda: desk.windows(" - "), 10, "the clock window")
        time.sleep(3)
        desk.start(TRAYER)
        desk.wait_for(lambda: desk.windows("panel"), 5, "trayer window")
        desk.wait_for(lambda: tray_icon(desk), 10, "the icon to dock into the late tray")
        p.send_signal(15)
        assert p.wait(10) == 0
        # A signal in the minute's 5 s pause (the menu's item, the same close, is the unit tests').
        prog.write("QS32.ini", settings({"déclenche_annonce": "0", "ALH1": "7", "ALMN1": "30", "AL1": "Vrai",
                                         "ALMSG1": "Vrai", "ALAPP1": "Vrai", "ALEXE1": script}))
        prog.write("MSG1.ASC", b"abc")
        start = time.monotonic()
        p = desk.start([prog.exe], env=faked_time(desk.env, "07:29:57"))
        desk.wait_for(lambda: tray_icon(desk), 10, "the icon to dock")
        time.sleep(max(0, start + 5.2 - time.monotonic()))  # 07:30:02, in the 5 s pause
        asked = time.monotonic()
        p.send_signal(15)
        assert p.wait(5) == 0
        assert time.monotonic() - asked < 2.5, "ended within 2 s of the request"
        time.sleep(max(0, start + 10 - time.monotonic()))  # past 07:30:05 and the memo's time
        assert not os.path.exists(marker), "the alarm's program must not start after the close"
        assert not desk.windows("^MESSAGE"), "no memo window after the close"
        assert prog.read("MSG1.ASC") == b"abc\r\n", "the memo was saved"
        # A signal at any moment of the start: a large background picture makes the load step last,
        # after the window has appeared.
        big = os.path.join(desk.tmp, "grand.png")
        desk.run(["convert", "-size", "4000x4000", "xc:navy", big], timeout=60)
        prog.write("QS32.ini", settings({"active_image": "1", "image_fond": big}))
        rng = random.Random(7)
        for i in range(10):
            p = desk.start([prog.exe])
            if i % 2:
                desk.wait_for(lambda: desk.windows(" - "), 10, "the clock window")
            else:
                # From the moment the program's own code runs, /proc shows SIGTERM caught.
                desk.wait_for(lambda: int(open(f"/proc/{p.pid}/status").read()
                                          .split("SigCgt:")[1].split()[0], 16) & (1 << 14),
                              10, "the signal handlers")
                time.sleep(rng.uniform(0, 0.5))
            p.send_signal(15)
            status = p.wait(10)
            assert status == 0, f"run {i}: status {status}, not 0"
            end = prog.read("QS32.ini").split(b"\r\nimage_fond=" + big.encode() + b"\r\n")
            assert len(end) == 2 and end[1] in (b"", NEW_KEYS), ("whole: as it was, or saved with its new keys", end)


if __name__ == "__main__":
    run_test(test_late_tray_close_during_the_minute_and_at_start)
