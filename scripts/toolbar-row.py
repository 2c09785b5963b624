#!/usr/bin/python3
"""Hides the Beginner toolbar on the first run (Ctrl+Alt+B), which docks Main and Interactive in
the top row: Interactive must sit right after Main, with every button shown (none behind the
bar's "»"), then again after View/Reset All and after hiding and showing Interactive from the View
menu. Run it through scripts/ui-sweep.sh on a screen of 1920x1080:

  TAVROLIN_SWEEP_SCREEN=1920x1080 ui-sweep.sh PROGRAM toolbar-row.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ui_program import Failure, drive, toolbar_faults, wait_for  # noqa: E402

# The buttons of each bar (its separators aside).
BUTTONS = {"Main Toolbar": 13, "Interactive Toolbar": 13}


class Row:
    def __init__(self, program):
        self.program = program

    def check(self, what):
        program = self.program
        program.step = what
        program.check()

        def laid_out():
            bars = program.docked_toolbars(BUTTONS)
            return bars if bars and not toolbar_faults(bars, BUTTONS, list(BUTTONS)) else None
        try:
            wait_for(laid_out, what, 5)
        except Failure:
            bars = program.docked_toolbars(BUTTONS)
            raise Failure(f"{what}: {toolbar_faults(bars, BUTTONS, list(BUTTONS)) if bars else 'a bar is hidden'}; "
                          f"the docked bars (extents, tips of the buttons shown, their right edge) are {bars}")

    def steps(self):
        program = self.program
        program.start()
        program.answer_first_run()
        program.step = "Ctrl+Alt+B"
        program.toggle_toolbar("ctrl+alt+b", "Beginner Toolbar", False)
        self.check("Ctrl+Alt+B")
        for names in (["Reset All"], ["Interactive Toolbar", "Interactive Toolbar"]):
            for name in names:
                if not program.invoke_menu("View", name):
                    raise Failure(f"View/{name} is not there")
                program.check()
            self.check("View/" + " and View/".join(names))
        print("Interactive sits right after Main with all its buttons", flush=True)
        return program.exit_discarding()


def main():
    drive(__doc__, lambda program: Row(program).steps())


if __name__ == "__main__":
    main()
