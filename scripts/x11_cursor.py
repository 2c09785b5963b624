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
        digest = hashlib.sha1(f"{c.width}x{c.height}@{c.xhot},{c.yhot}".encode())
        # Each pixel is an ARGB value in the low 32 bits of a long.
        digest.update(b"".join((c.pixels[i] & 0xFFFFFFFF).to_bytes(4, "little") for i in range(c.width * c.height)))
        return digest.hexdigest()
    finally:
        xtest.x11.XFree(image)
