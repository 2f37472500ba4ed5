"""The windows the toolbar opens, in one session. A picture missing at start opens the settings
window with the chooser over it; there, "Auto démarre" adds and removes a valid autostart entry.
The alarm editor sets alarm 1 to the next minute with its arrows and takes a memo typed in: the memo
shows at that minute, and the close saves the alarm, the memo and the picture's path unchanged."""
import os
import sys
import time

from harness import Desktop, MovableTime, ProgramFolder, run_test, settings

SETTINGS = "^QUENTOR SONALDE 95$"
EDITOR = "glages des alarmes$"


def test_settings_window_and_alarm_editor():
    with Desktop(tray=True) as desk:
        prog = ProgramFolder(desk, sys.argv[1], {"MSG1.ASC": b"", "QS32.ini": settings({
            "active_image": "1", "image_fond": "/a.bmp", "déclenche_annonce": "0", "ALH1": "8", "ALMN1": "28"})})
        p = desk.start([prog.exe], env=MovableTime(desk, desk.env, "07:29:10").env)
        run = lambda *a: desk.run(["xdotool"] + [str(x) for x in a]).stdout.split()

        def click(wid, left, top, border=0):  # twips inside the window; the editor's page has a border
            run("mousemove", "--window", wid, border + round(left / 15), border + round(top / 15), "click", 1)
            time.sleep(0.6)  # longer than an arrow's first repeat: a click must stay one step

        def close(wid, left, top, title):
            click(wid, left, top)
            desk.wait_for(lambda: not desk.windows(title), 5, title)

        def opened(button, title):  # a move over the face shows the toolbar
            run("mousemove", "--window", clock, 190, 90)
            click(clock, 900 + button, 165)
            return desk.wait_for(lambda: desk.windows(title), 10, title)[0]

        win = desk.wait_for(lambda: desk.windows(SETTINGS), 10, "the settings window")[0]

        def over():
            transient = f"# {hex(int(win))}\n"
            found = run("search", "--onlyvisible", "--pid", p.pid, "")
            return [w for w in found if desk.run(["xprop", "-id", w, "WM_TRANSIENT_FOR"]).stdout.endswith(transient)]
        run("windowfocus", "--sync", desk.wait_for(over, 10, "the chooser over it")[0], "key", "Escape")
        close(win, 1897, 4717, SETTINGS)  # Terminé
        clock = desk.windows(" - ")[0]
        entry = os.path.join(desk.env["XDG_CONFIG_HOME"], "autostart", "quentor.desktop")
        win = opened(0, SETTINGS)
        click(win, 435, 152)  # Auto démarre
        desk.wait_for(lambda: os.path.exists(entry), 5, "the autostart entry")
        check = desk.run(["desktop-file-validate", entry])
        assert check.returncode == 0 and not check.stdout, check.stdout + check.stderr
        click(win, 435, 152)
        desk.wait_for(lambda: not os.path.exists(entry), 5, "the entry to go")
        close(win, 1897, 4717, SETTINGS)
        editor = opened(360, EDITOR)  # the bell
        click(editor, 510, 2015, 2)  # hour, down arrow: 8 -> 7
        for _ in range(2):
            click(editor, 2475, 1715, 2)  # minute, up arrow: 28 -> 30
        click(editor, 2350, 750, 2)  # "active"
        click(editor, 3020, 3045, 2)  # the memo's "actif"
        click(editor, 3292, 3805, 2)  # into the memo
        for keys in (["type", "Lever"], ["key", "Return"], ["type", "cafe"]):
            run(*keys)
        click(editor, 3330, 4987)  # RETOUR
        desk.wait_for(lambda: desk.windows("^MESSAGE N.*1$"), 70, "alarm 1's memo, at 07:30")
        p.send_signal(15)
        assert p.wait(15) == 0
        saved = prog.read("QS32.ini")
        for key in (b"ALH1=7", b"ALMN1=30", b"AL1=Vrai", b"ALMSG1=Vrai", b"image_fond=/a.bmp"):
            assert b"\n" + key + b"\r\n" in saved, (key, saved)
        assert prog.read("MSG1.ASC") == b"Lever\r\ncafe\r\n", prog.read("MSG1.ASC")


if __name__ == "__main__":
    run_test(test_settings_window_and_alarm_editor)
