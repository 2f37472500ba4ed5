"""The timer of a running clock, from the command line, under a wall clock the test moves forward:
`--minuteur 2` says "minuteur lancé, deux minutes", then "plus qu'une minute", "plus que dix
secondes", "le minuteur est terminé" and rings the default alert, with the notification "Minuteur
terminé" and its action "Arrêter"; `--minuteur-arret` stops the ringing and withdraws it. A malformed
length is refused before any clock is asked; with no clock, the command says so."""
import datetime
import subprocess
import sys
import time

from harness import Desktop, MovableTime, Notifications, ProgramFolder, PulseCapture, run_test, settings, tray_icon

BINARY, ANALYSE = sys.argv[1], sys.argv[2]
def test_timer_from_the_command_line():
    with Desktop(tray=True, bus=True) as desk:
        calls = Notifications(desk).calls
        cap = PulseCapture(desk)
        capture_start = time.monotonic()
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": settings({"QS_visible": "Faux", "déclenche_annonce": "0"})})
        clock = MovableTime(desk, cap.env, "10:10:00")
        p = desk.start([prog.exe], env=clock.env)
        desk.wait_for(lambda: tray_icon(desk), 10, "the icon")
        command = lambda *args: desk.run([prog.exe] + list(args))
        refused = command("--minuteur", "2 min")
        assert (refused.returncode, refused.stdout, refused.stderr.count("\n")) == (2, "", 1), refused
        time.sleep(2)  # the start clip is over
        started = command("--minuteur", "2")
        assert started.returncode == 0 and started.stdout.startswith("Minuteur lancé : 02:00, fin à "), started
        end = started.stdout.strip()[-9:-1]
        at = datetime.datetime.strptime(end, "%H:%M:%S")
        shifted = lambda s: (at + datetime.timedelta(seconds=s)).time().isoformat()
        time.sleep(4)
        clock.set(shifted(-65))
        time.sleep(14)
        clock.set(shifted(-15))
        desk.wait_for(lambda: any(c.startswith("Notify") for c in calls), 25, "the notification")
        assert calls == ["Notify 1 ('Minuteur terminé', 'Le minuteur de 2 min a pris fin à %s.', ['arreter', "
                         "'Arrêter'])\n" % end[:5]], calls
        time.sleep(4)
        stopped = command("--minuteur-arret")
        stop = time.monotonic() - capture_start
        assert (stopped.returncode, stopped.stdout) == (0, "Sonnerie du minuteur arrêtée.\n"), stopped
        desk.wait_for(lambda: len(calls) == 2 and calls[1] == "CloseNotification 1\n", 5, "the notification withdrawn")
        time.sleep(3)
        p.send_signal(15)
        assert p.wait(15) == 0
        alone = command("--minuteur-restant")
        assert alone.returncode == 1 and "aucune horloge" in alone.stderr, alone
        words = ["femme/minuteur_lance", "102", "171", "femme/plus_qu_une_minute", "femme/plus_que", "110",
                 "femme/secondes", "femme/minuteur_termine"] + ["alerte"] * 6
        out = subprocess.run([ANALYSE, cap.stop()] + words, capture_output=True, text=True, timeout=60).stdout
        found = [line.split() for line in out.splitlines()]
        assert all(f[1] != "-" and float(f[2]) >= float(f[3]) - 5 for f in found[:10]), ("every word, 2 rings", out)
        assert all(f[1] == "-" or float(f[1]) < stop + 0.5 for f in found), "no ring after the stop"


if __name__ == "__main__":
    run_test(test_timer_from_the_command_line)
