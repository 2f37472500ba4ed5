"""The real program keeps its files: a start and a SIGTERM rewrite them exactly as expected,
a second instance leaves at once, and a missing key is reported with nothing written."""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import Desktop, ProgramFolder, ini, run_test  # noqa: E402

BINARY = sys.argv[1]


def settings(genre_line="Genre = 1", image_line="image_fond= /images/mon fond.bmp",
             drop=()):
    lines = ["; Réglages de l'horloge, modifiés à la main", "[Quentor]",
             "couleur_fond=4210752", "couleur_encre=65535", "couleur_bande=33023",
             "QS_top=1500", "QS_left=1500", "QS_width=3000", "QS_height=1500",
             "Réduction=0", "QS_visible = Vrai", "déclenche_annonce=2", genre_line]
    for n in range(1, 7):
        lines += [f"ALH{n}={6 + n}", f"ALMN{n}={5 * n}", f"AL{n}=Faux", f"ALMSG{n}=Faux",
                  f"ALAPP{n}=Faux", f"ALEXE{n}=", f"ALSON{n}="]
    lines += ["", "active_image=0", image_line, "; fin"]
    return ini([l for l in lines if l.split("=")[0].strip() not in drop])


MEMOS = {"MSG1.ASC": b"abc\r\n", "MSG2.ASC": b"", "MSG3.ASC": b"sans fin de ligne",
         "MSG4.ASC": b"\r\n", "MSG5.ASC": "café à 8 h\r\n".encode("cp1252"),
         "MSG6.ASC": b" \r\n"}


def start(desk, prog):
    return desk.start([prog.exe])


def wait_window(desk):
    return desk.wait_for(lambda: desk.windows(" - "), 10, "the clock window")


def test_round_trip():
    desk = Desktop(tray=True)
    try:
        prog = ProgramFolder(desk, BINARY, dict(MEMOS, **{"QS32.ini": settings()}))
        p = start(desk, prog)
        wait_window(desk)
        p.send_signal(15)
        assert p.wait(15) == 0, "exit code"
        expected = settings(genre_line="Genre =1").replace(b"QS_visible = Vrai",
                                                           b"QS_visible =Vrai")
        got = prog.read("QS32.ini")
        assert got == expected, f"QS32.ini differs:\n{got!r}\n{expected!r}"
        memos = {"MSG1.ASC": b"abc\r\n", "MSG2.ASC": b" \r\n",
                 "MSG3.ASC": b"sans fin de ligne\r\n", "MSG4.ASC": b"\r\n\r\n",
                 "MSG5.ASC": MEMOS["MSG5.ASC"], "MSG6.ASC": b" \r\n"}
        for name, data in memos.items():
            assert prog.read(name) == data, f"{name}: {prog.read(name)!r} != {data!r}"
    finally:
        desk.close()


def test_second_instance():
    desk = Desktop(tray=True)
    try:
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": settings()})
        first = start(desk, prog)
        wait_window(desk)
        t0 = time.monotonic()
        second = subprocess.run([prog.exe], env=desk.env, timeout=10, capture_output=True)
        assert second.returncode == 0
        assert second.stdout == b"" and second.stderr == b"", "the second instance is silent"
        assert time.monotonic() - t0 < 3, "the second instance ends at once"
        assert first.poll() is None, "the first instance goes on"
        assert len(desk.windows(" - ")) == 1
        first.send_signal(15)
        assert first.wait(15) == 0
    finally:
        desk.close()


def test_missing_key():
    desk = Desktop(tray=True)
    try:
        prog = ProgramFolder(desk, BINARY, dict(MEMOS, **{"QS32.ini": settings(drop=("Genre",))}))
        before = prog.snapshot()
        p = start(desk, prog)
        box = desk.wait_for(lambda: desk.windows("Erreur dans le fichier QS32.ini"), 10,
                            "the missing-key message")[0]
        desk.run(["xdotool", "windowfocus", "--sync", box])
        desk.run(["xdotool", "key", "--window", box, "Return"])
        assert p.wait(10) != 0
        assert prog.snapshot() == before, "nothing is written"
    finally:
        desk.close()


if __name__ == "__main__":
    run_test(lambda: (test_round_trip(), test_second_instance(), test_missing_key()))
