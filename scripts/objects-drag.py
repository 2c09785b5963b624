#!/usr/bin/python3
"""An object dragged with the mouse from the 3D Objects window under a window manager without a
compositor, as the X server shows it. Held over an empty part of the list, the drag image shows the
thumbnail's silhouette with the list's own pixels around it (as `xwd -root` reads the screen); there
and over the toolbar the status line reads "Drag a 3D object ..." on red and the cursor is the
no-drop arrow; held over a camera window it reads "Drop the 3D object ..." unhighlighted, with the
arrow the program shows outside a drag; let go there, the object is imported into that window's
scene. Run it through scripts/ui-sweep.sh:

  ui-sweep.sh PROGRAM objects-drag.py

The cursors are told apart by their pictures (XFixes): the arrow is the one the X server shows over
the list before the drag, when the program asks for its arrow; the no-drop cursor is the program's
cursor 104, as its cursor table draws it.
"""
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import x11_cursor  # noqa: E402
import xtest  # noqa: E402
from screen_pixels import xwd_rgb  # noqa: E402
from ui_program import WINDOW_TOOL, Failure, clean, drive, wait_for  # noqa: E402

# Strings 40225 and 40226.
DRAG_PROMPT = "Drag a 3D object and drop it on a camera window, and then it will appear in the scene."
DROP_PROMPT = "Drop the 3D object on that camera window and it will appear in the scene"
OBJECT = "Cube"
NO_DROP_CURSOR = 104
# The prompt's red highlight, and how many of its pixels make one behind a line of text.
RED, HIGHLIGHT_PIXELS = (255, 0, 0), 100
THUMBNAIL = 48
# A small move, past the distance that starts a drag when taken twice.
NUDGE = 8
# How long the prompt and the cursor may take to follow the pointer: the status line asks five times
# a second, but a busy program answers late.
PATIENCE = 30.0


def program_cursor(number):
    """The program's cursor `number` as its cursor table draws it."""
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "resources", "CursorTable.cpp")
    with open(path, encoding="utf-8") as table:
        source = table.read()
    entry = re.search(r"\{%d, \{(\d+), (\d+)\}, (\w+)\}" % number, source)
    picture = entry and re.search(r"\b%s\[\] = \{(.*?)\};" % entry.group(3), source, re.S)
    if not picture:
        raise Failure(f"{path} draws no cursor {number}")
    return x11_cursor.xpm_digest(re.findall(r'"([^"]*)"', picture.group(1)), (int(entry.group(1)), int(entry.group(2))))


def box_rgb(box):
    x, y, width, height = box
    data = xwd_rgb(box)
    return [[tuple(data[(row * width + col) * 3:(row * width + col) * 3 + 3]) for col in range(width)]
            for row in range(height)]


class Drag:
    def __init__(self, program):
        self.program = program
        self.arrow = None
        self.no_drop = program_cursor(NO_DROP_CURSOR)

    def prompt_pane(self):
        """The status line's prompt pane: the leftmost pane the status bar shows."""
        bar = next((c for c in self.program.main_frame().children() if c.role == "status bar"), None)
        panes = [] if bar is None else [p for p in bar.children() if p.role == "filler" and p.center()]
        if not panes:
            raise Failure(f"{self.program.step}: the main window shows no status line")
        return min(panes, key=lambda p: p.extents()[0])

    def seen(self):
        """(prompt text, whether it is on red, the cursor's name) as the screen shows them now."""
        pane = self.prompt_pane()
        pixels = xwd_rgb(pane.extents())
        red = sum(1 for at in range(0, len(pixels), 3) if tuple(pixels[at:at + 3]) == RED)
        cursor = x11_cursor.cursor_image()
        name = "arrow" if cursor == self.arrow else "no-drop" if cursor == self.no_drop else f"another cursor ({cursor[:8]})"
        return pane.name, red >= HIGHLIGHT_PIXELS, name

    def expect(self, where, prompt, highlighted, cursor):
        self.program.step = f"holding the drag over {where}"
        wanted = (prompt, highlighted, cursor)
        last = []

        def shown():
            last[:] = [self.seen()]
            return last[0] == wanted
        try:
            wait_for(shown, where, PATIENCE)
        except Failure:
            text, red, name = last[0]
            raise Failure(f"{self.program.step}: the status line reads {text!r}{' on red' if red else ''} and "
                          f"the cursor is {name}; wanted {prompt!r}{' on red' if highlighted else ''} and "
                          f"the {cursor}") from None
        print(f"over {where}: {prompt!r}{' on red' if highlighted else ''}, the {cursor} cursor", flush=True)

    def take_arrow(self, point):
        """The arrow as the X server shows it over the list while nothing is dragged (the program
        then asks for its arrow): once the status line reads the list's prompt, the same picture
        twice in a row."""
        self.program.step = "the arrow over the 3D Objects window"
        xtest.move(point[0] + NUDGE, point[1])
        pictures = []

        def steady():
            text, red, _ = self.seen()
            pictures.append(x11_cursor.cursor_image())
            return text == DRAG_PROMPT and not red and len(pictures) > 1 and pictures[-1] == pictures[-2]
        wait_for(steady, "the list's prompt and a steady cursor", PATIENCE)
        self.arrow = pictures[-1]
        if self.arrow == self.no_drop:
            raise Failure("outside a drag the list shows the no-drop cursor")


def drag_image_box(pointer):
    """x, y, width, height of the window on top at the pointer: the drag image."""
    found = subprocess.run([WINDOW_TOOL, "at", *map(str, pointer)], capture_output=True, text=True).stdout.split()
    box = tuple(int(v) for v in found[1:5]) if len(found) >= 5 else None
    if not box or box[2:] != (THUMBNAIL, THUMBNAIL):
        raise Failure(f"no {THUMBNAIL}x{THUMBNAIL} drag image at the pointer {pointer}: {found}")
    return box


