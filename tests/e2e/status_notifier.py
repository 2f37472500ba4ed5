"""A D-Bus notification area (StatusNotifierItem, as KDE Plasma, XFCE or waybar host them): the icon
registers with its title, tooltip and pictures; Activate brings back the hidden window; the menu
read through com.canonical.dbusmenu tells the current time; its last item closes and saves."""
import re
import subprocess
import sys

from gi.repository import Gio, GLib
from harness import Desktop, ProgramFolder, faked_time, run_test, settings

BINARY = sys.argv[1]
# The watcher a panel runs, with a host registered: it prints each item that registers.
WATCHER = """from gi.repository import Gio, GLib
XML = '''<node><interface name="org.kde.StatusNotifierWatcher">
<method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
<method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
<property name="RegisteredStatusNotifierItems" type="as" access="read"/>
<property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
<property name="ProtocolVersion" type="i" access="read"/>
<signal name="StatusNotifierItemRegistered"><arg type="s"/></signal></interface></node>'''
items = []
def call(bus, sender, path, iface, method, args, invocation):
    items.append(args[0])
    print(args[0], flush=True)
    invocation.return_value(None)
def get(bus, sender, path, iface, name):
    return {"RegisteredStatusNotifierItems": GLib.Variant("as", items), "IsStatusNotifierHostRegistered":
            GLib.Variant("b", True), "ProtocolVersion": GLib.Variant("i", 0)}[name]
def owned(bus, name):
    print("ready", flush=True)
bus = Gio.bus_get_sync(Gio.BusType.SESSION)
bus.register_object("/StatusNotifierWatcher", Gio.DBusNodeInfo.new_for_xml(XML).interfaces[0], call, get, None)
Gio.bus_own_name_on_connection(bus, "org.kde.StatusNotifierWatcher", 0, owned, None)
GLib.MainLoop().run()
"""


def test_status_notifier_item():
    with Desktop(tray=False, bus=True) as desk:
        watcher = desk.start(["/usr/bin/python3", "-c", WATCHER], stdout=subprocess.PIPE, text=True)
        assert watcher.stdout.readline() == "ready\n"
        prog = ProgramFolder(desk, BINARY, {"QS32.ini": settings({"QS_visible": "Faux"}), "MSG1.ASC": b"abc"})
        p = desk.start([prog.exe], env=faked_time(desk.env, "09:14:58"))
        item = watcher.stdout.readline().strip()
        bus = Gio.DBusConnection.new_for_address_sync(desk.env["DBUS_SESSION_BUS_ADDRESS"], Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT |
                                                      Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)
        call = lambda path, iface, method, sig, *args: bus.call_sync(item, path, iface, method, GLib.Variant(sig, args), None, 0, 5000, None).unpack()
        props = call("/StatusNotifierItem", "org.freedesktop.DBus.Properties", "GetAll", "(s)", "org.kde.StatusNotifierItem")[0]
        assert props["Title"] == "Quentor Sonalde" and props["ToolTip"][2].startswith("Quentor Sonalde "), props
        sizes = {(w, h) for w, h, data in props["IconPixmap"] if len(data) == 4 * w * h}
        assert {(16, 16), (32, 32), (48, 48)} <= sizes, sizes
        assert not desk.windows(" - "), "hidden at start (QS_visible false)"
        call("/StatusNotifierItem", "org.kde.StatusNotifierItem", "Activate", "(ii)", 0, 0)
        desk.wait_for(lambda: desk.windows(" - "), 5, "the window after Activate")
        call(props["Menu"], "com.canonical.dbusmenu", "AboutToShow", "(i)", 0)
        entries = [(e[0], e[1].get("label")) for e in call(props["Menu"], "com.canonical.dbusmenu", "GetLayout", "(iias)", 0, -1, [])[1][2]]
        assert re.fullmatch(r"Il est 09:1[45]", entries[0][1]), entries
        close = next(n for n, label in entries if label == "Ferme Quentor Sonalde")
        call(props["Menu"], "com.canonical.dbusmenu", "Event", "(isvu)", close, "clicked", GLib.Variant("s", ""), 0)
        assert p.wait(10) == 0
        assert prog.read("MSG1.ASC") == b"abc\r\n", "saved at the close"


if __name__ == "__main__":
    run_test(test_status_notifier_item)
