#!/usr/bin/python3
"""The Main toolbar dragged by its grip over a camera window, as a hand drags it, ten times: while the
button is held, the bar or an outline of it follows the pointer on the screen (as the X window tree
shows it) and the prompt line (as the accessibility tree reads it) keeps the bar's prompt; let go
there, the bar floats and each of its buttons gives the prompt it gave on the docked bar; a
double-click on its caption docks it again. Run it through scripts/ui-sweep.sh:

  ui-sweep.sh PROGRAM toolbar-grip-drag.py
"""
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import screen_pixels  # noqa: E402
import xtest  # noqa: E402
from ui_access import BUTTON_ROLES  # noqa: E402
from ui_program import WINDOW_TOOL, Failure, drive, wait_for  # noqa: E402

TITLE = "Main Toolbar"
ROUNDS = 10
# The bar's own prompts, docked and floating (strings 40201 and 40202).
MOVE_PROMPT = "Press and drag the mouse to move the Toolbar.  Or, double click the mouse to "
DOCKED_PROMPT = MOVE_PROMPT + "float the Toolbar into a small window"
FLOATING_PROMPT = MOVE_PROMPT + "dock the Toolbar on to a side of the Tavrolin main window"
# A hand's step, in pixels; how far a window may be from where the pointer's move puts it.
STEP, SLACK = 4, 2
# How long a prompt may take to come: the status line is refreshed five times a second.
PROMPT_WAIT = 3


