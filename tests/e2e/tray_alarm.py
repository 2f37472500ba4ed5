"""The real program in a notification area: the icon docks, a left click shows the hidden window,
the menu's last item closes the program and saves; an alarm rings, starts its program and opens
its memo; screenshots of the face at two sizes."""
import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Desktop, ProgramFolder, faked_time, run_test, settings  # noqa: E402

BINARY = sys.argv[1]
SHOTS = sys.argv[2] if len(sys.argv) > 2 else None


def clock_settings(visible="Faux", alarm1=("7", "30", "Faux", "Faux", "Faux", "", "")):
    h, m, active, msg, app, exe, son = alarm1
    return settings({"couleur_fond": "5972004", "couleur_encre": "4116223",
                     "couleur_bande": "1869311", "QS_width": "3600", "QS_height": "1800",
                     "QS_visible": visible, "déclenche_annonce": "0", "ALH1": h, "ALMN1": m,
                     "AL1": active, "ALMSG1": msg, "ALAPP1": app, "ALEXE1": exe, "ALSON1": son})


def tray_icon(desk):
    """Centre of the program's icon docked in trayer, in root coordinates."""
    panel = desk.windows("panel")[0]
    tree = desk.run(["xwininfo", "-tree", "-id", panel]).stdout
    for line in tree.splitlines():
        m = re.search(r"(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s+\+(-?\d+)\+(-?\d+)", line)
        if m and "child" not in line:
            w, h, ax, ay = int(m[1]), int(m[2]), int(m[5]), int(m[6])
            if 12 <= w <= 40 and 12 <= h <= 40:
                return ax + w // 2, ay + h // 2
    return None


def click(desk, xy, button):
    desk.run(["xdotool", "mousemove", str(xy[0]), str(xy[1]), "click", str(button)])


def test_icon_menu_and_close():
    desk = Desktop(tray=True)
    try:
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": clock_settings(visible="Faux")})
        p = desk.start([prog.exe])
        icon = desk.wait_for(lambda: tray_icon(desk), 10, "the icon to dock")
        time.sleep(0.5)
        assert not desk.windows(" - "), "hidden at start (QS_visible false)"
        click(desk, icon, 1)
        desk.wait_for(lambda: desk.windows(" - "), 5, "the window after a left click")
        click(desk, icon, 3)
        time.sleep(0.7)
        desk.run(["xdotool", "key", "Up", "Return"])  # the last item: "Ferme Quentor Sonalde"
        assert p.wait(15) == 0
        assert b"QS_visible=Faux" in prog.read("QS32.ini")
    finally:
        desk.close()


def test_without_tray_the_window_stays_reachable():
    desk = Desktop(tray=False)
    try:
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": clock_settings(visible="Faux")})
        p = desk.start([prog.exe])
        desk.wait_for(lambda: desk.windows(" - "), 10, "the window, shown although QS_visible is false")
        p.send_signal(15)
        assert p.wait(15) == 0
        assert b"QS_visible=Faux" in prog.read("QS32.ini"), "the stored choice is kept"
    finally:
        desk.close()


def test_alarm_fires_with_program_and_memo():
    desk = Desktop(tray=True)
    try:
        marker = os.path.join(desk.tmp, "lance.txt")
        script = os.path.join(desk.tmp, "mon script.sh")
        with open(script, "w") as f:
            f.write(f"#!/bin/sh\ndate +%T > '{marker}'\n")
        os.chmod(script, 0o755)
        prog = ProgramFolder(desk, BINARY, {
            "QS32.ini": clock_settings(visible="Vrai", alarm1=("7", "30", "Vrai", "Vrai", "Vrai",
                                                         script, "")),
            "MSG1.ASC": "Réunion <b>à</b> 8 h & café\r\n".encode("cp1252")})
        env = faked_time(desk.env, "07:29:56")
        p = desk.start([prog.exe], env=env)
        desk.wait_for(lambda: desk.windows(" - "), 10, "the clock window")
        memo = desk.wait_for(lambda: desk.windows("^MESSAGE N.*1$"), 20, "the memo window")
        assert memo
        assert os.path.exists(marker), "the alarm's program ran"
        with open(marker) as f:
            started = f.read().strip()
        assert started in ("07:30:05", "07:30:06"), started
        if SHOTS:
            desk.screenshot(os.path.join(SHOTS, "alarm.png"))
        p.send_signal(15)
        assert p.wait(15) == 0
    finally:
        desk.close()


def test_face_at_two_sizes():
    if not SHOTS:
        return
    desk = Desktop(tray=True)
    try:
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": clock_settings(visible="Vrai")})
        p = desk.start([prog.exe])
        wid = desk.wait_for(lambda: desk.windows(" - "), 10, "the clock window")[0]
        time.sleep(1.5)
        desk.screenshot(os.path.join(SHOTS, "face-small.png"))
        desk.run(["xdotool", "windowsize", wid, "480", "220"])
        time.sleep(1.5)
        desk.screenshot(os.path.join(SHOTS, "face-large.png"))
        p.send_signal(15)
        assert p.wait(15) == 0
    finally:
        desk.close()


if __name__ == "__main__":
    run_test(lambda: (test_icon_menu_and_close(), test_without_tray_the_window_stays_reachable(),
                      test_alarm_fires_with_program_and_memo(),
                      test_face_at_two_sizes()))
