"""The real program speaks 14:30 in the female voice, quarter-hour mode: clips 114, 170, 130 and
171 start 0, 1.2, 2.0 and 3.2 s after the first (within 20 ms), and none is cut short."""
import sys
import time

from harness import Desktop, ProgramFolder, PulseCapture, faked_time, run_test, settings, spoken

BINARY, ANALYSE = sys.argv[1], sys.argv[2]


def test_announcement_1430():
    with Desktop(tray=True) as desk:
        cap = PulseCapture(desk)
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": settings({"déclenche_annonce": "2", "Genre": "1"})})
        p = desk.start([prog.exe], env=faked_time(cap.env, "14:29:55"))
        time.sleep(13)
        raw = cap.stop()
        p.send_signal(15)
        p.wait(15)
        spoken(ANALYSE, raw, 14, 30)

if __name__ == "__main__":
    run_test(test_announcement_1430)
