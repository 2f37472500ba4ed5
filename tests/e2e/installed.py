"""Installed under a prefix, the program keeps each user's settings and memos in the user's own
folder: filled from the shipped defaults at the first start, as the user left them afterwards."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness import DEFAULTS, Desktop, run_test, wait_closable  # noqa: E402

CMAKE, BUILD = sys.argv[2], sys.argv[3]
NAMES = ["MSG%d.ASC" % n for n in range(1, 7)] + ["QS32.ini"]


def read(path):
    with open(path, "rb") as f:
        return f.read()


def test_installed():
    desk = Desktop(tray=False)
    try:
        prefix = os.path.join(desk.tmp, "prefix")
        subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix], check=True,
                       capture_output=True)
        user = os.path.join(desk.env["XDG_CONFIG_HOME"], "quentor")

        def start_and_close():
            p = desk.start([os.path.join(prefix, "bin", "quentor")])
            wait_closable(p)
            p.send_signal(15)
            assert p.wait(15) == 0, "exit code"

        start_and_close()
        assert sorted(os.listdir(user)) == NAMES, os.listdir(user)
        assert os.listdir(os.path.join(prefix, "bin")) == ["quentor"], "nothing beside the program"
        # The user changes a setting and deletes a memo: the setting stays, the memo comes back.
        ini = read(os.path.join(user, "QS32.ini"))
        assert b"\r\nGenre=1\r\n" in ini
        with open(os.path.join(user, "QS32.ini"), "wb") as f:
            f.write(ini.replace(b"\r\nGenre=1\r\n", b"\r\nGenre=0\r\n"))
        os.remove(os.path.join(user, "MSG2.ASC"))
        start_and_close()
        assert b"\r\nGenre=0\r\n" in read(os.path.join(user, "QS32.ini")), "the user's setting"
        assert read(os.path.join(user, "MSG2.ASC")) == read(os.path.join(DEFAULTS, "MSG2.ASC"))
        for name in NAMES:
            shipped = os.path.join(prefix, "share", "quentor", name)
            assert read(shipped) == read(os.path.join(DEFAULTS, name)), name + " shipped, unchanged"
    finally:
        desk.close()


if __name__ == "__main__":
    run_test(test_installed)
