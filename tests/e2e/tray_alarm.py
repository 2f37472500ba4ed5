"""The real program in a notification area, under a window manager: the icon docks; a left click
shows the hidden window; minimised, it leaves the screen and the icon brings it back; an alarm
rings, starts its program and opens its memo; the close saves the window's size unchanged by its
frame. In the silent hours, the half hour is not spoken: the alarm's program runs after the 5-second
pause alone. (The menu's time, when the platform opens the menu, is the unit tests' and the Wayland
test's; the alarm's sound while the clock is silenced, the unit tests'.)"""
import sys

from harness import Desktop, MovableTime, ProgramFolder, click, marker_script, run_test, settings
from harness import click_icon, tray_icon

BINARY = sys.argv[1]


def wm_state(desk, wid):
    return desk.run(["xprop", "-id", wid, "WM_STATE", "_NET_WM_STATE"]).stdout


def test_tray_window_manager_and_alarm():
    with Desktop(tray=True, wm=True) as desk:
        script, marker = marker_script(desk, "mon script.sh")
        prog = ProgramFolder(desk, BINARY, {
            "QS32.ini": settings({"QS_width": "3600", "QS_height": "1800", "QS_visible": "Faux",
                                  "déclenche_annonce": "2", "ALH1": "7", "ALMN1": "30", "AL1": "Vrai", "ALMSG1": "Vrai",
                                  "ALAPP1": "Vrai", "ALEXE1": script, "silence_actif": "Vrai",
                                  "silence_debut": "22:00", "silence_fin": "08:00"}),
            "MSG1.ASC": "Réunion <b>à</b> 8 h & café\r\n".encode("cp1252")})
        p = desk.start([prog.exe], env=MovableTime(desk, desk.env, "07:29:40").env)
        icon = desk.wait_for(lambda: tray_icon(desk), 10, "the icon to dock")
        assert not desk.windows(" - "), "hidden at start (QS_visible false)"
        wid = click_icon(desk, 1, lambda: desk.windows(" - "), "the window after a left click")[0]
        icon = tray_icon(desk)
        assert "_NET_WM_STATE_SKIP_TASKBAR" in desk.wait_for(lambda: wm_state(desk, wid), 5, "its state")
        desk.run(["xdotool", "windowminimize", wid])
        desk.wait_for(lambda: "WM_STATE:  not found" in wm_state(desk, wid), 5,
                      "the minimised window to be withdrawn, not only iconified")
        click(desk, icon, 1)
        back = lambda: desk.windows(" - ") and "Normal" in wm_state(desk, wid)
        desk.wait_for(back, 5, "the window back from the icon")
        desk.wait_for(lambda: desk.windows("^MESSAGE N.*1$"), 40, "the memo window")
        with open(marker) as f:  # after the 5-second pause alone: nothing was spoken before
            assert f.read().strip() in ("07:30:05", "07:30:06"), "the alarm's program ran at 07:30:05"
        p.send_signal(15)
        assert p.wait(15) == 0
        saved = prog.read("QS32.ini")
        for kept in (b"QS_visible=Faux", b"QS_width=3600", b"QS_height=1800", "Réduction=0".encode("cp1252")):
            assert b"\r\n" + kept + b"\r\n" in saved, (kept, saved)


if __name__ == "__main__":
    run_test(test_tray_window_manager_and_alarm)
