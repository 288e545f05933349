#!/usr/bin/env python3
# A private bus with Debian's portal frontend (argument 1; none when empty) and a fake desktop that
# keeps the triggers named after it, presses shortcuts when told and takes screenshots (a PNG
# drawn here). The frontend offers its Screenshot only beside an Access backend (the permission
# dialog). Prints the bus's address.
import os, signal, struct, subprocess, sys, tempfile, zlib
import dbus, dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

HERE, IMPL, TEST = os.path.dirname(__file__), "org.freedesktop.impl.portal.GlobalShortcuts", "org.clipnest.Test"
bus_daemon = subprocess.Popen(["dbus-daemon", "--nofork", "--print-address", "--config-file", HERE + "/bus.conf"],
                              stdout=subprocess.PIPE, text=True)
os.environ.update(DBUS_SESSION_BUS_ADDRESS=bus_daemon.stdout.readline().strip(),
                  XDG_CURRENT_DESKTOP="clipnesttest", XDG_DESKTOP_PORTAL_DIR=HERE)
shots = tempfile.TemporaryDirectory()
SHOT = shots.name + "/screen.png"


def write_png(path, width, height):  # red grows to the right, green downwards
    rows = b"".join(b"\0" + b"".join(bytes((x * 8, y * 10, 200)) for x in range(width)) for y in range(height))
    chunk = lambda kind, data: struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))


class Session(dbus.service.Object):
    @dbus.service.method("org.freedesktop.impl.portal.Session")
    def Close(self): self.remove_from_connection()

    @dbus.service.signal("org.freedesktop.impl.portal.Session")
    def Closed(self): pass


class Desktop(dbus.service.Object):
    calls, session = [], None

    @dbus.service.method(IMPL, in_signature="oosa{sv}", out_signature="ua{sv}")
    def CreateSession(self, handle, session, app_id, options):
        self.session, self.session_object = session, Session(bus, session)
        self.calls.append("CreateSession " + session.rsplit("/", 1)[1])
        return 0, {}

    @dbus.service.method(IMPL, in_signature="ooa(sa{sv})sa{sv}", out_signature="ua{sv}")
    def BindShortcuts(self, handle, session, shortcuts, parent_window, options):
        self.calls += [f"{id}={p['preferred_trigger']}:{p['description']}" for id, p in shortcuts]
        given = [(id, {"trigger_description": p["preferred_trigger"]}) for id, p in shortcuts if id not in sys.argv[2:]]
        return 0, {"shortcuts": dbus.Array(given, signature="(sa{sv})")}

    @dbus.service.method("org.freedesktop.impl.portal.Screenshot", in_signature="ossa{sv}", out_signature="ua{sv}")
    def Screenshot(self, handle, app_id, parent_window, options):
        write_png(SHOT, 32, 24)
        self.calls.append(f"Screenshot interactive={int(options.get('interactive', 1))} {SHOT}")
        return 0, {"uri": "file://" + SHOT}

    @dbus.service.method("org.freedesktop.impl.portal.Access", in_signature="osssssa{sv}", out_signature="ua{sv}")
    def AccessDialog(self, handle, app_id, parent_window, title, subtitle, body, options):
        self.calls.append("AccessDialog " + title)
        return 0, {}

    @dbus.service.signal(IMPL, signature="osta{sv}")
    def Activated(self, session, id, timestamp, options): pass

    @dbus.service.signal(IMPL, signature="osta{sv}")
    def Deactivated(self, session, id, timestamp, options): pass

    @dbus.service.method(TEST, in_signature="sb", out_signature="s")
    def Press(self, id, down):  # returns the calls so far; an empty id ends the portal, "closed" the session
        if not id:
            portal.kill()
        elif id == "closed":
            self.session_object.Closed()
        else:
            (self.Activated if down else self.Deactivated)(self.session, id, dbus.UInt64(0), {})
        return "\n".join(self.calls)


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
name = dbus.service.BusName("org.freedesktop.impl.portal.desktop.clipnesttest", bus)
desktop = Desktop(bus, "/org/freedesktop/portal/desktop")
portal = subprocess.Popen([sys.argv[1]], stderr=subprocess.DEVNULL) if sys.argv[1] else None


def announce():  # once the portal is up; the desktop answers it meanwhile
    if portal and not bus.name_has_owner("org.freedesktop.portal.Desktop"):
        return True
    print(os.environ["DBUS_SESSION_BUS_ADDRESS"], flush=True)


GLib.timeout_add(20, announce)
loop = GLib.MainLoop()
GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGTERM, loop.quit)
loop.run()
for process in filter(None, (portal, bus_daemon)):
    process.kill()
