#!/usr/bin/env python3
"""Starts something on the screen and times, to the millisecond, when watched
pixels first show their expected colours.

  screen-probe.py click X Y WATCH...         a left click at root (X, Y)
  screen-probe.py ipc SOCKET FILE WATCH...   an mpv loadfile through its IPC socket
  screen-probe.py pixel X Y                  prints the colour at root (X, Y)

WATCH is X,Y,RRGGBB[,TOLERANCE] in root coordinates. Prints one figure per
watch, in ms after the trigger ("timeout" after 5 s). The clock starts just
before the click or the command is sent.
"""
import ctypes
import json
import socket
import sys
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XDestroyImage = x11.XDestroyImage if hasattr(x11, "XDestroyImage") else None
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XWarpPointer.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong] + [ctypes.c_int] * 2 + [ctypes.c_uint] * 2 + [ctypes.c_int] * 2
x11.XFree.argtypes = [ctypes.c_void_p]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

display = x11.XOpenDisplay(None)
root = x11.XDefaultRootWindow(display)
ZPIXMAP, ALL_PLANES = 2, 0xFFFFFFFF


def pixel(x, y):
    image = x11.XGetImage(display, root, x, y, 1, 1, ALL_PLANES, ZPIXMAP)
    value = x11.XGetPixel(image, 0, 0)
    # XDestroyImage is a macro; the image's own destroy function is its first
    # function pointer, but freeing the data and the struct does the same.
    data = ctypes.cast(image + 16, ctypes.POINTER(ctypes.c_void_p)).contents.value
    x11.XFree(data)
    x11.XFree(image)
    return (value >> 16) & 255, (value >> 8) & 255, value & 255


def matches(colour, expected, tolerance):
    return all(abs(a - b) <= tolerance for a, b in zip(colour, expected))


def parse_watch(text):
    parts = text.split(",")
    rgb = tuple(int(parts[2][i:i + 2], 16) for i in (0, 2, 4))
    return int(parts[0]), int(parts[1]), rgb, int(parts[3]) if len(parts) > 3 else 40


def main():
    mode = sys.argv[1]
    if mode == "pixel":
        print("%02x%02x%02x" % pixel(int(sys.argv[2]), int(sys.argv[3])))
        return
    if mode == "click":
        x, y = int(sys.argv[2]), int(sys.argv[3])
        watches = [parse_watch(w) for w in sys.argv[4:]]
        x11.XWarpPointer(display, 0, root, 0, 0, 0, 0, x, y)
        x11.XFlush(display)
        time.sleep(0.05)
        start = time.monotonic()
        xtst.XTestFakeButtonEvent(display, 1, 1, 0)
        xtst.XTestFakeButtonEvent(display, 1, 0, 0)
        x11.XFlush(display)
    else:
        connection = socket.socket(socket.AF_UNIX)
        connection.connect(sys.argv[2])
        watches = [parse_watch(w) for w in sys.argv[4:]]
        start = time.monotonic()
        connection.sendall((json.dumps({"command": ["loadfile", sys.argv[3]]}) + "\n").encode())
    seen = [None] * len(watches)
    while None in seen and time.monotonic() - start < 5:
        for i, (x, y, rgb, tolerance) in enumerate(watches):
            if seen[i] is None and matches(pixel(x, y), rgb, tolerance):
                seen[i] = (time.monotonic() - start) * 1000
    print(" ".join("timeout" if s is None else "%.1f" % s for s in seen))


main()
