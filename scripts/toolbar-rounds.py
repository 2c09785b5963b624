#!/usr/bin/python3
"""Floats and docks the four toolbars again and again as a user does, under a window manager:
View/Float All and View/Reset All, then each toolbar's entry in the View menu twice (it hides the
bar and shows it again, laying out the docked bars anew). After each step the docked toolbars
must stay inside the main window: no window but the main window lies over its menu bar, no
docked toolbar has a window of its own on the X server (one the window manager could take over
when the bar floats and leave on the screen when it docks), and the menus still open. Run it
through scripts/ui-sweep.sh:

  ui-sweep.sh PROGRAM toolbar-rounds.py
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from ui_program import WINDOW_TOOL, Failure, drive  # noqa: E402

# The race with the window manager was lost in about half the rounds.
ROUNDS = 4
TOOLBARS = ("Main Toolbar", "Interactive Toolbar", "Advanced Toolbar", "File Toolbar")
MENUS = ("File", "Edit", "View")


def window_tool(*arguments):
    return subprocess.run([WINDOW_TOOL, *arguments], capture_output=True, text=True, check=False)


class Rounds:
    def __init__(self, program):
        self.program = program
        self.menu_bar = None

    def check_docked(self):
        program = self.program
        own = window_tool("mapped", "Toolbar")
        if own.returncode == 0:
            raise Failure(f"{program.step}: a docked toolbar is the X window {own.stdout.strip()} of its own")
        over = window_tool("over", *(str(v) for v in self.menu_bar)).stdout.strip()
        if over:
            raise Failure(f"{program.step}: windows over the menu bar {self.menu_bar}: {over}")

    def invoke(self, round_, name, docked=True):
        program = self.program
        program.step = f"round {round_}: View/{name}"
        if not program.invoke_menu("View", name):
            raise Failure(f"{program.step} is not there")
        program.check()
        if docked:
            self.check_docked()
        for title in MENUS:
            program.open_menu(title)
            program.close_menus()

    def steps(self):
        program = self.program
        program.start()
        program.answer_first_run()
        program.show_toolbars(beginner=False)
        bar = next(c for c in program.main_frame().children() if c.role == "menu bar")
        self.menu_bar = bar.extents()
        for round_ in range(1, ROUNDS + 1):
            self.invoke(round_, "Float All", docked=False)
            self.invoke(round_, "Reset All")
            for toolbar in TOOLBARS:
                self.invoke(round_, toolbar)
                self.invoke(round_, toolbar)
        print(f"{ROUNDS} rounds: the toolbars stayed docked inside the main window", flush=True)
        return program.exit_discarding()


def main():
    drive(__doc__, lambda program: Rounds(program).steps())


if __name__ == "__main__":
    main()
