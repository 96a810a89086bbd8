#!/usr/bin/python3
"""Asks a window to close as a window manager's close button does: the
WM_DELETE_WINDOW message of WM_PROTOCOLS, with no window manager needed.
Usage: close-window.py WINDOW_ID"""
import ctypes
import sys

x = ctypes.CDLL("libX11.so.6")


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]


x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.argtypes, x.XInternAtom.restype = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int], ctypes.c_ulong
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.POINTER(ClientMessage)]
x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
display, window = x.XOpenDisplay(None), int(sys.argv[1], 0)
message = ClientMessage(type=33, window=window, format=32,  # ClientMessage
                        message_type=x.XInternAtom(display, b"WM_PROTOCOLS", 0))
message.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
x.XSendEvent(display, window, 0, 0, ctypes.byref(message))
x.XSync(display, 0)
