"""A SIGKILL at any point of the close's saves loses no file: QS32.ini and MSG1..6.ASC are each
found whole, either as they were or as the close writes them, never empty or cut."""
import signal
import subprocess
import sys

from harness import Desktop, ProgramFolder, run_test, settings, wait_closable

# A close rewrites each file differently: the blank after "=" goes, memos get a line end.
OLD = dict({"MSG%d.ASC" % n: b"memo %d" % n for n in range(1, 7)},
           **{"QS32.ini": settings({"QS_visible": " Vrai"})})


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


def test_kill_during_save():
    with Desktop(tray=False) as desk:
        prog = ProgramFolder(desk, sys.argv[1])
        code, new = close(desk, prog)
        assert code == 0 and all(new[n] != OLD[n] for n in OLD), "a close rewrites every file"
        for k in range(1, len(OLD) + 1):  # before the k-th file's temporary, sync, name, rename
            for inject in [("openat", k), ("lseek", k), ("linkat", 2 * k), ("rename", k)]:
                code, files = close(desk, prog, inject)
                state = ["new" if files[n] == new[n] else "old" if files[n] == OLD[n] else
                         files[n] for n in OLD]  # anything else is a lost file
                assert code == -signal.SIGKILL and state.count("new") == k - 1 and \
                    state.count("old") == len(OLD) - k + 1, (inject, code, state)


if __name__ == "__main__":
    run_test(test_kill_during_save)
