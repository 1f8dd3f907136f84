#!/usr/bin/env python3
"""Asks X windows to close, as a window manager's close button does: sends each
the WM_DELETE_WINDOW message on the display named by DISPLAY. Wine turns it into
the window's own close command, so the program closes as if its user had
clicked the close box.

Usage: close-window.py WINDOW-ID...   (ids as xwininfo prints them: 0x1a00001)
"""
import ctypes
import ctypes.util
import sys

CLIENT_MESSAGE = 33
NO_EVENT_MASK = 0


class ClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


# A window that has gone meanwhile is no error: Xlib's default handler would end the program.
ErrorHandler = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
ignore_errors = ErrorHandler(lambda display, error: 0)


class Event(ctypes.Union):
    # An X event is 24 longs whatever its kind.
    _fields_ = [("client", ClientMessageEvent), ("size", ctypes.c_long * 24)]


def main(argv):
    if len(argv) < 2:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    x11 = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x11.XOpenDisplay.restype = ctypes.c_void_p
    x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
    x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

    x11.XSetErrorHandler.argtypes = [ErrorHandler]
    x11.XSetErrorHandler(ignore_errors)
    display = x11.XOpenDisplay(None)
    if not display:
        print("close-window: cannot open the display", file=sys.stderr)
        return 1
    protocols = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
    delete_window = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    for text in argv[1:]:
        event = Event()
        event.client.type = CLIENT_MESSAGE
        event.client.window = int(text, 0)
        event.client.message_type = protocols
        event.client.format = 32
        event.client.data[0] = delete_window
        x11.XSendEvent(display, event.client.window, 0, NO_EVENT_MASK, ctypes.byref(event))
    x11.XSync(display, 0)
    x11.XCloseDisplay(display)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
