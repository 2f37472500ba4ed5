"""The real program keeps its files, in one session (the byte layouts a close writes are the unit
tests'). Without a notification area its window shows even when the settings hide it, and stays
hidden in them. A SIGKILL at any point of the close's saves loses no file: each is found whole, as
it was or as the close writes it. Installed under a prefix, the program keeps each user's settings and
memos in the user's own folder: filled from the shipped defaults at the first start, which leaves
them unchanged, as the user left them afterwards. With no display, or one that is not there, the
start ends with 1 and one line that names it. The icon docks into a tray host that starts after the
program. A signal at any moment of the start gives a clean exit. (A missing key, and a close in
any pause of the minute's work, are the unit tests'.)"""
import os
import random
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

from harness import DEFAULTS, NEW_KEYS, TRAYER, Desktop, ProgramFolder, run_test, settings
from harness import tray_icon, wait_closable

BINARY, CMAKE, BUILD = sys.argv[1:4]


# A close rewrites each file differently: the blank after "=" goes, memos get a line end.
OLD = dict({"MSG%d.ASC" % n: b"memo %d" % n for n in range(1, 7)},
           **{"QS32.ini": settings({"QS_visible": " Faux"})})


def start_and_close(desk, exe):
    p = desk.start([exe])
    wait_closable(desk)
    p.send_signal(signal.SIGTERM)
    assert p.wait(15) == 0, "exit code"


def close(desk, prog, inject=None):  # with `inject`, strace kills it at that system call
    for name, data in OLD.items():
        prog.write(name, data)
    p = desk.start([prog.exe])
    wait_closable(desk)
    if inject:
        desk.procs.append(subprocess.Popen(["strace", "-p", str(p.pid), "-o", "/dev/null", "-e",
                          "inject=%s:signal=KILL:when=%d" % inject], stderr=subprocess.PIPE))
        assert b"attached" in desk.procs[-1].stderr.readline()
    p.send_signal(signal.SIGTERM)
    return p.wait(20), {name: prog.read(name) for name in OLD}


def killed_during_save(desk):
    prog = ProgramFolder(desk, BINARY)
    code, new = close(desk, prog)
    assert code == 0 and all(new[n] != OLD[n] for n in OLD), "a close rewrites every file"
    assert b"\r\nQS_visible=Faux\r\n" in new["QS32.ini"], "shown for want of a tray, hidden in the settings"
    for k in range(1, len(OLD) + 1):  # before the k-th file's temporary, sync, name, rename
        for inject in [("openat", k), ("lseek", k), ("linkat", 2 * k), ("rename", k)]:
            code, files = close(desk, prog, inject)
            state = ["new" if files[n] == new[n] else "old" if files[n] == OLD[n] else
                     files[n] for n in OLD]  # anything else is a lost file
            assert code == -signal.SIGKILL and state.count("new") == k - 1 and \
                state.count("old") == len(OLD) - k + 1, (inject, code, state)
    shutil.rmtree(prog.path)


def installed(desk):
    prefix = Path(desk.tmp, "prefix")
    subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix], check=True, capture_output=True)
    user = Path(desk.env["XDG_CONFIG_HOME"], "quentor")
    names = ["MSG%d.ASC" % n for n in range(1, 7)] + ["QS32.ini"]
    for start in (1, 2):
        start_and_close(desk, prefix / "bin" / "quentor")
        assert sorted(os.listdir(user)) == sorted(names + ["QS32.etat"]), os.listdir(user)  # and the run record
        assert os.listdir(prefix / "bin") == ["quentor"], "nothing beside the program"
        text = (user / "QS32.ini").read_bytes()
        if start == 1:  # the shipped files come back unchanged; the user changes a setting, deletes a memo
            assert all((user / n).read_bytes() == Path(DEFAULTS, n).read_bytes() for n in names)
            (user / "QS32.ini").write_bytes(text.replace(b"\nGenre=1\r", b"\nGenre=0\r"))
            (user / "MSG2.ASC").unlink()
    assert b"\nGenre=0\r" in text, "the user's setting is kept"
    assert (user / "MSG2.ASC").read_bytes() == Path(DEFAULTS, "MSG2.ASC").read_bytes()


def closes_at_once(desk):  # last: the tray host it starts stays
    prog = ProgramFolder(desk, BINARY, {"QS32.ini": settings()})
    alone = {k: v for k, v in desk.env.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    for env, named in ((alone, "ni DISPLAY ni WAYLAND_DISPLAY"), (dict(desk.env, DISPLAY=":9999"), "« :9999 »")):
        r = subprocess.run([prog.exe], env=env, capture_output=True, text=True, timeout=10)
        assert r.returncode == 1 and r.stderr.count("\n") == 1 and named in r.stderr, ("no display", r)
    p = desk.start([prog.exe])
    desk.wait_for(lambda: desk.windows(" - "), 10, "the clock window")
    time.sleep(3)
    desk.start(TRAYER)
    desk.wait_for(lambda: desk.windows("panel"), 5, "trayer window")
    desk.wait_for(lambda: tray_icon(desk), 10, "the icon to dock into the late tray")
    p.send_signal(15)
    assert p.wait(10) == 0
    # A signal at any moment of the start: a large background picture makes the load step last,
    # after the window has appeared.
    big = os.path.join(desk.tmp, "grand.png")
    desk.run(["convert", "-size", "4000x4000", "xc:navy", big], timeout=60)
    prog.write("QS32.ini", settings({"active_image": "1", "image_fond": big}))
    rng = random.Random(7)
    for i in range(10):
        p = desk.start([prog.exe])
        if i % 2:
            desk.wait_for(lambda: desk.windows(" - "), 10, "the clock window")
        else:
            # From the moment the program's own code runs, /proc shows SIGTERM caught.
            desk.wait_for(lambda: int(open(f"/proc/{p.pid}/status").read()
                                      .split("SigCgt:")[1].split()[0], 16) & (1 << 14),
                          10, "the signal handlers")
            time.sleep(rng.uniform(0, 0.5))
        p.send_signal(15)
        status = p.wait(10)
        assert status == 0, f"run {i}: status {status}, not 0"
        end = prog.read("QS32.ini").split(b"\r\nimage_fond=" + big.encode() + b"\r\n")
        assert len(end) == 2 and end[1] in (b"", NEW_KEYS), ("whole: as it was, or saved with its new keys", end)



def test_files():
    with Desktop(tray=False) as desk:
        killed_during_save(desk)
        installed(desk)
        closes_at_once(desk)


if __name__ == "__main__":
    run_test(test_files)
