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
import xtest  # noqa: E402
from ui_access import BUTTON_ROLES, Atspi  # noqa: E402
from ui_program import DISCARD_ANSWERS, Failure, drive, wait_for  # noqa: E402

# The buttons of each bar (its separators aside).
BUTTONS = {"Main Toolbar": 13, "Interactive Toolbar": 13}
# From the last button of a bar to the next bar in the row: the bar's margin, the splitter between
# the two and the next bar's grip at most.
GAP = 16


class Row:
    def __init__(self, program):
        self.program = program

    def bars(self):
        """Each docked bar of BUTTONS: its extents, the tips of the buttons it shows (the "»" that
        lists the buttons it has no room for has none) and the right edge of its last button."""
        found = {}
        for owner in self.program.main_frame().children():
            if owner.name in BUTTONS and owner.center():
                shown = [b for bar in owner.children() if bar.role == "tool bar"
                         for b in bar.children() if b.role in BUTTON_ROLES and b.has(Atspi.StateType.SHOWING)]
                tips = [b.accessible.get_description() or "" for b in shown]
                right = max((x + w for (x, _, w, _), tip in zip((b.extents() for b in shown), tips) if tip), default=0)
                found[owner.name] = (owner.extents(), tips, right)
        return found if len(found) == len(BUTTONS) else None

    def beginner_shown(self):
        return any(owner.name == "Beginner Toolbar" and owner.center() for owner in self.program.main_frame().children())

    def check(self, what):
        program = self.program
        program.step = what
        program.check()

        def laid_out():
            bars = self.bars()
            if not bars:
                return None
            (main, _, main_right), (interactive, _, _) = bars["Main Toolbar"], bars["Interactive Toolbar"]
            after = interactive[0] >= main[0] + main[2] and interactive[0] - main_right <= GAP and \
                abs(interactive[1] - main[1]) <= 2
            every = all(len([tip for tip in bars[name][1] if tip]) == count for name, count in BUTTONS.items())
            return bars if after and every else None
        try:
            wait_for(laid_out, what, 5)
        except Failure:
            raise Failure(f"{what}: the docked bars (extents, tips of the buttons shown, their right edge) are "
                          f"{self.bars()}; Interactive must follow Main's buttons within {GAP} px in the same row, "
                          f"each bar showing all its buttons {BUTTONS}")

    def steps(self):
        program = self.program
        program.start()
        program.answer_first_run()
        program.step = "Ctrl+Alt+B"
        # The keys go to the active window: the main window, once a click on its work area (away
        # from the 3D Objects window) has made it so. A key lost to a box on its way out is pressed again.
        x, y, w, h = program.main_frame().extents()
        for _ in range(3):
            xtest.click(x + w - 40, y + h - 80)
            xtest.key("ctrl+alt+b")
            program.check()
            try:
                wait_for(lambda: not self.beginner_shown(), "the Beginner toolbar to hide", 5)
                break
            except Failure:
                pass
        self.check("Ctrl+Alt+B")
        for names in (["Reset All"], ["Interactive Toolbar", "Interactive Toolbar"]):
            for name in names:
                if not program.invoke_menu("View", name):
                    raise Failure(f"View/{name} is not there")
                program.check()
            self.check("View/" + " and View/".join(names))
        print("Interactive sits right after Main with all its buttons", flush=True)
        program.step = "File/Exit"
        return program.exit(DISCARD_ANSWERS)


def main():
    drive(__doc__, lambda program: Row(program).steps())


if __name__ == "__main__":
    main()
