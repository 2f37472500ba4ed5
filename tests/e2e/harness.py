"""Runs the real program on a private X display, with its own program folder.

Every process started here is ended by its PID when the test finishes.
"""
import os
import shutil
import signal
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULTS = os.path.join(HERE, "..", "..", "resources", "defaults")


class Desktop:
    """Xvfb, optionally a tray host, and a fresh environment for the program."""

    def __init__(self, tray=True, size="1024x768x24"):
        self.tmp = tempfile.mkdtemp(prefix="quentor-e2e-")
        self.procs = []
        runtime = os.path.join(self.tmp, "run")
        os.mkdir(runtime, 0o700)
        self.env = dict(os.environ)
        self.env.update({
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self.tmp, "config"),
            "HOME": os.path.join(self.tmp, "home"),
            "SDL_AUDIODRIVER": "dummy",
            "LANG": "fr_FR.UTF-8",
            "QT_QPA_PLATFORM": "xcb",
        })
        self.env.pop("WAYLAND_DISPLAY", None)
        os.makedirs(self.env["HOME"], exist_ok=True)
        rfd, wfd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(wfd), "-screen", "0", size, "-nolisten", "tcp"],
            pass_fds=(wfd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(wfd)
        self.procs.append(xvfb)
        display = b""
        with os.fdopen(rfd, "rb") as r:
            while not display.endswith(b"\n"):
                chunk = r.read(1)
                if not chunk:
                    raise RuntimeError("Xvfb did not start")
                display += chunk
        self.env["DISPLAY"] = ":" + display.decode().strip()
        if tray:
            self.start(["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel",
                        "--width", "160", "--height", "28", "--SetDockType", "false",
                        "--SetPartialStrut", "false"])
            self.wait_for(lambda: self.windows("panel"), 5, "trayer window")

    def start(self, argv, env=None, **kw):
        p = subprocess.Popen(argv, env=env or self.env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL, **kw)
        self.procs.append(p)
        return p

    def run(self, argv, timeout=10):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=timeout)

    def windows(self, name):
        r = self.run(["xdotool", "search", "--onlyvisible", "--name", name])
        return [w for w in r.stdout.split() if w]

    def window_name(self, wid):
        return self.run(["xdotool", "getwindowname", wid]).stdout.strip()

    def screenshot(self, path):
        self.run(["import", "-window", "root", path], timeout=20)

    @staticmethod
    def wait_for(cond, timeout, what):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            v = cond()
            if v:
                return v
            time.sleep(0.05)
        raise AssertionError("timed out waiting for " + what)

    def close(self):
        for p in reversed(self.procs):
            if p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(5)
                except subprocess.TimeoutExpired:
                    p.kill()
                    p.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)


class ProgramFolder:
    """A program folder: the executable beside its settings, memos and help."""

    def __init__(self, desktop, binary, files=None):
        self.path = os.path.join(desktop.tmp, "prog")
        os.makedirs(self.path)
        self.exe = os.path.join(self.path, os.path.basename(binary))
        try:
            os.link(binary, self.exe)
        except OSError:
            shutil.copy2(binary, self.exe)
        for name in os.listdir(DEFAULTS):
            shutil.copy(os.path.join(DEFAULTS, name), self.path)
        for name, data in (files or {}).items():
            self.write(name, data)

    def write(self, name, data):
        with open(os.path.join(self.path, name), "wb") as f:
            f.write(data)

    def read(self, name):
        with open(os.path.join(self.path, name), "rb") as f:
            return f.read()

    def snapshot(self):
        return {n: self.read(n) for n in sorted(os.listdir(self.path))
                if n.upper().endswith((".INI", ".ASC"))}


def wait_closable(p, timeout=10):
    """Waits until the program handles SIGTERM (its close sequence), which it sets up last."""
    def handled():
        with open(f"/proc/{p.pid}/status") as f:
            return int(f.read().split("SigCgt:")[1].split()[0], 16) & (1 << signal.SIGTERM - 1)
    Desktop.wait_for(handled, timeout, "the SIGTERM handler")


