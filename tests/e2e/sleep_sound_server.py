"""The real program through a jump of its clock and an outage of its sound server: the wall clock
jumps from 14:30:06 to 14:34:50 over an alarm set for 14:32, whose program then runs once; the
PulseAudio server is killed after the 14:30 announcement and started again during the outage, and
the 14:35 announcement is heard on the second with its exact pauses, the console told once.
A foreign quentor-<uid> folder in the temporary folder does not stop the start."""
import os
import subprocess
import sys
import time

from harness import Desktop, MovableTime, ProgramFolder, PulseCapture, marker_script, run_test, settings, wait_closable

BINARY, ANALYSE = sys.argv[1], sys.argv[2]


def clips(raw, *ids):
    """{clip: start seconds in the recording} for each clip found (whole or not: the spoken_time
    test checks that; here only when they start matters)."""
    out = subprocess.run([ANALYSE, raw] + [str(i) for i in ids], capture_output=True, text=True, timeout=60)
    assert out.returncode == 0, out.stderr
    print(out.stdout)
    found = {}
    for f in map(str.split, out.stdout.splitlines()):
        if len(f) == 4 and f[1] != "-":
            found[int(f[0])] = float(f[1])
    return found


def test_jump_and_sound_server_outage():
    with Desktop(tray=True) as desk:
        cap = PulseCapture(desk)
        script, marker = marker_script(desk, "alarme.sh")
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": settings({
            "déclenche_annonce": "3", "Genre": "1", "ALH1": "14", "ALMN1": "32", "AL1": "Vrai", "ALAPP1": "Vrai",
            "ALEXE1": script})})
        clock = MovableTime(desk, cap.env, "14:29:55")
        err = os.path.join(desk.tmp, "stderr.txt")
        p = desk.start([prog.exe], env=clock.env, stderr=open(err, "w"))
        time.sleep(11)
        first = cap.stop()
        cap.kill()
        jump = time.monotonic()
        clock.set("14:34:50")
        desk.wait_for(lambda: os.path.exists(marker), 10, "the skipped alarm's program")
        time.sleep(max(0.0, jump + 3 - time.monotonic()))  # the alarm found no sound server
        cap.start("capture2.raw")
        time.sleep(max(0.0, jump + 15 - time.monotonic()))
        stopped = time.time()
        second = cap.stop()
        recording = stopped - os.path.getsize(second) / 176400  # when its first frame came
        p.terminate()
        assert p.wait(15) == 0
        with open(marker) as f:
            runs = f.read().split()
        assert len(runs) == 1 and runs[0].startswith("14:34:5"), runs
        a = clips(first, 114, 170, 130, 171)
        assert set(a) == {114, 170, 130, 171}, a
        b = clips(second, 114, 170, 135, 171)
        assert set(b) == {114, 170, 135, 171}, b
        for clip, offset in ((170, 1.2), (135, 2.0), (171, 3.2)):
            assert abs(b[clip] - b[114] - offset) <= 0.020, (clip, b[clip] - b[114])
        # Spoken on the second (the output adds a constant 46 ms): the tick kept its seconds
        # through the jump and the outage.
        late = b[114] - (clock.real("14:35:00") - recording)
        print(f"14:35 heard {late * 1000:.0f} ms after its second")
        assert 0 <= late <= 0.15, late
        with open(err) as f:
            lines = [l for l in f.read().splitlines() if "sortie son" in l]
        assert len(lines) == 1, lines


def test_foreign_lock_folder():
    with Desktop(tray=True) as desk:
        tmp = os.path.join(desk.tmp, "tmp")
        os.mkdir(tmp)
        foreign = os.path.join(tmp, f"quentor-{os.getuid()}")
        if os.getuid() == 0:
            os.mkdir(foreign, 0o700)
            os.chown(foreign, 65534, 65534)
        else:
            os.symlink(desk.tmp, foreign)
        env = dict(desk.env, TMPDIR=tmp, XDG_CACHE_HOME=os.path.join(desk.tmp, "cache"))
        del env["XDG_RUNTIME_DIR"]
        prog = ProgramFolder(desk, BINARY)
        err = os.path.join(desk.tmp, "stderr.txt")
        p = desk.start([prog.exe], env=env, stderr=open(err, "w"))
        wait_closable(desk)
        second = subprocess.run([prog.exe], env=env, capture_output=True, timeout=10)
        assert second.returncode == 0 and p.poll() is None, "one clock, its lock in a private folder"
        p.terminate()
        assert p.wait(15) == 0
        with open(err) as f:
            text = f.read()
        assert foreign in text and os.path.join(desk.tmp, "cache", "quentor") in text, text


if __name__ == "__main__":
    run_test(test_foreign_lock_folder, test_jump_and_sound_server_outage)
