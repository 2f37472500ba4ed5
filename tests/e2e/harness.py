"""Runs the real program on a private X display, with its own program folder; every process
started here is ended by its PID when the test finishes."""
import array
import datetime
import glob
import math
import re
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time
import traceback

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULTS = os.path.join(HERE, "..", "..", "resources", "defaults")
WAVES = os.path.join(HERE, "..", "..", "resources", "wave")
TRAYER = ["trayer", "--edge", "top", "--align", "right", "--widthtype", "pixel", "--width", "160", "--height", "28",
          "--SetDockType", "false", "--SetPartialStrut", "false"]
# Presses in turn the push buttons named, through the accessibility bus as a screen reader would
# (each waited for); after each press, prints the captions of the program's windows on screen.
PRESS = ("import pyatspi, sys, time\n"
         "def wait(f):\n"
         "    end = time.monotonic() + 10\n"
         "    while not (v := f()) and time.monotonic() < end:\n"
         "        time.sleep(0.1)\n"
         "    return v or sys.exit('not found: ' + str(sys.argv))\n"
         "app = wait(lambda: [a for a in pyatspi.Registry.getDesktop(0) if a and a.name == 'Quentor Sonalde'])[0]\n"
         "for name in sys.argv[1:]:\n"
         "    button = lambda a: a.name == name and a.getRole() == pyatspi.ROLE_PUSH_BUTTON\n"
         "    wait(lambda: pyatspi.findDescendant(app, button)).queryAction().doAction(0)\n"
         "    time.sleep(1)\n"
         "    print('|'.join(w.name for w in app if w.getState().contains(pyatspi.STATE_SHOWING)), flush=True)\n")

# A notification service of the test's own: it prints "ready" once it owns the name, then each
# call ("Notify N (summary, body, actions)", "CloseNotification N"); argv[1], "N action" or "",
# chooses that action a second after the Nth notification; each line read sets Inhibited ("1": on).
NOTIFICATIONS = """import sys
from gi.repository import Gio, GLib
XML = ('<node><interface name="org.freedesktop.Notifications"><property name="Inhibited" type="b" access="read"/>'
       '<method name="Notify"><arg type="s"/><arg type="u"/><arg type="s"/><arg type="s"/><arg type="s"/>'
       '<arg type="as"/><arg type="a{sv}"/><arg type="i"/><arg type="u" direction="out"/></method>'
       '<method name="CloseNotification"><arg type="u"/></method>'
       '<signal name="ActionInvoked"><arg type="u"/><arg type="s"/></signal></interface></node>')
PATH, NAME = "/org/freedesktop/Notifications", "org.freedesktop.Notifications"
ids, on, choice = [0], [False], sys.argv[1].split()
def choose(n, action):  # returns nothing: its timer runs once
    bus.emit_signal(None, PATH, NAME, "ActionInvoked", GLib.Variant("(us)", (n, action)))
def call(bus, sender, path, iface, method, args, invocation):
    if method != "Notify":
        print(method, args[0], flush=True)
        return invocation.return_value(None)
    ids[0] += 1
    print("Notify", ids[0], repr(args.unpack()[3:6]), flush=True)
    if choice and ids[0] == int(choice[0]):
        GLib.timeout_add(1000, choose, ids[0], choice[1])
    invocation.return_value(GLib.Variant("(u)", (ids[0],)))
def line(*a):
    read = sys.stdin.readline()
    if not read:
        return False
    on[0] = read.strip() == "1"
    bus.emit_signal(None, PATH, "org.freedesktop.DBus.Properties", "PropertiesChanged",
                    GLib.Variant("(sa{sv}as)", (NAME, {"Inhibited": GLib.Variant("b", on[0])}, [])))
    return True
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
bus.register_object(PATH, Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0], call, lambda *a: GLib.Variant("b", on[0]))
GLib.io_add_watch(sys.stdin, GLib.IO_IN, line)
Gio.bus_own_name_on_connection(bus, NAME, 0, lambda *a: print("ready", flush=True), None)
GLib.MainLoop().run()
"""