def ini(lines):
    """Settings text as the program stores it: Windows-1252, CR LF."""
    return "".join(l + "\r\n" for l in lines).encode("cp1252")


def run_test(fn):
    """Runs fn(); prints a closing line ctest and people can read."""
    import sys
    import traceback
    try:
        fn()
    except Exception:
        traceback.print_exc()
        print("0 passed, 1 failed")
        sys.exit(1)
    print("1 passed, 0 failed")


class PulseCapture:
    """A private PulseAudio server with a null sink; records what the program plays.

    A silent stream keeps the sink running so the recording has no gaps from its first sample.
    """

    def __init__(self, desktop):
        self.desk = desktop
        self.sock = os.path.join(desktop.tmp, "pulse.sock")
        self.raw = os.path.join(desktop.tmp, "capture.raw")
        env = dict(desktop.env, HOME=desktop.env["HOME"])
        desktop.start(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                       "--log-target=stderr", "-L", "module-null-sink sink_name=cap rate=44100",
                       "-L", f"module-native-protocol-unix socket={self.sock} auth-anonymous=1"],
                      env=env)
        self.env = dict(desktop.env, PULSE_SERVER="unix:" + self.sock,
                        SDL_AUDIODRIVER="pulseaudio")
        Desktop.wait_for(lambda: os.path.exists(self.sock), 10, "PulseAudio")
        fmt = ["--format=s16le", "--rate=44100", "--channels=2", "--raw"]
        self.silence = desktop.start(["pacat", "-d", "cap"] + fmt,
                                     env=self.env, stdin=open("/dev/zero", "rb"))
        self.out = open(self.raw, "wb")
        # A short latency, or parec drops up to its buffer (2 s) of the end when stopped.
        self.rec = subprocess.Popen(["parec", "-d", "cap.monitor", "--latency-msec=10"] + fmt,
                                    env=self.env,
                                    stdout=self.out, stderr=subprocess.DEVNULL)
        desktop.procs.append(self.rec)
        time.sleep(0.5)

    def stop(self):
        self.rec.send_signal(signal.SIGTERM)
        self.rec.wait(5)
        self.out.close()
        return self.raw


def faked_time(env, hh_mm_ss):
    """Environment where the wall clock reads hh:mm:ss (today) now and runs on from there.

    A whole-second offset, so that programs the clock starts see the same faked time; timers keep
    the real monotonic clock.
    """
    import datetime
    import glob
    lib = (glob.glob("/usr/lib/*/faketime/libfaketime.so.1") or ["libfaketime.so.1"])[0]
    now = datetime.datetime.now()
    h, m, s = (int(x) for x in hh_mm_ss.split(":"))
    target = now.replace(hour=h, minute=m, second=s, microsecond=now.microsecond)
    offset = int(round((target - now).total_seconds()))
    return dict(env, FAKETIME=f"{offset:+d}", FAKETIME_DONT_FAKE_MONOTONIC="1", LD_PRELOAD=lib)


def settings(changes=None):
    """A complete QS32.ini: every key with a plain value, `changes` overriding by key."""
    changes = changes or {}
    keys = [("couleur_fond", "0"), ("couleur_encre", "65535"), ("couleur_bande", "33023"),
            ("QS_top", "1500"), ("QS_left", "1500"), ("QS_width", "3000"), ("QS_height", "1500"),
            ("Réduction", "0"), ("QS_visible", "Vrai"), ("déclenche_annonce", "2"), ("Genre", "1")]
    for n in range(1, 7):
        keys += [(f"ALH{n}", "0"), (f"ALMN{n}", "0"), (f"AL{n}", "Faux"), (f"ALMSG{n}", "Faux"),
                 (f"ALAPP{n}", "Faux"), (f"ALEXE{n}", ""), (f"ALSON{n}", "")]
    keys += [("active_image", "0"), ("image_fond", "")]
    return ini([f"{k}={changes.get(k, v)}" for k, v in keys])
