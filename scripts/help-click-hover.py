#!/usr/bin/python3
"""The pointer after a help click, under a window manager: once Shift+F1 and a click on the Move
Object toolbar button have opened that button's help, the pointer moved back over the Camera window
of a tutorial scene in Size Object mode, which refuses while no object is selected, shows the cursor
the X server showed there before (the arrow with the prohibition sign), not the toolbar's arrow, and
a toolbar button the pointer then moves onto draws its hover frame. The pointer moves in small
steps, as a hand moves it. Run it through scripts/ui-sweep.sh:

  ui-sweep.sh PROGRAM help-click-hover.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xtest  # noqa: E402
from screen_pixels import xwd_rgb  # noqa: E402
from ui_program import Failure, drive, uncovered_point, wait_for  # noqa: E402
from x11_cursor import cursor_image  # noqa: E402

# The scene made beside the program, with objects in it.
TUTORIAL = "Tutorial1.tvr"
# The Move Object button's tip and the start of its prompt (string 33065), which its help page shows.
MOVE_OBJECT = "Move Object"
MOVE_OBJECT_PROMPT = "Move object(s) in horizontal and vertical directions of camera"
# How long the cursor and the hover frame may take to follow the pointer (the prompt and its cursor
# are refreshed five times a second).
FOLLOW = 5.0


def buttons(program):
    """The Move Object button and another enabled button of the toolbars."""
    shown = [button for _, _, button in program.toolbar_buttons() if button.enabled]
    move = next((b for b in shown if b.accessible.get_description() == MOVE_OBJECT), None)
    other = next((b for b in shown if b.accessible.get_description() != MOVE_OBJECT), None)
    if move is None or other is None:
        raise Failure(f"no enabled {MOVE_OBJECT} button and another beside it")
    return move, other


def hover_point(button):
    """A point low in the button: a tip that comes shows below the pointer, off the button's top half."""
    x, y, width, height = button.extents()
    return x + width // 2, y + height * 3 // 4


def top_half(button):
    x, y, width, height = button.extents()
    return xwd_rgb((x, y, width, height // 2))


def glide_onto(program, button):
    """Moves the pointer from where it is onto the button, which must draw its hover frame."""
    plain = top_half(button)
    xtest.move(*hover_point(button))
    program.check()
    try:
        wait_for(lambda: top_half(button) != plain, "the hover frame", FOLLOW)
    except Failure:
        raise Failure(f"{program.step}: the toolbar button under the pointer draws no hover frame") from None


def steps(program):
    program.start(os.path.join(os.path.dirname(program.path), TUTORIAL))
    program.finish_first_run()
    window = wait_for(lambda: next((w for w in program.scene_windows() if w.center()), None), "the scene window")
    program.step = "Select None and Size Object"
    # Size Object with nothing selected: the camera window refuses wherever the pointer is.
    if not program.invoke_menu("Edit", "Select None"):
        raise Failure("Edit/Select None is not there")
    program.check()
    xtest.key("ctrl+0")
    program.check()
    move, other = buttons(program)

    program.step = "the pointer over a toolbar button and over the camera window"
    xtest.move(*hover_point(move))
    program.check()
    arrow = cursor_image()
    xtest.move(*window.center())
    program.check()
    try:
        refusal = wait_for(lambda: next((seen for seen in [cursor_image()] if seen != arrow), None),
                           "the cursor of the refusing camera window", FOLLOW)
    except Failure:
        raise Failure(f"{program.step}: over the refusing camera window the cursor stays the arrow") from None
    glide_onto(program, other)

    program.step = "Shift+F1 and a click on the Move Object button"
    xtest.key("shift+F1")
    program.settle()
    xtest.move(*hover_point(move))
    program.settle()
    xtest.button(True)
    xtest.button(False)
    program.check()
    program.wait_for_help(MOVE_OBJECT_PROMPT, "the Move Object button's help")

    program.step = "the pointer back over the camera window after the help click"
    xtest.move(*uncovered_point(window))
    program.check()
    try:
        wait_for(lambda: cursor_image() == refusal, "the refusing cursor", FOLLOW)
    except Failure:
        shown = "the arrow" if cursor_image() == arrow else "another cursor"
        raise Failure(f"{program.step}: the cursor stays {shown}, not the one the window showed before") from None

    program.step = "the pointer onto a toolbar button after the help click"
    glide_onto(program, other)
    print("after the help click the camera window shows its own cursor and the button its hover frame", flush=True)

    program.close_help_windows()
    return program.exit_discarding()


if __name__ == "__main__":
    drive(__doc__, steps)
