#!/usr/bin/python3
"""Reads the screen as `xwd -root` does, through the window hierarchy and the windows' colormaps,
while the first run's box, the Preferences sheet that follows it and the Help window (Help/Topics)
are open. Each window's area there must show what the X server holds for it, as a monitor does: not
black, the same pixels as a plain read of the root window's image. Run it through
scripts/ui-sweep.sh:

  ui-sweep.sh PROGRAM dialogs-on-screen.py
"""
import ctypes
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xtest  # noqa: E402
from ui_program import DISCARD_ANSWERS, OK_ANSWERS, WINDOW_TOOL, Failure, Program, run, wait_for  # noqa: E402

HELP_TITLE = "Tavrolin Help"
# A window mostly black on the screen is a window that never got there.
MOST_BLACK = 0.5
# What may differ between the two reads: a caret that blinks, a control that repaints meanwhile.
LEAST_SAME = 0.98

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XDestroyImage.argtypes = [ctypes.c_void_p]
Z_PIXMAP = 2


class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int),
                ("red_mask", ctypes.c_ulong), ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong)]


def pixels(data, byte_order, bits_per_pixel, bytes_per_line, box):
    """The pixel values of the box (x, y, width, height) in an image of rows of bytes_per_line
    that starts at the screen's corner; byte_order 0 is least significant first."""
    x, y, width, height = box
    size = bits_per_pixel // 8
    if size not in (3, 4):
        raise Failure(f"an image of {bits_per_pixel} bits per pixel")
    order = "little" if byte_order == 0 else "big"
    rows = []
    for row in range(y, y + height):
        start = row * bytes_per_line + x * size
        line = data[start:start + width * size]
        rows.append([int.from_bytes(line[i:i + size], order) for i in range(0, len(line), size)])
    return rows


def server_pixels(display, box):
    """The box as the X server holds it: one image of the root window."""
    x, y, width, height = box
    address = x11.XGetImage(display, x11.XDefaultRootWindow(display), x, y, width, height, 0xFFFFFFFF, Z_PIXMAP)
    if not address:
        raise Failure(f"no image of the screen at {box}")
    image = XImage.from_address(address)
    data = ctypes.string_at(image.data, image.bytes_per_line * height)
    mask = image.red_mask | image.green_mask | image.blue_mask
    rows = pixels(data, image.byte_order, image.bits_per_pixel, image.bytes_per_line, (0, 0, width, height))
    x11.XDestroyImage(address)
    return [[p & mask for p in row] for row in rows], mask


def xwd_pixels(box):
    """The box in what `xwd -root` writes: a big-endian header, the colours, then the pixels."""
    dump = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, check=True).stdout
    (header_size, _, _, _, _, _, _, byte_order, _, _, _, bits_per_pixel, bytes_per_line, _, _, _, _, _, _,
     colours) = struct.unpack(">20I", dump[:80])
    return pixels(dump[header_size + colours * 12:], byte_order, bits_per_pixel, bytes_per_line, box)


class Screen:
    def __init__(self, program):
        self.program = program
        self.display = x11.XOpenDisplay(None)
        if not self.display:
            raise Failure("no X display")

    def compare(self, box):
        """(share of black pixels, share of pixels the same as the server's) of the box in xwd."""
        server, mask = server_pixels(self.display, box)
        read = xwd_pixels(box)
        count = box[2] * box[3]
        black = sum(1 for row in read for p in row if p & mask == 0)
        same = sum(1 for ours, theirs in zip(read, server) for a, b in zip(ours, theirs) if a & mask == b)
        return black / count, same / count

    def check(self, what, box):
        """Fails unless the box shows its window in xwd within the time a busy program takes to paint."""
        self.program.step = what
        self.program.check()
        shares = [1.0, 0.0]

        def shown():
            shares[:] = self.compare(box)
            return shares[0] < MOST_BLACK and shares[1] >= LEAST_SAME
        try:
            wait_for(shown, what, 30)
        except Failure as failure:
            raise Failure(f"{what} at {box}: xwd -root reads {shares[0]:.0%} of it black and "
                          f"{shares[1]:.0%} of it as the X server holds it ({failure})") from None
        print(f"{what} at {box}: {shares[0]:.0%} black, {shares[1]:.0%} as the server holds it", flush=True)

    def dialog(self, title):
        """The extents of the open dialog named title (a box's title is the program's name)."""
        found = wait_for(lambda: [d for d in self.program.dialogs() if d.name == title and d.center()],
                         f"the dialog {title}", 60)
        return found[-1].extents()


def help_window():
    listed = subprocess.run([WINDOW_TOOL, "geometry", HELP_TITLE], capture_output=True, text=True, check=False)
    return tuple(int(v) for v in listed.stdout.split()) if listed.returncode == 0 else None


def steps(program):
    screen = Screen(program)
    program.start()
    screen.check("the first run's box", screen.dialog("Tavrolin"))
    program.step = "the first run"

    def sheet_shown():
        """Answers the boxes before the sheet as a new user does."""
        boxes = program.dialogs()
        if any(d.name == "Preferences" for d in boxes):
            return True
        button = program.button(boxes[-1], OK_ANSWERS) if boxes else None
        if button:
            xtest.click(*button.center())
        program.check()
        return False
    wait_for(sheet_shown, "the Preferences sheet after the first run's boxes", 120)
    screen.check("the Preferences sheet", screen.dialog("Preferences"))
    program.answer_dialogs(OK_ANSWERS)
    program.close_help_windows()
    program.step = "Help/Topics"
    if not program.invoke_menu("Help", "Topics..."):
        raise Failure("Help/Topics is not there")
    screen.check("the Help window", wait_for(help_window, "the Help window"))
    program.step = "File/Exit"
    return program.exit(DISCARD_ANSWERS)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    program = Program(sys.argv[1])
    code = run(program, lambda: steps(program))
    sys.exit(0 if code == 0 else 1)


main()
