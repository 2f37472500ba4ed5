"""The real program keeps its files: a start and a SIGTERM rewrite them exactly as expected (the
shipped ones unchanged), a missing key is reported with nothing written. Without a notification
area the window stays reachable."""
import shutil
import sys

from harness import NEW_KEYS, TRAYER, Desktop, ProgramFolder, ini, run_test, settings, wait_closable

BINARY = sys.argv[1]


def hand_written(genre=b"Genre = 1", visible=b"QS_visible = Vrai", drop=b""):
    """Settings as a person may leave them: comments, a section, blanks around "=", a path with a leading blank."""
    text = ini(["; Réglages de l'horloge, modifiés à la main", "[Quentor]"]) + settings({"image_fond": " /images/mon fond.bmp"})
    text = text.replace(b"Genre=1", genre).replace(b"QS_visible=Vrai", visible).replace(b"active_image", b"\r\nactive_image")
    return text.replace(drop + b"\r\n", b"") if drop else text


MEMOS = {"MSG1.ASC": b"abc\r\n", "MSG2.ASC": b"", "MSG3.ASC": b"sans fin de ligne", "MSG4.ASC": b"\r\n",
         "MSG5.ASC": "café à 8 h\r\n".encode("cp1252"), "MSG6.ASC": b" \r\n"}


def test_files_without_then_with_a_tray():
    """Without a notification area the window shows although QS_visible is false, and stays false.
    A bad value of the silent hours is corrected, the keys missing are appended."""
    with Desktop(tray=False) as desk:
        text = hand_written(visible=b"QS_visible = Faux") + b"silence_debut=25:99\r\n"
        prog = ProgramFolder(desk, BINARY, dict(MEMOS, **{"QS32.ini": text}))
        p = desk.start([prog.exe])
        wait_closable(desk)
        p.send_signal(15)
        assert p.wait(15) == 0, "exit code"
        saved = hand_written(b"Genre =1", b"QS_visible =Faux") + b"silence_debut=22:00\r\n" + \
            NEW_KEYS.replace(b"silence_debut=22:00\r\n", b"")
        expected = dict(MEMOS, **{"QS32.ini": saved, "MSG2.ASC": b" \r\n",
                                  "MSG3.ASC": b"sans fin de ligne\r\n", "MSG4.ASC": b"\r\n\r\n"})
        assert prog.snapshot() == expected, prog.snapshot()
        desk.start(TRAYER)
        desk.tray = desk.wait_for(lambda: desk.windows("panel"), 10, "trayer window")
        shutil.rmtree(prog.path)
        prog = ProgramFolder(desk, BINARY)
        shipped, first = prog.snapshot(), desk.start([prog.exe])
        wait_closable(desk)
        first.send_signal(15)
        assert first.wait(15) == 0
        assert prog.snapshot() == shipped, "the shipped files come back unchanged"
        for name, data in dict(MEMOS, **{"QS32.ini": hand_written(drop=b"Genre = 1")}).items():
            prog.write(name, data)
        before, p = prog.snapshot(), desk.start([prog.exe])
        box = desk.wait_for(lambda: desk.windows("Erreur dans le fichier QS32.ini"), 10, "the missing-key message")[0]
        desk.run(["xdotool", "windowfocus", "--sync", box])
        desk.run(["xdotool", "key", "--window", box, "Return"])
        assert p.wait(10) != 0
        assert prog.snapshot() == before, "nothing is written"


if __name__ == "__main__":
    run_test(test_files_without_then_with_a_tray)
