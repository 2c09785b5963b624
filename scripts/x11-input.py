#!/usr/bin/env python3
"""A user's mouse and keys on the X display, through the XTest extension of libX11 alone.

  x11-input.py move X Y               moves the pointer to screen point (X, Y)
  x11-input.py drag X1 Y1 X2 Y2 [N]   presses the left button at (X1, Y1), moves there in N steps, releases
  x11-input.py click X Y              a left click
  x11-input.py key COMBO              presses and releases keys such as ctrl+n, ctrl+z, Return
  x11-input.py type TEXT              types the text, character by character
"""
import ctypes
import sys
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("no X display")

# Each step waits a little, as a hand does, so the program sees separate events.
PAUSE = 0.03


def flush():
    x11.XSync(display, 0)
    time.sleep(PAUSE)


def move(x, y):
    xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
    flush()


def button(press):
    xtst.XTestFakeButtonEvent(display, 1, 1 if press else 0, 0)
    flush()


def keycode(name):
    aliases = {"ctrl": "Control_L", "alt": "Alt_L", "shift": "Shift_L", " ": "space", "/": "slash",
               ".": "period", "-": "minus", "_": "underscore"}
    sym = x11.XStringToKeysym(aliases.get(name, name).encode())
    return x11.XKeysymToKeycode(display, sym)


def key(combo):
    codes = [keycode(part) for part in combo.split("+")]
    for code in codes:
        xtst.XTestFakeKeyEvent(display, code, 1, 0)
        flush()
    for code in reversed(codes):
        xtst.XTestFakeKeyEvent(display, code, 0, 0)
        flush()


def type_text(text):
    for ch in text:
        if ch.isupper() or ch == "_":
            key("shift+" + (ch.lower() if ch.isalpha() else "minus"))
        else:
            key(ch)


def main(args):
    command = args[0]
    numbers = [int(a) for a in args[1:] if a.lstrip("-").isdigit()]
    if command == "move":
        move(*numbers[:2])
    elif command == "click":
        move(*numbers[:2])
        button(True)
        button(False)
    elif command == "drag":
        x1, y1, x2, y2 = numbers[:4]
        steps = numbers[4] if len(numbers) > 4 else 20
        move(x1, y1)
        button(True)
        for i in range(1, steps + 1):
            move(x1 + (x2 - x1) * i // steps, y1 + (y2 - y1) * i // steps)
        button(False)
    elif command == "key":
        key(args[1])
    elif command == "type":
        type_text(args[1])
    else:
        sys.exit(__doc__)


main(sys.argv[1:])
