#!/usr/bin/python3
"""A desktop's screen saver on a private session bus, for tests: records every
Inhibit and UnInhibit, one line each with the time, in LOG. With --gnome it is
GNOME's session manager instead. With --idle SECONDS it also records "blank"
whenever that long passes with no inhibition held, as a desktop would blank
the screen."""
import argparse
import time

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib


class Recorder:
    def __init__(self, log, idle):
        self.log, self.idle = open(log, "a", buffering=1), idle
        self.held, self.next_cookie, self.quiet_since = {}, 1, time.monotonic()

    def write(self, *words):
        self.log.write("%.3f %s\n" % (time.time(), " ".join(str(w) for w in words)))

    def inhibit(self, reason):
        cookie, self.next_cookie = self.next_cookie, self.next_cookie + 1
        self.held[cookie] = reason
        self.write("inhibit", cookie, reason)
        return cookie

    def uninhibit(self, cookie):
        self.write("uninhibit", cookie, "known" if self.held.pop(int(cookie), None) is not None else "unknown")
        if not self.held:
            self.quiet_since = time.monotonic()

    def tick(self):
        if self.idle and not self.held and time.monotonic() - self.quiet_since >= self.idle:
            self.write("blank")
            self.quiet_since = time.monotonic()
        return True


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus, recorder):
        super().__init__(bus, "/org/freedesktop/ScreenSaver")
        self.recorder = recorder

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        return self.recorder.inhibit(reason)

    @dbus.service.method("org.freedesktop.ScreenSaver", in_signature="u")
    def UnInhibit(self, cookie):
        self.recorder.uninhibit(cookie)


class SessionManager(dbus.service.Object):
    def __init__(self, bus, recorder):
        super().__init__(bus, "/org/gnome/SessionManager")
        self.recorder = recorder

    @dbus.service.method("org.gnome.SessionManager", in_signature="susu", out_signature="u")
    def Inhibit(self, application, window, reason, flags):
        return self.recorder.inhibit("flags=%d %s" % (flags, reason))

    @dbus.service.method("org.gnome.SessionManager", in_signature="u")
    def Uninhibit(self, cookie):
        self.recorder.uninhibit(cookie)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("log")
    parser.add_argument("--gnome", action="store_true")
    parser.add_argument("--idle", type=float, default=0)
    args = parser.parse_args()
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    recorder = Recorder(args.log, args.idle)
    service = SessionManager if args.gnome else ScreenSaver
    name = dbus.service.BusName("org.gnome.SessionManager" if args.gnome else "org.freedesktop.ScreenSaver", bus)
    keep = service(bus, recorder)
    GLib.timeout_add(100, recorder.tick)
    recorder.write("ready")
    GLib.MainLoop().run()
    del keep, name


if __name__ == "__main__":
    main()