def glide(start, end):
    """Moves the pointer from start to end in steps of a hand's size."""
    count = max(1, max(abs(end[0] - start[0]), abs(end[1] - start[1])) // STEP)
    for i in range(1, count + 1):
        xtest.move(start[0] + (end[0] - start[0]) * i // count, start[1] + (end[1] - start[1]) * i // count)
        time.sleep(xtest.DRAG_PAUSE)


def top_windows():
    """(x, y, width, height) of each shown top-level window smaller than the screen."""
    width, height = xtest.screen_width(), xtest.x11.XDisplayHeight(xtest.display(), 0)
    listed = subprocess.run([WINDOW_TOOL, "over", "0", "0", str(width), str(height)], capture_output=True,
                            text=True, check=True).stdout
    return [tuple(int(v) for v in line.split()[1:5]) for line in listed.splitlines()]


def own_window(title):
    shown = subprocess.run([WINDOW_TOOL, "shown", title], capture_output=True, text=True, check=False)
    return tuple(int(v) for v in shown.stdout.split()) if shown.returncode == 0 else None


def holding(point):
    return [w for w in top_windows() if w[0] <= point[0] < w[0] + w[2] and w[1] <= point[1] < w[1] + w[3]]


class GripDrags:
    def __init__(self, program):
        self.program = program

    def step(self, what):
        self.program.step = what
        self.program.check()

    def prompt(self):
        """The prompt line's text (the status bar's first pane, after its size grip), or None while
        there is none."""
        bar = next((c for c in self.program.main_frame().children() if c.role == "status bar"), None)
        panes = [c for c in bar.children() if c.role == "filler"] if bar else []
        return panes[0].name if panes else None

    def steady_prompt(self, others):
        """Waits for a prompt none of `others` that the prompt line keeps over a few refreshes."""
        seen = []

        def steady():
            seen.append(self.prompt())
            return len(seen) >= 3 and seen[-1] == seen[-2] == seen[-3] and seen[-1] and seen[-1] not in others

        try:
            wait_for(lambda: time.sleep(0.15) or steady(), "", PROMPT_WAIT * 2)
        except Failure:
            raise Failure(f"{self.program.step}: the prompt line reads {seen[-3:]}, none of its own") from None

    def wait_prompt(self, expected, what):
        try:
            wait_for(lambda: self.prompt() == expected, what, PROMPT_WAIT)
        except Failure:
            raise Failure(f"{self.program.step}: the prompt line reads {self.prompt()!r}, not {expected!r}") from None

    def docked_bar(self):
        return next((o for o in self.program.main_frame().children()
                     if o.name == TITLE and self.program.shown(o)), None)

    def floating_bar(self):
        return next((top for top in self.program.app.children() if top.name == TITLE and top.center()), None)

    @staticmethod
    def buttons(owner):
        return [b for bar in owner.children() if bar.role == "tool bar"
                for b in bar.children() if b.role in BUTTON_ROLES and b.center()]

    def button_prompts(self, owner, expected, at, shift=(0, 0)):
        """Hovers each button of the bar from `at` on, `shift` away from where the program places it;
        the prompt each gives, by its tip. With `expected`, each must give the prompt it names for its
        tip."""
        prompts = {}
        for button in self.buttons(owner):
            tip = button.accessible.get_description() or ""
            self.step(f"hovering {tip!r} on the {TITLE}")
            centre = button.center()
            glide(at, (centre[0] + shift[0], centre[1] + shift[1]))
            at = (centre[0] + shift[0], centre[1] + shift[1])
            if expected is None:
                self.steady_prompt((DOCKED_PROMPT, FLOATING_PROMPT, *prompts.values()))
            else:
                self.wait_prompt(expected[tip], f"{tip}'s prompt")
            prompts[tip] = self.prompt()
        return prompts, at

    def drag_over(self, camera, round_, at):
        """Drags the docked bar by its grip to the middle of the camera window and lets it go there."""
        bx, by, bw, bh = self.docked_bar().extents()
        grip = (bx + 2, by + bh // 2)
        cx, cy, cw, ch = camera.extents()
        inside, end = (cx + cw // 3, cy + ch // 2), (cx + cw // 2, cy + ch // 2)
        self.step(f"round {round_}: pressing on the {TITLE}'s grip")
        glide(at, grip)
        xtest.button(True)
        glide(grip, inside)
        seen = []
        for point in (inside, end):
            if point is end:
                glide(inside, end)
            self.step(f"round {round_}: dragging the {TITLE} by its grip to {point} over the camera window")
            self.wait_prompt(DOCKED_PROMPT, "the bar's prompt during the drag")
            seen.append(holding(point))
            if round_ == 1:
                self.program.shot(f"toolbar-dragged-by-its-grip-{len(seen)}")
        moved = [(a, b) for a in seen[0] for b in seen[1] if b[2:] == a[2:] and b[:2] != a[:2] and
                 abs(b[0] - a[0] - (end[0] - inside[0])) <= SLACK and abs(b[1] - a[1] - (end[1] - inside[1])) <= SLACK]
        if not moved:
            raise Failure(f"{self.program.step}: nothing on the screen followed the pointer from {inside} to {end}: "
                          f"the windows there were {seen[0]} and {seen[1]}")
        # The outline is a frame: inside it the screen shows the empty camera window, as beside it.
        x, y, w, h = moved[0][1][:4]
        row = screen_pixels.xwd_rgb((x - 6, y + h // 2, w // 2 + 6, 1))
        if row[:3] != row[-3:]:
            raise Failure(f"{self.program.step}: inside the outline at {(x, y, w, h)} the screen shows "
                          f"{tuple(row[-3:])}, not the camera window's {tuple(row[:3])} beside it")
        xtest.button(False)
        self.step(f"round {round_}: letting the {TITLE} go over the camera window")
        return end

    def steps(self):
        program = self.program
        program.start()
        program.finish_first_run()
        program.show_toolbars(beginner=False)
        self.step("File/New")
        camera = program.new_scene()
        docked = wait_for(self.docked_bar, f"the docked {TITLE}")
        prompts, at = self.button_prompts(docked, None, xtest.pointer())
        if len(set(prompts.values())) != len(prompts):
            raise Failure(f"the docked {TITLE}'s buttons share prompts: {prompts}")
        for round_ in range(1, ROUNDS + 1):
            at = self.drag_over(camera, round_, at)
            floating = wait_for(self.floating_bar, f"round {round_}: the {TITLE} to float")
            # The buttons as the screen shows them: the bar's window as the X server has it.
            shown = wait_for(lambda: own_window(TITLE), f"round {round_}: the {TITLE}'s window on the screen")
            placed = floating.extents()
            _, at = self.button_prompts(floating, prompts, at, (shown[0] - placed[0], shown[1] - placed[1]))
            x, y, w, _ = shown
            self.step(f"round {round_}: double-clicking the floating {TITLE}'s caption")
            glide(at, (x + w // 2, y + 5))
            xtest.click(x + w // 2, y + 5)
            xtest.click(x + w // 2, y + 5)
            wait_for(lambda: self.floating_bar() is None and self.docked_bar(), f"round {round_}: the {TITLE} to dock", 10)
        print(f"the {TITLE} dragged by its grip showed where it went and kept its prompt, {ROUNDS} times", flush=True)
        return program.exit_discarding()


def main():
    drive(__doc__, lambda program: GripDrags(program).steps())


if __name__ == "__main__":
    main()
