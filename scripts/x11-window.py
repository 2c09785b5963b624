#!/usr/bin/env python3
"""Small X11 actions for the start-up test and screenshots, through libX11 alone.

  x11-window.py find TITLE          prints the id of the first top-level window whose name holds TITLE
  x11-window.py mapped TITLE        the same, for a window that is mapped and viewable on the screen
  x11-window.py close WINDOW_ID     asks the window to close, as its title bar's close button does
  x11-window.py screenshot OUT.png  saves the whole screen
  x11-window.py region X Y W H      prints a digest of the screen's pixels in the rectangle
  x11-window.py geometry TITLE      prints x y width height of the first window whose name holds TITLE
  x11-window.py shown TITLE         the same, for a window that is mapped and viewable on the screen
  x11-window.py maximise WINDOW_ID  asks the window manager to maximise the window
  x11-window.py pixel X Y           prints the screen's colour at (X, Y) as rrggbb
  x11-window.py rgb X Y W H         writes the screen's pixels in the rectangle to stdout, row by row, as
                                    bytes r, g, b each: the root window's image as the X server holds it
  x11-window.py popups              prints x y width height of each shown pop-up (menu, tooltip), a line each
  x11-window.py over X Y W H        prints id x y width height name of each shown top-level window that
                                    covers part of the rectangle but not all of it, a line each
  x11-window.py at X Y              prints id x y width height name of the window on top at the point (the
                                    window inside a manager's frame)
"""
import ctypes
import hashlib
import struct
import sys
import zlib

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                           ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                           ctypes.POINTER(ctypes.c_uint)]
x11.XFetchName.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_char_p)]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XGetPixel.restype = ctypes.c_ulong
x11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
x11.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]


x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong)] + \
    [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
x11.XTranslateCoordinates.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                      ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int),
                                      ctypes.POINTER(ctypes.c_ulong)]


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5), ("pad", ctypes.c_long * 12)]


def children_of(display, parent):
    root, parent_out, children, count = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    if not x11.XQueryTree(display, parent, ctypes.byref(root), ctypes.byref(parent_out), ctypes.byref(children),
                          ctypes.byref(count)):
        return []
    return [children[i] for i in range(count.value)]


def windows(display, parent):
    for child in children_of(display, parent):
        yield child
        yield from windows(display, child)


class WindowAttributes(ctypes.Structure):
    _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int), ("backing_planes", ctypes.c_ulong),
                ("backing_pixel", ctypes.c_ulong), ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong),
                ("map_installed", ctypes.c_int), ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]


x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(WindowAttributes)]
IS_VIEWABLE = 2


def viewable(display, window):
    attributes = WindowAttributes()
    return x11.XGetWindowAttributes(display, window, ctypes.byref(attributes)) and \
        attributes.map_state == IS_VIEWABLE


def find(display, title, mapped=False):
    for window in windows(display, x11.XDefaultRootWindow(display)):
        name = ctypes.c_char_p()
        if x11.XFetchName(display, window, ctypes.byref(name)) and name.value and title in name.value.decode() \
                and (not mapped or viewable(display, window)):
            return window
    return None


def close(display, window):
    event = ClientMessage(type=33, send_event=1, display=display, window=window,
                          message_type=x11.XInternAtom(display, b"WM_PROTOCOLS", 0), format=32)
    event.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x11.XFlush(display)


def maximise(display, window):
    event = ClientMessage(type=33, send_event=1, display=display, window=window,
                          message_type=x11.XInternAtom(display, b"_NET_WM_STATE", 0), format=32)
    event.data[0] = 1  # add
    event.data[1] = x11.XInternAtom(display, b"_NET_WM_STATE_MAXIMIZED_VERT", 0)
    event.data[2] = x11.XInternAtom(display, b"_NET_WM_STATE_MAXIMIZED_HORZ", 0)
    # SubstructureRedirectMask | SubstructureNotifyMask: the window manager hears it.
    x11.XSendEvent(display, x11.XDefaultRootWindow(display), 0, (1 << 20) | (1 << 19), ctypes.byref(event))
    x11.XFlush(display)


def popups(display):
    """The shown top-level windows that the window manager leaves alone: menus and tooltips."""
    for window in children_of(display, x11.XDefaultRootWindow(display)):
        attributes = WindowAttributes()
        if x11.XGetWindowAttributes(display, window, ctypes.byref(attributes)) and \
                attributes.map_state == IS_VIEWABLE and attributes.override_redirect:
            print(attributes.x, attributes.y, attributes.width, attributes.height)


