"""The cursor the X server shows, as the XFixes extension hands it out: its hot spot and its picture,
ARGB pixels row by row. Each cursor a program makes has its own serial, so two of them are told
apart by their pictures."""
import ctypes

import xtest

_xfixes = ctypes.cdll.LoadLibrary("libXfixes.so.3")
_xfixes.XFixesQueryExtension.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
_xfixes.XFixesQueryVersion.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]


class _CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short), ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort), ("cursor_serial", ctypes.c_ulong),
                ("pixels", ctypes.POINTER(ctypes.c_ulong)), ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


_xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
_xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
xtest.x11.XFree.argtypes = [ctypes.c_void_p]
_ready = False


def shown():
    """(hot spot, width, height, pixels) of the cursor on the screen now; each pixel an ARGB number."""
    global _ready
    display = xtest.display()
    if not _ready:
        # The library asks for the extension's version once, before the first request.
        major, minor = ctypes.c_int(), ctypes.c_int()
        if not _xfixes.XFixesQueryExtension(display, ctypes.byref(major), ctypes.byref(minor)):
            raise SystemExit("the X server has no XFixes extension")
        major, minor = ctypes.c_int(6), ctypes.c_int(0)
        _xfixes.XFixesQueryVersion(display, ctypes.byref(major), ctypes.byref(minor))
        _ready = True
    image = _xfixes.XFixesGetCursorImage(display)
    if not image:
        raise SystemExit("XFixes hands out no cursor image")
    c = image.contents
    pixels = tuple(c.pixels[i] & 0xFFFFFFFF for i in range(c.width * c.height))
    result = ((c.xhot, c.yhot), c.width, c.height, pixels)
    xtest.x11.XFree(image)
    return result


def from_xpm(xpm, hot_spot):
    """What shown() gives for a cursor drawn from an XPM picture (its strings: the header, the
    colours, the rows) whose colours are None and opaque ones."""
    width, height, count, per_pixel = (int(v) for v in xpm[0].split())
    colours = {}
    for line in xpm[1:1 + count]:
        value = line[per_pixel:].split()[-1]
        colours[line[:per_pixel]] = 0 if value == "None" else 0xFF000000 | int(value.lstrip("#"), 16)
    rows = xpm[1 + count:1 + count + height]
    pixels = tuple(colours[row[at:at + per_pixel]] for row in rows for at in range(0, width * per_pixel, per_pixel))
    return tuple(hot_spot), width, height, pixels
