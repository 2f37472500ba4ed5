"""The editor from the toolbar: alarm 1 set to the next minute with the arrows rings then, as saved."""
import array
import os
import sys
import time

from harness import DEFAULTS, Desktop, ProgramFolder, PulseCapture, faked_time, run_test, settings

BINARY = sys.argv[1]


def click(desk, wid, left, top, border=2):  # twips inside the editor; the page has a border
    desk.run(["xdotool", "mousemove", "--window", wid, str(border + round(left / 15)),
              str(border + round(top / 15)), "click", "1"])
    time.sleep(0.6)  # longer than an arrow's first repeat: a click must stay one step


def test_editor_sets_alarm_that_rings():
    with Desktop(tray=True) as desk:
        cap = PulseCapture(desk)
        with open(os.path.join(DEFAULTS, "..", "wave", "83.wav"), "rb") as f:  # the ring: clip 83
            prog = ProgramFolder(desk, BINARY, {"reveil.wav": f.read(), "MSG1.ASC": b""})
        prog.write("QS32.ini", settings({"déclenche_annonce": "0", "ALH1": "8", "ALMN1": "28",
                                         "ALSON1": os.path.join(prog.path, "reveil.wav")}))
        p = desk.start([prog.exe], env=faked_time(cap.env, "07:29:38"))
        clock = desk.wait_for(lambda: desk.windows(" - "), 10, "the clock window")[0]
        desk.run(["xdotool", "mousemove", "--window", clock, "150", "80", "sleep", "0.5",  # toolbar
                  "mousemove", "--window", clock, "84", "11", "click", "1"])  # its bell
        ed = desk.wait_for(lambda: desk.windows("glages des alarmes$"), 5, "the editor")[0]
        time.sleep(0.5)
        click(desk, ed, 510, 2015)  # hour, down arrow: 8 -> 7
        for _ in range(2):
            click(desk, ed, 2475, 1715)  # minute, up arrow: 28 -> 30
        click(desk, ed, 2350, 750)  # "active"
        click(desk, ed, 3020, 3045)  # the memo's "actif"
        click(desk, ed, 3292, 3805)  # into the memo
        for keys in (["type", "Lever"], ["key", "Return"], ["type", "cafe"]):
            desk.run(["xdotool"] + keys)
        click(desk, ed, 3330, 4987, border=0)  # RETOUR
        desk.wait_for(lambda: desk.windows("^MESSAGE N.*1$"), 40, "alarm 1's memo, at 07:30")
        pcm = array.array("h", open(cap.stop(), "rb").read())  # 44,100 Hz stereo
        p.send_signal(15)
        assert p.wait(15) == 0
        assert all(k in prog.read("QS32.ini") for k in (b"ALH1=7\r", b"ALMN1=30\r", b"AL1=Vrai\r",
                                                          b"ALMSG1=Vrai\r")), prog.read("QS32.ini")
        assert prog.read("MSG1.ASC") == b"Lever\r\ncafe\r\n", prog.read("MSG1.ASC")
        # Nothing else sounds after RETOUR: the ring, a few seconds before the memo (ends the capture).
        assert max(map(abs, pcm[-10 * 88200:])) > 8000, "no ring in the last 10 s"


if __name__ == "__main__":
    run_test(test_editor_sets_alarm_that_rings)
