"""The cursor the X server shows at the pointer, read through the XFixes extension."""
import ctypes
import hashlib

import xtest

_xfixes = ctypes.cdll.LoadLibrary("libXfixes.so.3")


class _CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


_xfixes.XFixesQueryVersion.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
_xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(_CursorImage)
_xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
xtest.x11.XFree.argtypes = [ctypes.c_void_p]
_negotiated = False


def cursor_image():
    """A digest of the cursor's picture (its size, hot spot and ARGB pixels): the same for one
    cursor wherever and whenever it is shown, different for cursors that look different."""
    global _negotiated
    if not _negotiated:
        # The server answers XFixes requests only from a client that has told it its version.
        major, minor = ctypes.c_int(6), ctypes.c_int(0)
        if not _xfixes.XFixesQueryVersion(xtest.display(), ctypes.byref(major), ctypes.byref(minor)):
            raise SystemExit("the X server has no XFixes")
        _negotiated = True
    image = _xfixes.XFixesGetCursorImage(xtest.display())
    if not image:
        raise SystemExit("XFixes gives no cursor image")
    try:
        c = image.contents
        # Each pixel is an ARGB value in the low 32 bits of a long.
        return picture_digest(c.width, c.height, (c.xhot, c.yhot),
                              [c.pixels[i] & 0xFFFFFFFF for i in range(c.width * c.height)])
    finally:
        xtest.x11.XFree(image)


def picture_digest(width, height, hot_spot, pixels):
    """cursor_image's digest of a picture: its ARGB pixels row by row."""
    digest = hashlib.sha1(f"{width}x{height}@{hot_spot[0]},{hot_spot[1]}".encode())
    digest.update(b"".join(pixel.to_bytes(4, "little") for pixel in pixels))
    return digest.hexdigest()


def xpm_digest(xpm, hot_spot):
    """cursor_image's digest of a cursor drawn from an XPM picture (its strings: the header, the
    colours, the rows) whose colours are None and opaque ones, as the X server shows it."""
    width, height, count, per_pixel = (int(v) for v in xpm[0].split()[:4])
    colours = {}
    for line in xpm[1:1 + count]:
        value = line[per_pixel:].split()[-1]
        colours[line[:per_pixel]] = 0 if value == "None" else 0xFF000000 | int(value.lstrip("#"), 16)
    rows = xpm[1 + count:1 + count + height]
    return picture_digest(width, height, hot_spot, [colours[row[at:at + per_pixel]] for row in rows
                                                    for at in range(0, width * per_pixel, per_pixel)])
