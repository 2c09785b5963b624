#!/usr/bin/python3
"""Moves the Beginner toolbar with the mouse as a user does, under a window manager: floated by
View/Float All, it is a small window of its own whose caption shows its title on the screen (as
`xwd -root` reads it); dragged by its caption or by its edge it moves whole, and stays on the screen
when dragged past its edge; a double-click docks it; a double-click on the docked bar floats it
again; dragged onto the left side of the main window it docks there, and dragged from there into
the work area it floats where it is let go. Run it through scripts/ui-sweep.sh on a screen of
1920x1080:

  TAVROLIN_SWEEP_SCREEN=1920x1080 ui-sweep.sh PROGRAM toolbar-drags.py
"""
import collections
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xtest  # noqa: E402
from screen_pixels import xwd_rgb  # noqa: E402
from ui_program import WINDOW_TOOL, Failure, drive, wait_for  # noqa: E402

TITLE = "Beginner Toolbar"
# A caption is at least this many rows of one colour, and its title at least this wide.
CAPTION_ROWS, TITLE_WIDTH = 8, 40
# How far a moved window may be from where the mouse put it (the drag threshold aside).
SLACK = 3


def window_tool(*arguments):
    return subprocess.run([WINDOW_TOOL, *(str(a) for a in arguments)], capture_output=True, text=True, check=False)


def own_window():
    """x, y, width, height of the bar's own window on the screen; None while it has none (docked)."""
    shown = window_tool("shown", TITLE)
    return tuple(int(v) for v in shown.stdout.split()) if shown.returncode == 0 else None


def dominant(row):
    return collections.Counter(row).most_common(1)[0][0]


def screen_size():
    return xtest.x11.XDisplayWidth(xtest.display(), 0), xtest.x11.XDisplayHeight(xtest.display(), 0)


class Drags:
    def __init__(self, program):
        self.program = program
        self.caption_height = 0

    def step(self, what):
        self.program.step = what
        self.program.check()

    def bar(self):
        """The bar as the main window holds it (its extents), or None."""
        for owner in self.program.main_frame().children():
            if owner.name == TITLE and owner.center():
                return owner.extents()
        return None

    def wait_floating(self, what):
        return wait_for(own_window, f"{what}: the {TITLE} to float in a window of its own", 10)

    def wait_docked(self, what):
        wait_for(lambda: own_window() is None and self.bar(), f"{what}: the {TITLE} to dock", 10)
        return self.bar()

    def check_on_screen(self, box):
        width, height = screen_size()
        x, y, w, h = box
        if x < 0 or y < 0 or x + w > width or y + h > height:
            raise Failure(f"{self.program.step}: the floating bar {box} leaves the screen {width}x{height}")

    @staticmethod
    def caption_rows(box):
        """How many top rows of the window make a caption (rows of one colour that the bar's body
        does not have, with the title drawn across them), or 0; the body's colour; the top rows."""
        x, y, w, h = box
        rgb = xwd_rgb(box)
        rows = [[rgb[(r * w + c) * 3:(r * w + c) * 3 + 3] for c in range(w)] for r in range(h)]
        body = dominant(rows[-3])
        for top in range(min(4, h)):  # below a frame of a row or two
            colour = dominant(rows[top])
            end = top
            while end < h and dominant(rows[end]) == colour:
                end += 1
            written = [c for r in rows[top:end] for c, pixel in enumerate(r) if pixel != colour]
            if colour != body and end - top >= CAPTION_ROWS and written and max(written) - min(written) >= TITLE_WIDTH:
                return end, body, rows
        return 0, body, rows

    def check_caption(self, box):
        """The window shows a caption with the bar's title; a window just shown may not be drawn yet."""
        seen = []

        def drawn():
            seen[:] = self.caption_rows(box)
            return seen[0]

        try:
            self.caption_height = wait_for(drawn, "a caption", 5)
        except Failure:
            _, body, rows = seen
            raise Failure(f"{self.program.step}: the floating bar {box} shows no caption with its title over "
                          f"its body of {body.hex()}; its top rows: {[dominant(r).hex() for r in rows[:12]]}") from None

    def drag(self, what, start, by, expect):
        """Drags from `start` by `by`; the window must then lie at `expect` with its size kept."""
        before = own_window()
        self.step(what)
        xtest.drag(*start, start[0] + by[0], start[1] + by[1])
        self.program.settle()

        def there():
            now = own_window()
            return now if now and abs(now[0] - expect[0]) <= SLACK and abs(now[1] - expect[1]) <= SLACK else None
        try:
            after = wait_for(there, what, 5)
        except Failure:
            raise Failure(f"{what}: the floating bar went from {before} to {own_window()}, not to {expect}")
        if after[2:] != before[2:]:
            raise Failure(f"{what}: the floating bar changed its size from {before} to {after}")
        self.check_on_screen(after)
        return after

    def steps(self):
        program = self.program
        program.start()
        program.answer_first_run()
        program.show_toolbars(beginner=True)
        self.step("View/Float All")
        if not program.invoke_menu("View", "Float All"):
            raise Failure("View/Float All is not there")
        box = self.wait_floating("View/Float All")
        self.check_on_screen(box)
        self.check_caption(box)
        middle = self.caption_height // 2
        x, y, w, h = box
        box = self.drag("dragging the caption", (x + w // 2, y + middle), (150, 260), (x + 150, y + 260))
        x, y, w, h = box
        box = self.drag("dragging the left edge", (x + 1, y + h // 2), (90, -60), (x + 90, y - 60))
        x, y, w, h = box
        width, _ = screen_size()
        # Let go inside the work area, away from the main window's right side (where it would dock).
        box = self.drag("dragging past the screen's right edge", (x + 10, y + middle), (width - 110 - x, 0),
                        (width - w, y))
        self.check_caption(box)
        x, y, w, h = box

        self.step("double-clicking the caption")
        xtest.click(x + w // 2, y + middle)
        xtest.click(x + w // 2, y + middle)
        bx, by, bw, bh = self.wait_docked("double-clicking the caption")

        self.step("double-clicking the docked bar's grip")
        xtest.click(bx + 2, by + bh // 2)
        xtest.click(bx + 2, by + bh // 2)
        x, y, w, h = self.wait_floating("double-clicking the docked bar's grip")

        frame = program.main_frame().extents()
        self.step("dragging the caption onto the main window's left side")
        target = (frame[0] + 4, frame[1] + frame[3] // 2)
        xtest.drag(x + 8, y + middle, *target)
        bx, by, bw, bh = self.wait_docked("dragging onto the left side")
        if bx > frame[0] + SLACK or bh <= bw:
            raise Failure(f"{program.step}: the bar docked at {(bx, by, bw, bh)}, not upright on the left of {frame}")

        self.step("dragging the docked bar into the work area")
        drop = (frame[0] + frame[2] // 2, frame[1] + frame[3] // 2)
        xtest.drag(bx + bw // 2, by + 2, *drop)
        x, y, w, h = self.wait_floating("dragging the docked bar into the work area")
        if not (x <= drop[0] < x + w and y <= drop[1] < y + h):
            raise Failure(f"{program.step}: the bar floats at {(x, y, w, h)}, away from where it was let go {drop}")
        self.check_caption((x, y, w, h))
        print("the floating Beginner toolbar shows its caption, moves, stays on the screen and docks", flush=True)
        return program.exit_discarding()


def main():
    drive(__doc__, lambda program: Drags(program).steps())


if __name__ == "__main__":
    main()
