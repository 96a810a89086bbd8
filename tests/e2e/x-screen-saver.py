#!/usr/bin/python3
"""Prints the X server's screen-saver state: off, on, cycle or disabled.
With SECONDS, first sets the server to start its saver after that long idle.
Usage: x-screen-saver.py [SECONDS]"""
import ctypes
import sys

x, xss = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXss.so.1")


class Info(ctypes.Structure):
    _fields_ = [("window", ctypes.c_ulong), ("state", ctypes.c_int), ("kind", ctypes.c_int),
                ("til_or_since", ctypes.c_ulong), ("idle", ctypes.c_ulong), ("event_mask", ctypes.c_ulong)]


x.XOpenDisplay.restype = ctypes.c_void_p
x.XDefaultRootWindow.argtypes, x.XDefaultRootWindow.restype = [ctypes.c_void_p], ctypes.c_ulong
x.XSetScreenSaver.argtypes = [ctypes.c_void_p] + [ctypes.c_int] * 4
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
xss.XScreenSaverQueryInfo.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Info)]
display, info = x.XOpenDisplay(None), Info()
if len(sys.argv) > 1:
    x.XSetScreenSaver(display, int(sys.argv[1]), 0, 1, 1)
    x.XSync(display, 0)
xss.XScreenSaverQueryInfo(display, x.XDefaultRootWindow(display), ctypes.byref(info))
print(["off", "on", "cycle", "disabled"][info.state])