class Desktop:
    """Xvfb, optionally a tray host, a window manager (openbox), a session bus and the
    accessibility bus, and a fresh environment for the program; or instead of Xvfb, a headless
    Wayland compositor (weston) where the program has no X display at all."""

    def __init__(self, tray=True, wm=False, atspi=False, wayland=False, bus=False):
        self.tmp = tempfile.mkdtemp(prefix="quentor-e2e-")
        self.tray = tray
        self.procs = []
        os.makedirs(os.path.join(self.tmp, "home"))
        os.mkdir(os.path.join(self.tmp, "run"), 0o700)
        self.env = dict(os.environ, XDG_RUNTIME_DIR=os.path.join(self.tmp, "run"), HOME=os.path.join(self.tmp, "home"),
                        XDG_CONFIG_HOME=os.path.join(self.tmp, "config"), SDL_AUDIODRIVER="dummy",
                        LANG="fr_FR.UTF-8", QT_QPA_PLATFORM="xcb")
        gone = ("WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS") + (("DISPLAY", "QT_QPA_PLATFORM") if wayland else ())
        for name in gone:
            self.env.pop(name, None)
        if wayland:  # Qt picks the Wayland platform by itself; weston --debug lets a client take screenshots
            self.start(["weston", "--backend=headless-backend.so", "--use-pixman", "--debug", "--socket=wl",
                        "--idle-time=0"])
            self.wait_for(lambda: os.path.exists(os.path.join(self.tmp, "run", "wl.lock")), 10, "weston")
            self.env["WAYLAND_DISPLAY"] = "wl"
        else:
            rfd, wfd = os.pipe()
            self.start(["Xvfb", "-displayfd", str(wfd), "-screen", "0", "1024x768x24", "-nolisten", "tcp"],
                       pass_fds=(wfd,))
            os.close(wfd)
            with os.fdopen(rfd, "rb") as r:
                self.env["DISPLAY"] = ":" + r.readline().decode().strip()
        try:
            # The tray host first: a window manager still starting may never map its panel, but
            # adopts one already on screen.
            if tray:  # on a loaded machine trayer now and then never maps its panel: once more then
                for attempt in (10, 20):
                    trayer = self.start(TRAYER)
                    try:
                        self.wait_for(lambda: self.windows("panel"), attempt, "trayer window")
                        break
                    except AssertionError:
                        trayer.kill()
                        trayer.wait()
                        if attempt == 20:
                            raise
            if wm:
                self.start(["openbox", "--sm-disable"])
                managed = lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.run(["xprop", "-root"]).stdout
                self.wait_for(managed, 10, "openbox")
        except Exception:
            self.close()
            raise
        if atspi or bus:  # after the tray host, which would wait on the accessibility bus
            bus = self.start(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stdout=subprocess.PIPE,
                             text=True)
            self.env["DBUS_SESSION_BUS_ADDRESS"] = bus.stdout.readline().strip()
        if atspi:
            self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
            self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])

    def start(self, argv, env=None, **kw):
        quiet = dict(stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        p = subprocess.Popen(argv, env=env or self.env, **dict(quiet, **kw))
        self.procs.append(p)
        return p

    def run(self, argv, timeout=10):
        return subprocess.run(argv, env=self.env, capture_output=True, text=True, timeout=timeout)

    def windows(self, name):
        return self.run(["xdotool", "search", "--onlyvisible", "--name", name]).stdout.split()

    def press(self, *names):
        """Presses the buttons `names` in turn (needs atspi); the captions on screen after each."""
        return self.run(["/usr/bin/python3", "-c", PRESS] + list(names), timeout=60).stdout.splitlines()

    @staticmethod
    def wait_for(cond, timeout, what):
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            if v := cond():
                return v
            time.sleep(0.05)
        raise AssertionError("timed out waiting for " + what)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def close(self):
        for p in reversed(self.procs):
            p.send_signal(signal.SIGTERM)
            try:
                p.wait(5)
            except subprocess.TimeoutExpired:
                p.kill()
                p.wait()
        shutil.rmtree(self.tmp, ignore_errors=True)


class ProgramFolder:
    """The executable beside its settings, memos and help: the shipped ones, then `files`."""

    def __init__(self, desktop, binary, files=None):
        self.path = os.path.join(desktop.tmp, "prog")
        shutil.copytree(DEFAULTS, self.path, dirs_exist_ok=True)  # a second program on the same desktop
        self.exe = os.path.join(self.path, os.path.basename(binary))
        shutil.copy2(binary, self.exe)
        for name, data in (files or {}).items():
            self.write(name, data)

    def write(self, name, data):
        with open(os.path.join(self.path, name), "wb") as f:
            f.write(data)

    def read(self, name):
        with open(os.path.join(self.path, name), "rb") as f:
            return f.read()

    def snapshot(self):
        return {n: self.read(n) for n in sorted(os.listdir(self.path)) if n.upper().endswith((".INI", ".ASC"))}


def tray_icon(desk):
    """Centre of the program's icon docked in trayer, in root coordinates."""
    tree = desk.run(["xwininfo", "-tree", "-id", desk.windows("panel")[0]]).stdout
    for m in re.finditer(r"(\d+)x(\d+)\+-?\d+\+-?\d+\s+\+(-?\d+)\+(-?\d+)", tree):
        w, h, x, y = (int(v) for v in m.groups())
        if 12 <= w <= 40 and 12 <= h <= 40:
            return x + w // 2, y + h // 2
    return None


def marker_script(desk, name):
    """An executable script `name` that writes the time it runs to a marker file: (script, marker)."""
    marker = os.path.join(desk.tmp, "lance.txt")
    script = os.path.join(desk.tmp, name)
    with open(script, "w") as f:
        f.write(f"#!/bin/sh\ndate +%T >> '{marker}'\n")
    os.chmod(script, 0o755)
    return script, marker


def click(desk, xy, button):
    desk.run(["xdotool", "mousemove", str(xy[0]), str(xy[1]), "click", str(button)])


def click_icon(desk, button, until, what, tries=4):
    """Clicks the program's icon until `until()` holds, and returns what it gave: the panel may
    still be laying the icon out (its place is read again, once it holds still, before each
    click), and a click it has not yet routed to the icon is lost."""
    for attempt in range(tries):
        def settled():
            first = tray_icon(desk)
            time.sleep(0.3)
            return first if first and first == tray_icon(desk) else None
        click(desk, desk.wait_for(settled, 10, "the icon to hold still"), button)
        try:
            return desk.wait_for(until, 4, what)
        except AssertionError:
            if attempt == tries - 1:
                raise


def menu_item(desk, downs):
    """Opens the icon's menu with a right click and chooses the item `downs` places down."""
    shown = lambda: set(desk.run(["xdotool", "search", "--onlyvisible", "--class", "quentor"]).stdout.split())
    before = shown()
    click_icon(desk, 3, lambda: shown() - before, "the menu")
    time.sleep(0.3)
    desk.run(["xdotool", "key"] + ["Down"] * downs + ["Return"])


def wait_closable(desk, timeout=10):
    """Waits until a SIGTERM runs the close sequence, which the program arms once loaded: just
    before its icon docks; without a tray host, a moment after its window shows."""
    if desk.tray:
        desk.wait_for(lambda: tray_icon(desk), timeout, "the icon")
    else:
        desk.wait_for(lambda: desk.windows(" - "), timeout, "the clock window")
        time.sleep(1)


def ini(lines):
    """Settings text as the program stores it: Windows-1252, CR LF."""
    return "".join(l + "\r\n" for l in lines).encode("cp1252")


def run_test(*tests):
    """Runs the tests in turn; prints a closing line ctest and people can read."""
    try:
        for test in tests:
            test()
    except Exception:
        traceback.print_exc()
        print("0 passed, 1 failed")
        sys.exit(1)
    print("1 passed, 0 failed")


class PulseCapture:
    """A private PulseAudio server with a null sink, recording what the program plays; a silent
    stream keeps the sink running so the recording has no gaps from its first sample."""
    FORMAT = ["--format=s16le", "--rate=44100", "--channels=2", "--raw"]

    def __init__(self, desktop):
        self.desktop = desktop
        self.sock = os.path.join(desktop.tmp, "pulse.sock")
        self.env = dict(desktop.env, PULSE_SERVER="unix:" + self.sock, SDL_AUDIODRIVER="pulseaudio")
        self.start("capture.raw")

    def start(self, name):
        """Starts the server and a recording into `name`; returns when the recording runs."""
        d = self.desktop
        self.server = d.start(["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "-L",
                               "module-null-sink sink_name=cap rate=44100",
                               "-L", f"module-native-protocol-unix socket={self.sock} auth-anonymous=1"])
        Desktop.wait_for(lambda: os.path.exists(self.sock), 10, "PulseAudio")
        self.silence = d.start(["pacat", "-d", "cap"] + self.FORMAT, env=self.env, stdin=open("/dev/zero", "rb"))
        self.record(name)

    def record(self, name):
        """A new recording into `name` from the server that runs; returns when it runs."""
        self.raw = os.path.join(self.desktop.tmp, name)
        # A short latency, or parec drops up to its buffer (2 s) of the end when stopped.
        self.rec = self.desktop.start(["parec", "-d", "cap.monitor", "--latency-msec=10"] + self.FORMAT,
                                      env=self.env, stdout=open(self.raw, "wb"))
        # Recording once the file grows: on a loaded machine that can take seconds.
        Desktop.wait_for(lambda: os.path.getsize(self.raw) > 0, 10, "the recording")
        time.sleep(0.2)

    def stop(self):
        self.rec.send_signal(signal.SIGTERM)
        self.rec.wait(5)
        return self.raw

    def kill(self):
        """Ends the recording, then kills the server as a crash would."""
        self.stop()
        for p in (self.server, self.silence):
            p.kill()
            p.wait(5)
        if os.path.exists(self.sock):  # left by the killed server: the next one starts on a clean place
            os.unlink(self.sock)


def spoken(analyse, raw, hour, minute, whole=True, times=1, within=0.020):
    """Finds `times` announcements of hour, 70, minute, 71 in the female voice in a recording, in
    turn, their pauses exact (0, 1.2, 2.0, 3.2 s) and, when `whole`, no clip cut short; returns
    for each {clip: [start s, played ms, length ms]}."""
    ids = [100 + hour, 170, 100 + minute, 171]
    out = subprocess.run([analyse, raw] + [str(i) for i in ids] * times, capture_output=True, text=True, timeout=60)
    assert out.returncode == 0, out.stderr
    print(out.stdout)
    lines = [f.split() for f in out.stdout.splitlines() if len(f.split()) == 4]
    assert len(lines) == 4 * times and all(f[1] != "-" for f in lines), "not every announcement was heard"
    said = [{int(f[0]): [float(v) for v in f[1:]] for f in lines[4 * n:4 * n + 4]} for n in range(times)]
    for found in said:
        for clip, offset in zip(ids, (0.0, 1.2, 2.0, 3.2)):
            start, played, length = found[clip]
            assert abs(start - found[ids[0]][0] - offset) <= within, (clip, start - found[ids[0]][0])
            assert played >= length - 5 or not whole, (clip, played, length)
    return said


def level(raw, found):
    """The energy of an announcement `spoken` found in a recording, in dB."""
    samples = array.array("h", open(raw, "rb").read())
    start = min(v[0] for v in found.values())
    end = found[171][0] + found[171][1] / 1000
    return 10 * math.log10(sum(x * x for x in samples[round(start * 44100) * 2:round(end * 44100) * 2]))


def time_offset(hh_mm_ss, day=None):
    """Whole seconds from now to hh:mm:ss today (or on the date `day`)."""
    now = datetime.datetime.now()
    h, m, s = (int(x) for x in hh_mm_ss.split(":"))
    d = day or now.date()
    return round((now.replace(year=d.year, month=d.month, day=d.day, hour=h, minute=m, second=s) - now).total_seconds())


def faketime_lib():
    return (glob.glob("/usr/lib/*/faketime/libfaketime.so.1") or ["libfaketime.so.1"])[0]


class MovableTime:
    """A wall clock the test sets while the program runs, as a resume from sleep or a clock change
    does; the monotonic clock stays real, and file times are left alone (fontconfig's cache)."""

    def __init__(self, desktop, env, hh_mm_ss):
        self.path = os.path.join(desktop.tmp, "faketime")
        self.set(hh_mm_ss)
        self.env = dict(env, FAKETIME_TIMESTAMP_FILE=self.path, FAKETIME_NO_CACHE="1", NO_FAKE_STAT="1",
                        FAKETIME_DONT_FAKE_MONOTONIC="1", LD_PRELOAD=faketime_lib())
        self.env.pop("FAKETIME", None)

    def set(self, hh_mm_ss, day=None):
        self.offset = time_offset(hh_mm_ss, day)
        with open(self.path + ".new", "w") as f:
            f.write(f"{self.offset:+d}\n")
        os.replace(self.path + ".new", self.path)

    def real(self, hh_mm_ss):
        """The real time (seconds since the epoch) at which the program reads hh:mm:ss today."""
        h, m, s = (int(x) for x in hh_mm_ss.split(":"))
        return datetime.datetime.now().replace(hour=h, minute=m, second=s, microsecond=0).timestamp() - self.offset


# What a close appends to a file without the silent hours, the volume, the speech's keys and the
# alarms' details: their defaults.
NEW_KEYS = ini(["silence_actif=Faux", "silence_debut=22:00", "silence_fin=07:00", "volume=100", "heure_courante=Faux",
                "annonce_demarrage=Faux", "annonce_reveil=Faux", "ne_pas_deranger=Vrai", "sortie_eveillee=Faux"] +
               [f"{k}{n}={v}" for n in range(1, 7) for k, v in
                (("ALJOURS", "1111111"), ("ALDATE", ""), ("ALREPETE", "10"), ("ALSONNE", "0"))])


def settings(changes=None):
    """A complete QS32.ini: every key with a plain value, `changes` overriding by key."""
    keys = dict(couleur_fond="0", couleur_encre="65535", couleur_bande="33023", QS_top="1500", QS_left="1500",
                QS_width="3000", QS_height="1500", Réduction="0", QS_visible="Vrai", déclenche_annonce="2", Genre="1")
    for n in range(1, 7):
        keys.update({f"ALH{n}": "0", f"ALMN{n}": "0", f"AL{n}": "Faux", f"ALMSG{n}": "Faux", f"ALAPP{n}": "Faux",
                     f"ALEXE{n}": "", f"ALSON{n}": ""})
    keys.update(active_image="0", image_fond="")
    keys.update(changes or {})
    return ini([f"{k}={v}" for k, v in keys.items()])


class Notifications:
    """The notification service above on the desktop's session bus: `calls` gathers its lines;
    `choose` ("2 arreter") picks an action of a notification."""

    def __init__(self, desk, choose=""):
        self.service = desk.start(["/usr/bin/python3", "-c", NOTIFICATIONS, choose], stdin=subprocess.PIPE,
                                  stdout=subprocess.PIPE, text=True)
        assert self.service.stdout.readline() == "ready\n"
        self.calls = []
        threading.Thread(target=lambda: self.calls.extend(iter(self.service.stdout.readline, "")), daemon=True).start()

    def notified(self, n):
        return [c for c in self.calls if c.startswith(f"Notify {n} ")]

    def inhibit(self, on):
        self.service.stdin.write("1\n" if on else "0\n")
        self.service.stdin.flush()
