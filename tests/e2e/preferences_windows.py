"""A picture missing at start opens the settings window with the chooser over it; from the toolbar,
voice and periodicity are saved at close, "Auto démarre" adds and removes a valid autostart entry."""
import os
import sys

from harness import Desktop, ProgramFolder, run_test, settings

SETTINGS, INFO = "^QUENTOR SONALDE 95$", "^Informations$"


def test_settings_and_information_windows():
    with Desktop(tray=True) as desk:
        prog = ProgramFolder(desk, sys.argv[1], {"QS32.ini": settings({"active_image": "1", "image_fond": "/a.bmp"})})
        p = desk.start([prog.exe])
        run = lambda *a: desk.run(["xdotool"] + [str(x) for x in a]).stdout.split()
        click = lambda wid, x, y: run("mousemove", "--window", wid, x // 15, y // 15, "click", 1)
        close = lambda wid, x, y, title: (click(wid, x, y), desk.wait_for(lambda: not desk.windows(title), 5, title))
        win = desk.wait_for(lambda: desk.windows(SETTINGS), 10, "the settings window")[0]
        over = lambda: [w for w in run("search", "--onlyvisible", "--pid", p.pid, "") if desk.run(
            ["xprop", "-id", w, "WM_TRANSIENT_FOR"]).stdout.endswith(f"# {hex(int(win))}\n")]
        run("windowfocus", "--sync", desk.wait_for(over, 10, "the chooser over it")[0], "key", "Escape")
        close(win, 1897, 4717, SETTINGS)  # Terminé
        clock = desk.windows(" - ")[0]
        entry = os.path.join(desk.env["XDG_CONFIG_HOME"], "autostart", "quentor.desktop")

        def opened(button, title):  # a move over the face shows the toolbar
            run("mousemove", "--window", clock, 190, 90)
            click(clock, 900 + button, 165)
            return desk.wait_for(lambda: desk.windows(title), 10, title)[0]
        win = opened(0, SETTINGS)
        for x, y in ((715, 1320), (1080, 605), (435, 152)):  # chaque heure, homme, Auto démarre
            click(win, x, y)
        desk.wait_for(lambda: os.path.exists(entry), 5, "the autostart entry")
        check = desk.run(["desktop-file-validate", entry])
        assert check.returncode == 0 and not check.stdout, check.stdout + check.stderr
        click(win, 435, 152)
        desk.wait_for(lambda: not os.path.exists(entry), 5, "the entry to go")
        close(win, 1897, 4717, SETTINGS)
        close(opened(720, INFO), 4980, 4530, INFO)  # Quitte
        p.send_signal(15)
        assert p.wait(15) == 0
        saved = prog.read("QS32.ini")
        for key in (b"d\xe9clenche_annonce=0", b"\nGenre=0", b"image_fond=/a.bmp"):
            assert key + b"\r\n" in saved, (key, saved)


if __name__ == "__main__":
    run_test(test_settings_and_information_windows)