def silhouette_faults(thumbnail, box, pointer, background):
    """How the drag image held over a flat part of the list differs from what the list shows for the
    object (the thumbnail's silhouette, and around it the list's own pixels), or "". The pixel under
    the pointer is the cursor's and is left out."""
    shown = box_rgb(box)
    wrong = []
    for row in range(THUMBNAIL):
        for col in range(THUMBNAIL):
            if (box[0] + col, box[1] + row) != pointer and shown[row][col] != thumbnail[row][col]:
                wrong.append((col, row, shown[row][col], thumbnail[row][col]))
    if not wrong:
        return ""
    col, row, got, want = wrong[0]
    return (f"the drag image held over the list differs from the {OBJECT} thumbnail there in {len(wrong)} pixels, "
            f"e.g. ({col}, {row}) is {got}, not {want} (the list shows {background} around the thumbnail)")


def check_silhouette(program, thumbnail, pointer, background):
    around = sum(row.count(background) for row in thumbnail)
    if around == 0:
        raise Failure(f"the {OBJECT} thumbnail fills its square, so its silhouette shows nothing")
    faults = []

    # A window just moved there may not have painted yet.
    def shown():
        faults[:] = [silhouette_faults(thumbnail, drag_image_box(pointer), pointer, background)]
        return not faults[0]
    try:
        wait_for(shown, "the drag image", 10)
    except Failure:
        raise Failure(f"{program.step}: {faults[0]}") from None
    print(f"the drag image shows the {OBJECT} thumbnail with the list's own pixels around it ({around} of them)",
          flush=True)


def undo_entry(program):
    popup = program.open_menu("Edit")
    name = clean(program.entries(popup)[0].name)
    program.close_menus()
    return name


def steps(program):
    program.start()
    program.finish_first_run()
    program.step = "File/New"
    camera = program.new_scene()
    objects = wait_for(program.objects_window, "the 3D Objects window")
    program.settle()
    items = [n for n in objects.descendants({"list item"}) if n.center()]
    item = next((n for n in items if n.name == OBJECT), None)
    if item is None:
        raise Failure(f"the 3D Objects window does not list {OBJECT}: {[n.name for n in items]}")
    drag = Drag(program)
    x, y, width, height = objects.extents()
    lowest = max(n.extents()[1] + n.extents()[3] for n in items)
    # An empty part of the list, so far below the last item that the drag image lies on the list alone.
    empty = (x + width // 2, (lowest + y + height) // 2)
    if y + height - empty[1] < 2 * THUMBNAIL:
        raise Failure(f"the 3D Objects window at {objects.extents()} has no empty room below its items")
    xtest.move(*empty)
    drag.take_arrow(empty)
    background = box_rgb((empty[0], empty[1], 1, 1))[0][0]
    # The item as the list shows it before the pointer comes near: the thumbnail on the list's pixels.
    ix, iy, iw, ih = item.extents()
    listed = box_rgb((ix, iy, iw, ih))

    # The press: on the thumbnail's middle, which is of the object, not of the list.
    press = (ix + iw // 2, iy + 4 + THUMBNAIL // 2)
    if listed[press[1] - iy][press[0] - ix] == background:
        raise Failure(f"the press point {press} of {OBJECT} shows the list's own colour {background}")
    program.step = f"pressing on {OBJECT}"
    xtest.move(*press)
    program.settle()
    xtest.button(True)
    # The drag begins once the pointer has gone a few pixels, with the image where the button went
    # down; the image follows the pointer from the next move on (a busy program may take the first
    # moves as one).
    xtest.move(press[0] + NUDGE, press[1] + NUDGE)
    program.settle()
    at = (press[0] + 2 * NUDGE, press[1] + 2 * NUDGE)
    xtest.move(*at)
    program.settle()
    box = drag_image_box(at)
    # The drag image keeps the pressed point of the thumbnail under the pointer.
    left, top = box[0] - at[0] + press[0] - ix, box[1] - at[1] + press[1] - iy
    if not (0 <= left <= iw - THUMBNAIL and 0 <= top <= ih - THUMBNAIL):
        raise Failure(f"the drag image at {box} for the pointer at {at} holds no part of {OBJECT} at {press}")
    thumbnail = [row[left:left + THUMBNAIL] for row in listed[top:top + THUMBNAIL]]

    at = empty
    xtest.move(*at)
    drag.expect("an empty part of the 3D Objects window", DRAG_PROMPT, True, "no-drop")
    program.step = "the drag image over the list"
    check_silhouette(program, thumbnail, at, background)

    bar = next((b for _, _, b in program.toolbar_buttons()), None)
    if bar is None:
        raise Failure("the main window shows no toolbar button")
    at = bar.center()
    xtest.move(*at)
    drag.expect("a toolbar button", DRAG_PROMPT, True, "no-drop")

    cx, cy, cw, ch = camera.extents()
    xtest.move(cx + cw // 2, cy + ch // 2)
    drag.expect(f"the camera window {camera.name!r}", DROP_PROMPT, False, "arrow")
    program.shot("object-held-over-a-camera-window")

    program.step = "letting go over the camera window"
    xtest.button(False)
    program.check()
    imported = f"Undo Import {OBJECT}"
    try:
        wait_for(lambda: undo_entry(program) == imported, f"Edit to offer {imported!r}", 15)
    except Failure:
        raise Failure(f"{program.step}: Edit offers {undo_entry(program)!r}, not {imported!r}") from None
    print(f"let go over the camera window, {OBJECT} is imported: Edit offers {imported!r}", flush=True)
    return program.exit_discarding()


if __name__ == "__main__":
    drive(__doc__, steps)