def over(display, x, y, width, height):
    """The shown top-level windows that lie over part of the rectangle; the window that holds all of
    it (the one it belongs to) is left out."""
    for window in children_of(display, x11.XDefaultRootWindow(display)):
        if not viewable(display, window):
            continue
        left, top, w, h = geometry(display, window)
        meets = left < x + width and x < left + w and top < y + height and y < top + h
        holds = left <= x and top <= y and x + width <= left + w and y + height <= top + h
        if meets and not holds:
            print(window, left, top, w, h, name_of(display, window))


def named(display, window):
    """The window or the first window inside it that has a name (a manager's frame has none), and
    that name; (window, "") when none has one."""
    for inner in [window] + list(windows(display, window)):
        name = ctypes.c_char_p()
        if x11.XFetchName(display, inner, ctypes.byref(name)) and name.value:
            return inner, name.value.decode()
    return window, ""


def name_of(display, window):
    return named(display, window)[1]


def at(display, x, y):
    """The shown top-level window on top at the point, as its program made it."""
    for window in reversed(children_of(display, x11.XDefaultRootWindow(display))):
        if not viewable(display, window):
            continue
        left, top, width, height = geometry(display, window)
        if left <= x < left + width and top <= y < top + height:
            inner, name = named(display, window)
            print(inner, *geometry(display, inner), name)
            return True
    return False


def pixel(display, x, y):
    image = x11.XGetImage(display, x11.XDefaultRootWindow(display), x, y, 1, 1, 0xFFFFFFFF, 2)
    print("%06x" % (x11.XGetPixel(image, 0, 0) & 0xFFFFFF))


def rgb_rows(display, x, y, width, height):
    """The screen's pixels in the rectangle: a row of bytes r, g, b each per line."""
    image = x11.XGetImage(display, x11.XDefaultRootWindow(display), x, y, width, height, 0xFFFFFFFF, 2)
    for row in range(height):
        line = bytearray()
        for col in range(width):
            pixel = x11.XGetPixel(image, col, row)
            line += bytes(((pixel >> 16) & 255, (pixel >> 8) & 255, pixel & 255))
        yield line


def screenshot(display, path):
    width, height = x11.XDisplayWidth(display, 0), x11.XDisplayHeight(display, 0)
    rows = bytearray()
    for line in rgb_rows(display, 0, 0, width, height):
        rows.append(0)
        rows += line

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(bytes(rows))) + chunk(b"IEND", b""))


def region(display, x, y, width, height):
    image = x11.XGetImage(display, x11.XDefaultRootWindow(display), x, y, width, height, 0xFFFFFFFF, 2)
    digest = hashlib.sha1()
    for row in range(height):
        digest.update(b"".join(x11.XGetPixel(image, col, row).to_bytes(4, "little") for col in range(width)))
    print(digest.hexdigest())


def geometry(display, window):
    root, x, y, width, height, border, depth = (ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int(), ctypes.c_uint(),
                                                ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint())
    x11.XGetGeometry(display, window, ctypes.byref(root), ctypes.byref(x), ctypes.byref(y), ctypes.byref(width),
                     ctypes.byref(height), ctypes.byref(border), ctypes.byref(depth))
    screen_x, screen_y, child = ctypes.c_int(), ctypes.c_int(), ctypes.c_ulong()
    x11.XTranslateCoordinates(display, window, root.value, 0, 0, ctypes.byref(screen_x), ctypes.byref(screen_y),
                              ctypes.byref(child))
    return screen_x.value, screen_y.value, width.value, height.value


def main():
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no X display")
    command, argument = sys.argv[1], (sys.argv[2:] or [""])[0]
    if command in ("find", "mapped"):
        window = find(display, argument, mapped=command == "mapped")
        if window is None:
            sys.exit(1)
        print(window)
    elif command == "close":
        close(display, int(argument))
    elif command == "maximise":
        maximise(display, int(argument))
    elif command == "popups":
        popups(display)
    elif command == "over":
        over(display, *(int(a) for a in sys.argv[2:6]))
    elif command == "at":
        if not at(display, int(argument), int(sys.argv[3])):
            sys.exit(1)
    elif command == "pixel":
        pixel(display, int(argument), int(sys.argv[3]))
    elif command == "screenshot":
        screenshot(display, argument)
    elif command == "rgb":
        for line in rgb_rows(display, *(int(a) for a in sys.argv[2:6])):
            sys.stdout.buffer.write(line)
    elif command == "region":
        region(display, *(int(a) for a in sys.argv[2:6]))
    elif command in ("geometry", "shown"):
        window = find(display, argument, mapped=command == "shown")
        if window is None:
            sys.exit(1)
        print(*geometry(display, window))


main()
