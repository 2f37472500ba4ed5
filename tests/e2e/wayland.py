"""Natively on Wayland (headless weston, no X display): the clock's face is on screen, it speaks
14:30, opens the information window from its toolbar and closes it, and saves at SIGTERM, its place
kept. The windows opened over the clock are transient for it; what Wayland forbids (placing
windows, leaving the task list) is left aside without a word on the console."""
import glob
import os
import re
import subprocess
import sys
import time

from harness import Desktop, ProgramFolder, PulseCapture, check_1430, faked_time, run_test, settings

BINARY, ANALYSE = sys.argv[1], sys.argv[2]
FACE = bytes((1, 2, 3))  # the face's colour, nowhere else on screen


def face_pixels(desk):
    """How many pixels of the compositor's screen show the face's colour."""
    subprocess.run(["weston-screenshooter"], env=desk.env, cwd=desk.tmp, capture_output=True, timeout=10)
    shots = glob.glob(os.path.join(desk.tmp, "wayland-screenshot*.png"))
    raw = subprocess.run(["convert", shots[0], "rgb:-"], capture_output=True, timeout=10).stdout if shots else b""
    for shot in shots:
        os.remove(shot)
    return sum(raw[i:i + 3] == FACE for i in range(0, len(raw), 3))


def test_wayland():
    with Desktop(tray=False, wayland=True, atspi=True) as desk:
        cap = PulseCapture(desk)
        geometry = {"QS_left": "1500", "QS_top": "1500", "QS_width": "3000", "QS_height": "1500"}
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": settings(dict(geometry, couleur_fond=str(0x030201))), "MSG1.ASC": b"abc"})
        console = open(os.path.join(desk.tmp, "console"), "w+")
        start = time.monotonic()
        p = desk.start([prog.exe], env=dict(faked_time(cap.env, "14:29:54"), WAYLAND_DEBUG="client"), stdout=console, stderr=console)
        desk.wait_for(lambda: face_pixels(desk) > 150 * 70, 10, "the clock's face on screen")
        shown = desk.press("Informations", "Quitte")
        assert [("Informations" in s.split("|"), " 14:" in s) for s in shown] == [(True, True), (False, True)], shown
        time.sleep(max(0, start + 14 - time.monotonic()))
        raw = cap.stop()
        p.send_signal(15)
        assert p.wait(15) == 0
        check_1430(ANALYSE, raw)
        saved = prog.read("QS32.ini")
        assert prog.read("MSG1.ASC") == b"abc\r\n" and all(f"\n{k}={v}\r".encode() in saved for k, v in geometry.items()), saved
        console.seek(0)
        said = console.read()  # the protocol, one "[time] message" line each, and nothing else
        assert re.fullmatch(r"(\[[^\n]*\n)*", said), re.sub(r"\[.*\n", "", said)
        clock, info = re.findall(r"get_toplevel\(new id (xdg_toplevel@\d+)", said)[:2]
        assert f"{info}.set_parent({clock})" in said, "the information window is transient for the clock"


if __name__ == "__main__":
    run_test(test_wayland)
