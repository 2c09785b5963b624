"""A user's mouse and keys on the X display, through the XTest extension of libX11 alone."""
import ctypes
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

# Each step waits a little, as a hand does, so the program sees separate events.
PAUSE = 0.03
# A move waits as long (MOVE_PAUSE), or only until the X server has it where the caller checks itself.
MOVE_PAUSE = PAUSE
# An extra wait between a drag's moves, for a caller whose moves do not wait.
DRAG_PAUSE = 0
_display = None
# How many times a mouse button went down or up: the window manager holds those events for a while.
buttons_sent = 0


def display():
    global _display
    if _display is None:
        _display = x11.XOpenDisplay(None)
        if not _display:
            raise SystemExit("no X display")
    return _display


def screen_width():
    x11.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
    return x11.XDisplayWidth(display(), 0)


def window_manager_running():
    """True once a window manager has announced itself (it makes this atom; nothing else has run)."""
    x11.XInternAtom.restype = ctypes.c_ulong
    x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    return x11.XInternAtom(display(), b"_NET_SUPPORTING_WM_CHECK", 1) != 0


def flush():
    x11.XSync(display(), 0)
    time.sleep(PAUSE)


def pointer():
    """Where the pointer is on the screen."""
    root, child = ctypes.c_ulong(), ctypes.c_ulong()
    x, y, wx, wy, mask = ctypes.c_int(), ctypes.c_int(), ctypes.c_int(), ctypes.c_int(), ctypes.c_uint()
    x11.XDefaultRootWindow.restype = ctypes.c_ulong
    x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x11.XQueryPointer(ctypes.c_void_p(display()), ctypes.c_ulong(x11.XDefaultRootWindow(display())), ctypes.byref(root),
                      ctypes.byref(child), ctypes.byref(x), ctypes.byref(y), ctypes.byref(wx), ctypes.byref(wy),
                      ctypes.byref(mask))
    return x.value, y.value


def move(x, y):
    xtst.XTestFakeMotionEvent(display(), -1, x, y, 0)
    x11.XSync(display(), 0)
    time.sleep(MOVE_PAUSE)


def button(press):
    global buttons_sent
    xtst.XTestFakeButtonEvent(display(), 1, 1 if press else 0, 0)
    buttons_sent += 1
    flush()


def click(x, y):
    move(x, y)
    button(True)
    button(False)


def drag(x1, y1, x2, y2, steps=20):
    move(x1, y1)
    button(True)
    for i in range(1, steps + 1):
        move(x1 + (x2 - x1) * i // steps, y1 + (y2 - y1) * i // steps)
        time.sleep(DRAG_PAUSE)
    button(False)


def keycode(name):
    aliases = {"ctrl": "Control_L", "alt": "Alt_L", "shift": "Shift_L", " ": "space", "/": "slash",
               ".": "period", "-": "minus", "_": "underscore", "del": "Delete"}
    sym = x11.XStringToKeysym(aliases.get(name.lower() if len(name) > 1 else name, name).encode())
    return x11.XKeysymToKeycode(display(), sym)


def key(combo):
    """Presses and releases keys such as ctrl+n, ctrl+alt+s, Return."""
    codes = [keycode(part) for part in combo.split("+")]
    for code in codes:
        xtst.XTestFakeKeyEvent(display(), code, 1, 0)
        flush()
    for code in reversed(codes):
        xtst.XTestFakeKeyEvent(display(), code, 0, 0)
        flush()


def type_text(text):
    for ch in text:
        if ch.isupper() or ch == "_":
            key("shift+" + (ch.lower() if ch.isalpha() else "minus"))
        else:
            key(ch)
