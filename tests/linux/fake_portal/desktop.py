#!/usr/bin/env python3
"""A desktop's side of the global shortcuts portal, behind the real portal frontend: it keeps
the calls it gets, gives the shortcuts the triggers they ask for except those named on the
command line, and activates or deactivates a shortcut when the test says so."""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

IMPL = "org.freedesktop.impl.portal.GlobalShortcuts"


class Session(dbus.service.Object):
    @dbus.service.method("org.freedesktop.impl.portal.Session")
    def Close(self):
        self.remove_from_connection()


class Desktop(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/portal/desktop")
        self.calls, self.session, self.sessions = [], None, []

    @dbus.service.method(IMPL, in_signature="oosa{sv}", out_signature="ua{sv}")
    def CreateSession(self, handle, session, app_id, options):
        self.session = session
        self.sessions.append(Session(self.connection, session))
        self.calls.append("CreateSession " + session.rsplit("/", 1)[1])
        return 0, {}

    @dbus.service.method(IMPL, in_signature="ooa(sa{sv})sa{sv}", out_signature="ua{sv}")
    def BindShortcuts(self, handle, session, shortcuts, parent_window, options):
        self.calls.append("BindShortcuts " + " ".join(
            f"{id}={p['preferred_trigger']}:{p['description']}" for id, p in shortcuts))
        given = [(id, {"description": p["description"], "trigger_description": p["preferred_trigger"]})
                 for id, p in shortcuts if id not in sys.argv[1:]]
        return 0, {"shortcuts": dbus.Array(given, signature="(sa{sv})")}

    @dbus.service.signal(IMPL, signature="osta{sv}")
    def Activated(self, session, id, timestamp, options):
        pass

    @dbus.service.signal(IMPL, signature="osta{sv}")
    def Deactivated(self, session, id, timestamp, options):
        pass

    @dbus.service.method("org.clipnest.Test", in_signature="sb")
    def Press(self, id, down):
        (self.Activated if down else self.Deactivated)(self.session, id, dbus.UInt64(0), {})

    @dbus.service.method("org.clipnest.Test", out_signature="s")
    def Calls(self):
        return "\n".join(self.calls)


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
desktop = Desktop(bus)
name = dbus.service.BusName("org.freedesktop.impl.portal.desktop.clipnesttest", bus)
print("ready", flush=True)
GLib.MainLoop().run()
