"""Alarms on days and dates, put off, stopped and missed, on the real program with a notification
service of the test's own on a private session bus and a wall clock the test moves: a weekday
alarm rings on a Monday, with a notification and both its actions;
`--repousse` silences it and it rings again a minute later; "Arrêter" chosen in the notification
ends it; `--arrete` cuts a ring short; a start after a "powered-off" gap rings the alarm 35 min
late once and tells the one 70 min late as missed, and neither rings nor tells again the one rung."""
import array
import datetime
import math
import os
import subprocess
import sys
import time
import wave

from harness import Desktop, MovableTime, Notifications, ProgramFolder, PulseCapture, marker_script, run_test, settings

BINARY = sys.argv[1]
def tone(path):
    """Two seconds of 440 Hz: loud wherever it plays."""
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(44100)
        w.writeframes(array.array("h", (int(8000 * math.sin(i * 440 * 2 * math.pi / 44100))
                                        for i in range(88200))).tobytes())


def test_days_snooze_stop_and_missed():
    with Desktop(tray=False, bus=True) as desk:
        service = Notifications(desk, "2 arreter")  # "Arrêter" chosen in the second notification
        calls = service.calls
        script, marker = marker_script(desk, "alarme.sh")
        cap = PulseCapture(desk)
        t0 = time.monotonic()
        monday = datetime.date.today() + datetime.timedelta(days=7 - datetime.date.today().weekday())
        ring = os.path.join(desk.tmp, "prog", "ring.wav")
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": settings({
            "déclenche_annonce": "0", "ALH1": "7", "ALMN1": "30", "AL1": "Vrai", "ALSON1": ring,
            "ALJOURS1": "1111100", "ALREPETE1": "1", "ALSONNE1": "1", "ALH2": "7", "ALMN2": "45", "AL2": "Vrai",
            "ALAPP2": "Vrai", "ALEXE2": script, "ALSON2": ring, "ALSONNE2": "1", "ALDATE2": str(monday),
            "ALH3": "7", "ALMN3": "55", "AL3": "Vrai", "ALDATE3": str(monday), "ALH4": "8", "ALMN4": "30",
            "ALAPP4": "Vrai", "ALEXE4": script, "ALDATE4": str(monday)})})
        tone(ring)
        clock = MovableTime(desk, dict(cap.env), "07:29:54")
        clock.set("07:29:54", monday)
        p = desk.start([prog.exe], env=clock.env)
        first = desk.wait_for(lambda: service.notified(1), 20, "the Monday alarm's notification")[0]
        assert "'Alarme 1 — 07:30'" in first and "'repeter', 'Répéter dans 1 min', 'arreter', 'Arrêter'" in first
        time.sleep(1)
        command = lambda verb: subprocess.run([prog.exe, verb], env=clock.env, timeout=10).returncode
        assert command("--repousse") == 0
        desk.wait_for(lambda: "CloseNotification 1\n" in calls, 5, "the notification withdrawn")
        clock.set("07:30:57", monday)
        desk.wait_for(lambda: service.notified(2), 15, "the alarm again a minute after it was put off")
        again = time.monotonic() - t0
        desk.wait_for(lambda: "CloseNotification 2\n" in calls, 5, "Arrêter chosen in the notification")
        clock.set("07:44:57", monday)
        desk.wait_for(lambda: service.notified(3), 10, "the dated alarm")
        time.sleep(1.5)
        stop = time.monotonic() - t0
        assert command("--stop-alarm") == 0
        desk.wait_for(lambda: "CloseNotification 3\n" in calls, 5, "the notification withdrawn by --arrete")
        time.sleep(2.5)
        p.send_signal(15)
        assert p.wait(15) == 0
        assert command("--arrete") == 1, "with no clock running"
        clock.set("09:05:00", monday)  # the computer was off: 8:30 is 35 min late, 7:55 is 70
        p = desk.start([prog.exe], env=clock.env)
        desk.wait_for(lambda: open(marker).read().count("\n") == 2, 15, "the late alarm rung at the start")
        desk.wait_for(lambda: service.notified(4), 10, "the missed alarm told")
        assert "'Alarme manquée', 'Alarme 3 — 07:55'" in service.notified(4)[0], calls
        time.sleep(3)  # 7:30, rung and put off before the gap, is neither rung nor told again
        p.send_signal(15)
        assert p.wait(15) == 0
        assert open(marker).read().count("\n") == 2 and len([c for c in calls if c.startswith("Notify")]) == 4, calls
        samples = array.array("h", open(cap.stop(), "rb").read())
        power = lambda a, b: sum(x * x for x in samples[round(a * 44100) * 2:round(b * 44100) * 2]) / (b - a)
        assert power(again, again + 0.5) > 1000 * power(stop + 1, stop + 2.5), "heard again, then cut short"
        assert power(stop - 1, stop - 0.2) > 1000 * power(stop + 1, stop + 2.5)


if __name__ == "__main__":
    run_test(test_days_snooze_stop_and_missed)
