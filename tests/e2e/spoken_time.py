"""The real program speaks 14:30 in the female voice, quarter-hour mode: clips 114, 170, 130 and
171 start 0, 1.2, 2.0 and 3.2 s after the first (within 20 ms), and none is cut short; at volume 50
the announcement is 6 dB below that of a file without the volume key (full volume)."""
import array
import math
import sys
import time

from harness import Desktop, ProgramFolder, PulseCapture, faked_time, run_test, settings, spoken

BINARY, ANALYSE = sys.argv[1], sys.argv[2]


def announcement_level(volume):
    """The energy of the 14:30 announcement in dB, once its clips are checked."""
    with Desktop(tray=True) as desk:
        cap = PulseCapture(desk)
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": settings(dict({"déclenche_annonce": "2", "Genre": "1"}, **volume))})
        p = desk.start([prog.exe], env=faked_time(cap.env, "14:29:55"))
        time.sleep(13)
        raw = cap.stop()
        p.send_signal(15), p.wait(15)
        found = spoken(ANALYSE, raw, 14, 30)
        samples = array.array("h", open(raw, "rb").read())
        first, last = (round(t * 44100) * 2 for t in (found[114][0], found[171][0] + found[171][1] / 1000))
        return 10 * math.log10(sum(x * x for x in samples[first:last]))


def test_announcement_1430_and_its_volume():
    full, half = announcement_level({}), announcement_level({"volume": "50"})
    assert abs(half - full + 6.02) <= 0.5, (full, half)


if __name__ == "__main__":
    run_test(test_announcement_1430_and_its_volume)
