"""Installed under a prefix, the program keeps each user's settings and memos in the user's own
folder: filled from the shipped defaults at the first start, as the user left them afterwards."""
import os
import subprocess
import sys
from pathlib import Path

from harness import DEFAULTS, Desktop, run_test, wait_closable

NAMES = ["MSG%d.ASC" % n for n in range(1, 7)] + ["QS32.ini"]


def test_installed():
    with Desktop(tray=False) as desk:
        prefix = Path(desk.tmp, "prefix")
        subprocess.run([sys.argv[2], "--install", sys.argv[3], "--prefix", prefix], check=True,
                       capture_output=True)
        user = Path(desk.env["XDG_CONFIG_HOME"], "quentor")
        for start in (1, 2):
            p = desk.start([prefix / "bin" / "quentor"])
            wait_closable(desk)
            p.send_signal(15)
            assert p.wait(15) == 0, "exit code"
            assert sorted(os.listdir(user)) == NAMES, os.listdir(user)
            assert os.listdir(prefix / "bin") == ["quentor"], "nothing beside the program"
            ini = (user / "QS32.ini").read_bytes()
            if start == 1:  # the user changes a setting and deletes a memo
                assert b"\nGenre=1\r" in ini
                (user / "QS32.ini").write_bytes(ini.replace(b"\nGenre=1\r", b"\nGenre=0\r"))
                (user / "MSG2.ASC").unlink()
        assert b"\nGenre=0\r" in ini, "the user's setting is kept"
        assert (user / "MSG2.ASC").read_bytes() == Path(DEFAULTS, "MSG2.ASC").read_bytes()


if __name__ == "__main__":
    run_test(test_installed)
