#!/usr/bin/python3
"""Hides the Beginner toolbar on the first run (Ctrl+Alt+B), shows the File toolbar (Ctrl+Alt+F) and
ends; started again with the same home, the program reads those choices back and must lay the bars
out as View/Reset All does: File, Main and, on a screen 800 pixels wide or more, Interactive follow
each other in the top row (on a narrower one Interactive stands on the right), every bar showing all
its buttons (none behind its "»"). Run it through scripts/ui-sweep.sh on a screen of 1920x1080 and
on one narrower than 800 pixels:

  TAVROLIN_SWEEP_SCREEN=760x600 ui-sweep.sh PROGRAM toolbar-restart.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xtest  # noqa: E402
from ui_program import Failure, drive, toolbar_faults, wait_for  # noqa: E402

# The buttons of each bar (its separators aside).
BUTTONS = {"File Toolbar": 6, "Main Toolbar": 13, "Interactive Toolbar": 13, "Advanced Toolbar": 12}
# Below this screen width Interactive leaves the top row.
NARROW = 800
# How far a bar may lie from where Reset All puts it.
SLACK = 2


def laid_out(program, row):
    bars = program.docked_toolbars(BUTTONS)
    return bars if bars and not toolbar_faults(bars, BUTTONS, row) else None


def same_places(bars, before):
    return all(abs(a - b) <= SLACK for name in BUTTONS for a, b in zip(bars[name][0], before[name][0]))


def steps(program):
    program.start()
    program.finish_first_run()
    program.step = "Ctrl+Alt+B and Ctrl+Alt+F"
    program.toggle_toolbar("ctrl+alt+b", "Beginner Toolbar", False)
    program.toggle_toolbar("ctrl+alt+f", "File Toolbar", True)
    code = program.exit_discarding()
    if code != 0:
        raise Failure(f"the first run ended with {code}")

    program.start()
    program.step = "the restart"
    program.check()
    width = xtest.screen_width()
    row = ["File Toolbar", "Main Toolbar"] + (["Interactive Toolbar"] if width >= NARROW else [])
    try:
        restarted = wait_for(lambda: laid_out(program, row), "the bars to be laid out", 10)
    except Failure:
        bars = program.docked_toolbars(BUTTONS)
        raise Failure(f"after the restart on a screen {width} pixels wide: {toolbar_faults(bars, BUTTONS, row) if bars else 'a bar is hidden'}; "
                      f"the docked bars (extents, tips of the buttons shown, their right edge) are {bars}")
    if program.toolbar_shown("Beginner Toolbar"):
        raise Failure("the Beginner toolbar shows again after the restart")
    program.step = "View/Reset All"
    if not program.invoke_menu("View", "Reset All"):
        raise Failure("View/Reset All is not there")
    program.check()
    try:
        wait_for(lambda: (lambda bars: bars and same_places(bars, restarted))(program.docked_toolbars(BUTTONS)),
                 "Reset All to leave the bars where they are", 5)
    except Failure:
        raise Failure(f"on a screen {width} pixels wide View/Reset All moves the bars from {restarted} to {program.docked_toolbars(BUTTONS)}")
    print(f"After the restart on a screen {width} pixels wide {', '.join(row)} follow each other in the top row, every bar showing all its "
          "buttons, where Reset All puts them", flush=True)
    return program.exit_discarding()


def main():
    drive(__doc__, steps)


if __name__ == "__main__":
    main()
