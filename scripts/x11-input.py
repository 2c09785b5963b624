#!/usr/bin/env python3
"""Keys and clicks on the X server as a user's keyboard and mouse make them, through libX11 and
libXtst:

  x11-input.py key Control_L+m    holds the keys joined by "+" down together, then lets them go
  x11-input.py key Escape         one key
  x11-input.py click X Y          moves the pointer to the screen point and clicks the left button

Key names are X keysym names.
"""
import ctypes
import sys
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]


def press_keys(display, names):
    codes = []
    for name in names.split("+"):
        code = x11.XKeysymToKeycode(display, x11.XStringToKeysym(name.encode()))
        if not code:
            sys.exit("unknown key " + name)
        codes.append(code)
    for code in codes:
        xtst.XTestFakeKeyEvent(display, code, True, 0)
    for code in reversed(codes):
        xtst.XTestFakeKeyEvent(display, code, False, 0)


def click(display, x, y):
    xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
    xtst.XTestFakeButtonEvent(display, 1, True, 0)
    xtst.XTestFakeButtonEvent(display, 1, False, 0)


def main():
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    if sys.argv[1] == "key":
        press_keys(display, sys.argv[2])
    elif sys.argv[1] == "click":
        click(display, int(sys.argv[2]), int(sys.argv[3]))
    else:
        sys.exit(__doc__)
    x11.XFlush(display)
    time.sleep(0.1)


if __name__ == "__main__":
    main()
