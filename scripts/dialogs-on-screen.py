#!/usr/bin/python3
"""Reads the screen as `xwd -root` does, through the window hierarchy and the windows' colormaps,
while the first run's box, the Preferences sheet that follows it and the Help window (Help/Topics)
are open. Each window's area there must show what the X server holds for it, as a monitor does: not
black, the same pixels as a plain read of the root window's image. Run it through
scripts/ui-sweep.sh:

  ui-sweep.sh PROGRAM dialogs-on-screen.py
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from screen_pixels import xwd_rgb  # noqa: E402
from ui_program import WINDOW_TOOL, Failure, drive, wait_for  # noqa: E402

HELP_TITLE = "Tavrolin Help"
# A window mostly black on the screen is a window that never got there.
MOST_BLACK = 0.5
# What may differ between the two reads: a caret that blinks, a control that repaints meanwhile.
LEAST_SAME = 0.98


def server_rgb(box):
    """The box's pixels as the X server holds them (one image of the root window), r, g, b each."""
    return subprocess.run([WINDOW_TOOL, "rgb", *(str(v) for v in box)], capture_output=True, check=True).stdout


class Screen:
    def __init__(self, program):
        self.program = program

    @staticmethod
    def compare(box):
        """(share of black pixels, share of pixels as the X server holds them) of the box in xwd."""
        server, read = server_rgb(box), xwd_rgb(box)
        ours = [read[i:i + 3] for i in range(0, len(read), 3)]
        theirs = [server[i:i + 3] for i in range(0, len(server), 3)]
        count = box[2] * box[3]
        if len(ours) != count or len(theirs) != count:
            raise Failure(f"{len(ours)} pixels from xwd, {len(theirs)} from the server for {count} at {box}")
        black = sum(1 for pixel in ours if pixel == b"\0\0\0")
        same = sum(1 for a, b in zip(ours, theirs) if a == b)
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
    program.answer_boxes(lambda: any(d.name == "Preferences" for d in program.dialogs()),
                 "the Preferences sheet after the first run's boxes")
    screen.check("the Preferences sheet", screen.dialog("Preferences"))
    program.step = "the first run's end"
    program.answer_boxes(lambda: not program.dialogs(), "the first run's end")
    program.close_help_windows()
    program.step = "Help/Topics"
    if not program.invoke_menu("Help", "Topics..."):
        raise Failure("Help/Topics is not there")
    screen.check("the Help window", wait_for(help_window, "the Help window"))
    return program.exit_discarding()


if __name__ == "__main__":
    drive(__doc__, steps)
