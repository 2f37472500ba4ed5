"""On Wayland (headless weston, no X display), silent on the console, saving at its close. Alone: the
face on screen; the information window from the toolbar, transient for the clock; SIGTERM keeps the
clock's place. With a StatusNotifierItem area (KDE Plasma, XFCE, waybar): the icon's title, tooltip
and pictures; Activate shows the hidden window; the dbusmenu menu tells the current time; its last
item closes."""
import glob
import os
import re
import subprocess
import sys

from gi.repository import Gio, GLib
from harness import Desktop, MovableTime, ProgramFolder, run_test, settings

BINARY = sys.argv[1]
FACE = bytes((1, 2, 3))  # the face's colour, nowhere else on screen
GEOMETRY = {"QS_left": "1500", "QS_top": "1500", "QS_width": "3000", "QS_height": "1500"}
# The watcher a panel runs, with a host registered: it prints each item that registers.
WATCHER = """from gi.repository import Gio, GLib
XML = ('<node><interface name="org.kde.StatusNotifierWatcher">'
       '<method name="RegisterStatusNotifierItem"><arg type="s"/></method>'
       '<property name="IsStatusNotifierHostRegistered" type="b" access="read"/></interface></node>')
def call(bus, sender, path, iface, method, args, invocation):
    print(args[0], flush=True)
    invocation.return_value(None)
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
interface = Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0]
bus.register_object("/StatusNotifierWatcher", interface, call, lambda *a: GLib.Variant("b", True))
Gio.bus_own_name_on_connection(bus, "org.kde.StatusNotifierWatcher", 0, lambda *a: print("ready", flush=True), None)
GLib.MainLoop().run()
"""


def face_pixels(desk):
    """How many pixels of the compositor's screen show the face's colour."""
    subprocess.run(["weston-screenshooter"], env=desk.env, cwd=desk.tmp, capture_output=True, timeout=10)
    shots = glob.glob(os.path.join(desk.tmp, "wayland-screenshot*.png"))
    raw = subprocess.run(["convert", shots[0], "rgb:-"], capture_output=True, timeout=10).stdout if shots else b""
    for shot in shots:
        os.remove(shot)
    return sum(raw[i:i + 3] == FACE for i in range(0, len(raw), 3))


def run_clock(desk, env, at, changes, act):
    """The clock from `at` (faked), its face in FACE; `act(p)` ends it. Its console: only the protocol."""
    text = settings(dict(GEOMETRY, couleur_fond=str(0x030201), **changes))
    prog = ProgramFolder(desk, BINARY, {"QS32.ini": text, "MSG1.ASC": b"abc"})
    console = open(os.path.join(desk.tmp, "console"), "w+")
    env = dict(MovableTime(desk, env, at).env, WAYLAND_DEBUG="client")
    p = desk.start([prog.exe], env=env, stdout=console, stderr=console)
    act(p)
    assert p.wait(15) == 0
    saved = prog.read("QS32.ini")
    kept = all(f"\n{k}={v}\r".encode() in saved for k, v in GEOMETRY.items())
    assert prog.read("MSG1.ASC") == b"abc\r\n" and kept, saved
    console.seek(0)
    said = console.read()  # the protocol, one "[time] message" line each, and nothing else
    assert re.fullmatch(r"(\[[^\n]*\n)*", said), re.sub(r"\[.*\n", "", said)
    return said


def test_without_then_with_a_notification_area():
    with Desktop(tray=False, wayland=True, atspi=True) as desk:
        def act(p):
            desk.wait_for(lambda: face_pixels(desk) > 4000, 10, "the clock's face on screen")
            shown = desk.press("Informations", "Quitte")
            ticking = [("Informations" in s.split("|"), " 14:" in s) for s in shown]
            assert ticking == [(True, True), (False, True)], shown
            p.send_signal(15)
        said = run_clock(desk, desk.env, "14:29:54", {}, act)
        clock, info = re.findall(r"get_toplevel\(new id (xdg_toplevel@\d+)", said)[:2]
        assert f"{info}.set_parent({clock})" in said, "the information window is transient for the clock"
        watcher = desk.start(["/usr/bin/python3", "-c", WATCHER], stdout=subprocess.PIPE, text=True)
        assert watcher.stdout.readline() == "ready\n"
        flags = Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION
        bus = Gio.DBusConnection.new_for_address_sync(desk.env["DBUS_SESSION_BUS_ADDRESS"], flags, None, None)

        def act_on_item(p):
            item = watcher.stdout.readline().strip()

            def call(path, iface, method, sig, *args):
                return bus.call_sync(item, path, iface, method, GLib.Variant(sig, args), None, 0, 5000, None).unpack()
            props = call("/StatusNotifierItem", "org.freedesktop.DBus.Properties", "GetAll", "(s)",
                         "org.kde.StatusNotifierItem")[0]
            assert props["Title"] == "Quentor Sonalde" and props["ToolTip"][2].startswith("Quentor Sonalde "), props
            pictures = {(w, h) for w, h, data in props["IconPixmap"] if len(data) == 4 * w * h}
            assert {(16, 16), (32, 32), (48, 48)} <= pictures, props
            assert face_pixels(desk) == 0, "hidden at start (QS_visible false)"
            call("/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate", "(ii)", 0, 0)
            desk.wait_for(lambda: face_pixels(desk) > 4000, 10, "the clock's face after Activate")
            menu = lambda method, sig, *args: call(props["Menu"], "com.canonical.dbusmenu", method, sig, *args)
            menu("AboutToShow", "(i)", 0)
            entries = [(e[0], e[1].get("label")) for e in menu("GetLayout", "(iias)", 0, -1, [])[1][2]]
            assert re.fullmatch(r"Il est 09:1[45]", entries[0][1]), entries
            close = next(n for n, label in entries if label == "Ferme Quentor Sonalde")
            menu("Event", "(isvu)", close, "clicked", GLib.Variant("s", ""), 0)
        run_clock(desk, desk.env, "09:14:58", {"QS_visible": "Faux"}, act_on_item)


if __name__ == "__main__":
    run_test(test_without_then_with_a_notification_area)
