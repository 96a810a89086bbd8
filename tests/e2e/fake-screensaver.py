#!/usr/bin/python3
"""A desktop's screen saver on the session bus, for tests: writes each Inhibit
and UnInhibit to LOG, one timed line each. --gnome: GNOME's session manager
instead; --portal: the desktop portal, whose inhibitions are requests to Close.
--refuse: every Inhibit fails with an error, written as "refused". --idle
SECONDS: also writes "blank" whenever that long passes with no inhibition held,
as a desktop would blank the screen.
Usage: fake-screensaver.py LOG [--gnome | --portal] [--refuse] [--idle SECONDS]"""
import sys
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

log = open(sys.argv[1], "a", buffering=1)
idle = float(sys.argv[sys.argv.index("--idle") + 1]) if "--idle" in sys.argv else 0
held, quiet_since, cookies = {}, time.monotonic(), iter(range(1, 1 << 31))


def write(*words):
    log.write("%.3f %s\n" % (time.time(), " ".join(str(w) for w in words)))


def inhibit(reason):
    if "--refuse" in sys.argv:
        write("refused", reason)
        raise dbus.exceptions.DBusException("no inhibition here", name="org.freedesktop.DBus.Error.AccessDenied")
    cookie = next(cookies)
    held[cookie] = reason
    write("inhibit", cookie, reason)
    return cookie


def uninhibit(cookie):
    global quiet_since
    write("uninhibit", cookie, "known" if held.pop(int(cookie), None) is not None else "unknown")
    quiet_since = time.monotonic()


def tick():
    global quiet_since
    if idle and not held and time.monotonic() - quiet_since >= idle:
        write("blank")
        quiet_since = time.monotonic()
    return True


class ScreenSaver(dbus.service.Object):
    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        return inhibit(reason)

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="u")
    def UnInhibit(self, cookie):
        uninhibit(cookie)


class SessionManager(dbus.service.Object):
    @dbus.service.method("org.gnome.SessionManager", in_signature="susu", out_signature="u")
    def Inhibit(self, application, window, reason, flags):
        return inhibit("flags=%d %s" % (flags, reason))

    @dbus.service.method("org.gnome.SessionManager", in_signature="u")
    def Uninhibit(self, cookie):
        uninhibit(cookie)


class Request(dbus.service.Object):
    def __init__(self, path, cookie):
        super().__init__(bus, path)
        self.cookie = cookie

    @dbus.service.method("org.freedesktop.portal.Request")
    def Close(self):
        uninhibit(self.cookie)
        self.remove_from_connection()


class Portal(dbus.service.Object):
    @dbus.service.method("org.freedesktop.portal.Inhibit", in_signature="sua{sv}", out_signature="o")
    def Inhibit(self, window, flags, options):
        cookie = inhibit("flags=%d %s" % (flags, options.get("reason", "")))
        path = "/org/freedesktop/portal/desktop/request/1_1/t%d" % cookie
        Request(path, cookie)
        return path


DBusGMainLoop(set_as_default=True)
bus = dbus.SessionBus()
if "--portal" in sys.argv:
    name, service = dbus.service.BusName("org.freedesktop.portal.Desktop", bus), Portal(bus, "/org/freedesktop/portal/desktop")
elif "--gnome" in sys.argv:
    name, service = dbus.service.BusName("org.gnome.SessionManager", bus), SessionManager(bus, "/org/gnome/SessionManager")
else:
    name, service = dbus.service.BusName("org.freedesktop.ScreenSaver", bus), ScreenSaver(bus, "/org/freedesktop/ScreenSaver")
GLib.timeout_add(100, tick)
write("ready")
GLib.MainLoop().run()
