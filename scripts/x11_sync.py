"""Whether the window manager and a program have taken the X events sent to them so far; the
questions go out on the connection the hand's events go out on (xtest), after them, and the X
server hands each client its events in the order it made them.
- The window manager holds every click on a window (it grabs the button there, to raise and focus
  the window first) until it has handled it: its answer to a request for a window's frame extents
  (_NET_REQUEST_FRAME_EXTENTS), which it sets on that window, comes once it has.
- A program answers a window manager's ping (_NET_WM_PING) to one of its windows once its event
  loop has read the events before it."""
import ctypes
import time

import xtest

x11 = xtest.x11
PROPERTY_NOTIFY, CLIENT_MESSAGE = 28, 33
STRUCTURE_NOTIFY_MASK, SUBSTRUCTURE_NOTIFY_MASK, SUBSTRUCTURE_REDIRECT_MASK, PROPERTY_CHANGE_MASK = \
    1 << 17, 1 << 19, 1 << 20, 1 << 22
x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XCreateSimpleWindow.restype = ctypes.c_ulong
x11.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + [ctypes.c_uint] * 2 + \
    [ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x11.XPending.argtypes = [ctypes.c_void_p]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                           ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                           ctypes.POINTER(ctypes.c_uint)]
x11.XGetWindowProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_long, ctypes.c_long,
                                   ctypes.c_int, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                                   ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_ulong),
                                   ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.c_void_p)]
x11.XGetWMProtocols.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                                ctypes.POINTER(ctypes.c_int)]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong)] + \
    [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]


class PropertyEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("atom", ctypes.c_ulong)]


class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("client", ClientMessage), ("property", PropertyEvent),
                ("pad", ctypes.c_long * 24)]


# A program's window that went away between the search and the ping is an error this script
# survives (the ping then goes unanswered, and another window is found); libX11's own handler
# would end it.
ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)
x11.XSetErrorHandler.argtypes = [ERROR_HANDLER]
_errors = []


@ERROR_HANDLER
def _note_error(_display, _event):
    _errors.append(1)
    return 0


class _State:
    window = None  # this script's own window, never shown: the window manager sets its frame extents
    pings = 0  # the last ping's token
    asked = answered = 0  # requests for frame extents, and their answers
    pongs = set()


def _atom(name):
    return x11.XInternAtom(xtest.display(), name, 0)


def _start():
    if _State.window is not None:
        return
    display = xtest.display()
    x11.XSetErrorHandler(_note_error)
    root = x11.XDefaultRootWindow(display)
    # A program answers a ping on the root window, for whoever hears its structure change.
    x11.XSelectInput(display, root, STRUCTURE_NOTIFY_MASK)
    _State.window = x11.XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0)
    x11.XSelectInput(display, _State.window, PROPERTY_CHANGE_MASK)


def _send(window, destination, mask, message_type, *data):
    event = Event()
    event.client.type = CLIENT_MESSAGE
    event.client.send_event = 1
    event.client.window = window
    event.client.message_type = _atom(message_type)
    event.client.format = 32
    for i, value in enumerate(data):
        event.client.data[i] = value
    del _errors[:]
    x11.XSendEvent(xtest.display(), destination, 0, mask, ctypes.byref(event))
    x11.XSync(xtest.display(), 0)
    return not _errors


def _read_events():
    display = xtest.display()
    extents, ping = _atom(b"_NET_FRAME_EXTENTS"), _atom(b"_NET_WM_PING")
    event = Event()
    while x11.XPending(display):
        x11.XNextEvent(display, ctypes.byref(event))
        if event.type == PROPERTY_NOTIFY and event.property.window == _State.window and event.property.atom == extents:
            _State.answered += 1
        elif event.type == CLIENT_MESSAGE and event.client.data[0] == ping:
            _State.pongs.add(event.client.data[1])


def _wait(condition, timeout):
    deadline = time.time() + timeout
    while True:
        _read_events()
        if condition():
            return True
        if time.time() >= deadline:
            return False
        time.sleep(0.005)


def window_manager_caught_up(timeout):
    """Whether the window manager has handled the events sent before, within timeout seconds
    (answers to requests that came too late count for the later ones)."""
    _start()
    _State.asked += 1
    _send(_State.window, x11.XDefaultRootWindow(xtest.display()), SUBSTRUCTURE_NOTIFY_MASK | SUBSTRUCTURE_REDIRECT_MASK,
          b"_NET_REQUEST_FRAME_EXTENTS")
    return _wait(lambda: _State.answered >= _State.asked, timeout)


def _children(window):
    root, parent, children, count = ctypes.c_ulong(), ctypes.c_ulong(), ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    if not x11.XQueryTree(xtest.display(), window, ctypes.byref(root), ctypes.byref(parent), ctypes.byref(children),
                          ctypes.byref(count)):
        return []
    found = [children[i] for i in range(count.value)]
    if children:
        x11.XFree(children)
    return found


def _cardinal(window, name):
    kind, format_, items, after, data = (ctypes.c_ulong(), ctypes.c_int(), ctypes.c_ulong(), ctypes.c_ulong(),
                                         ctypes.c_void_p())
    if x11.XGetWindowProperty(xtest.display(), window, _atom(name), 0, 1, 0, 6, ctypes.byref(kind),
                              ctypes.byref(format_), ctypes.byref(items), ctypes.byref(after), ctypes.byref(data)) != 0:
        return None
    value = ctypes.cast(data, ctypes.POINTER(ctypes.c_ulong))[0] if data and items.value else None
    if data:
        x11.XFree(data)
    return value


def _answers_pings(window):
    protocols, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_int()
    if not x11.XGetWMProtocols(xtest.display(), window, ctypes.byref(protocols), ctypes.byref(count)):
        return False
    ping = _atom(b"_NET_WM_PING")
    found = any(protocols[i] == ping for i in range(count.value))
    x11.XFree(protocols)
    return found


def window_of(pid):
    """A window of the process that answers pings (under the window manager's frames too), or None
    while it has none."""
    _start()
    pending = _children(x11.XDefaultRootWindow(xtest.display()))
    while pending:
        window = pending.pop(0)
        if _cardinal(window, b"_NET_WM_PID") == pid and _answers_pings(window):
            return window
        pending += _children(window)
    return None


def _exists(window):
    root, x, y, width, height, border, depth = (ctypes.c_ulong(), ctypes.c_int(), ctypes.c_int(), ctypes.c_uint(),
                                                ctypes.c_uint(), ctypes.c_uint(), ctypes.c_uint())
    return bool(x11.XGetGeometry(xtest.display(), window, ctypes.byref(root), ctypes.byref(x), ctypes.byref(y),
                                 ctypes.byref(width), ctypes.byref(height), ctypes.byref(border), ctypes.byref(depth)))


def program_caught_up(window, timeout):
    """Whether the program that made the window has read the events sent before, within timeout
    seconds; False as soon as the window is gone."""
    _start()
    _State.pings += 1
    token = _State.pings
    # The token goes where the window manager puts the time; the program sends it back as it came.
    found = _send(window, window, 0, b"WM_PROTOCOLS", _atom(b"_NET_WM_PING"), token, window) and \
        _wait(lambda: token in _State.pongs or not _exists(window), timeout) and token in _State.pongs
    _State.pongs.clear()
    return found
