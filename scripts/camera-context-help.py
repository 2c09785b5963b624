#!/usr/bin/python3
"""Context help over a camera window under a window manager: after Shift+F1 a click in the window of
an empty scene opens the Help window (as the X window tree shows it) at the topic of the prompt the
window gives there, the one that tells where objects come from, whatever page the Help window showed
before (Help/Topics). Run it through scripts/ui-sweep.sh:

  ui-sweep.sh PROGRAM camera-context-help.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xtest  # noqa: E402
from ui_program import Failure, drive, uncovered_point, wait_for  # noqa: E402

# The prompt of a camera window over an empty scene (string 40054).
EMPTY_SCENE_PROMPT = "Drag an object from the 3D Objects window."


def steps(program):
    program.start()
    program.finish_first_run()
    program.step = "File/New"
    window = program.new_scene()
    program.step = "Help/Topics"
    if not program.invoke_menu("Help", "Topics..."):
        raise Failure("Help/Topics is not there")
    wait_for(program.help_text, "the Help window's contents")
    before = program.help_text()
    if EMPTY_SCENE_PROMPT in before:
        raise Failure(f"the contents already read {before!r}")
    program.step = "Shift+F1 and a click in the camera window"
    program.open_menu("File")  # back to the main window, whose menus take the keyboard
    program.close_menus()
    xtest.key("shift+F1")
    program.settle()
    xtest.click(*uncovered_point(window))
    program.settle()
    program.check()
    read = program.wait_for_help(EMPTY_SCENE_PROMPT, "the topic of the click")
    if program.dialogs():
        raise Failure(f"the help click was carried out as a press: {[d.text() for d in program.dialogs()]}")
    print("the Help window reads the camera window's prompt:", read.replace("\n", " | "), flush=True)
    program.close_help_windows()
    return program.exit_discarding()


if __name__ == "__main__":
    drive(__doc__, steps)
