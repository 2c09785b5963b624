#!/usr/bin/python3
"""Opens two scenes and closes one with File/Close, round after round, under a window manager: the
window of the scene left must be the active one at once, its scene named in the main window's title
(as the accessibility tree and the X window tree read it) and File/Close enabled, without a click
into it; every other round the 3D Objects window is clicked between the two scenes. Run it through
scripts/ui-sweep.sh:

  ui-sweep.sh PROGRAM scene-close-rounds.py
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xtest  # noqa: E402
from ui_program import DISCARD_ANSWERS, WINDOW_TOOL, Failure, clean, drive, wait_for  # noqa: E402

ROUNDS = 4


def file_close_enabled(program):
    popup = program.open_menu("File")
    entry = next((e for e in program.entries(popup) if clean(e.name) == "Close"), None)
    enabled = bool(entry and entry.enabled)
    program.close_menus()
    return enabled


def steps(program):
    program.start()
    program.finish_first_run()
    for round_ in range(ROUNDS):
        program.step = f"round {round_ + 1}: two new scenes"
        before = len(program.scene_windows())
        for made in range(2):
            if not program.invoke_menu("File", "New"):
                raise Failure("File/New is not there")
            program.settle()
            objects = program.objects_window()
            if made == 0 and round_ % 2 and objects:
                # The user picks in the 3D Objects window between the two scenes.
                x, y = objects.center()
                xtest.click(x, y)
                program.settle()
        wait_for(lambda: len(program.scene_windows()) == before + 2, "the two scene windows")
        scenes = {w.name.split(" : ")[0] for w in program.scene_windows()}
        closed = program.main_frame().name.split(" - ", 1)[-1]  # the active scene's
        program.step = f"round {round_ + 1}: File/Close of {closed}"
        if not program.invoke_menu("File", "Close"):
            raise Failure("File/Close is not enabled with two scenes open")
        program.answer_dialogs(DISCARD_ANSWERS)
        wait_for(lambda: len(program.scene_windows()) == before + 1, "the closed scene's window to go")
        program.check()
        title = program.main_frame().name
        left = scenes - {closed}
        if title.split(" - ", 1)[-1] not in left:
            raise Failure(f"after File/Close of {closed} the main window reads {title!r}, not the scene left {left}")
        # The X window tree names the main window so too.
        named = subprocess.run([WINDOW_TOOL, "mapped", title], capture_output=True, text=True, check=False)
        if named.returncode != 0:
            raise Failure(f"no mapped X window is named {title!r}")
        if not file_close_enabled(program):
            raise Failure(f"File/Close is greyed after closing one of two scenes; the title reads {title!r}")
        print(f"round {round_ + 1}: {title!r}, File/Close enabled", flush=True)
        program.step = f"round {round_ + 1}: closing the scene left"
        program.invoke_menu("File", "Close")
        program.answer_dialogs(DISCARD_ANSWERS)
        wait_for(lambda: len(program.scene_windows()) == before, "the scene left to close")
    return program.exit_discarding()


if __name__ == "__main__":
    drive(__doc__, steps)
