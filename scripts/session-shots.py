#!/usr/bin/python3
"""Walks a first run as a new user does and saves the whole screen (xwd -root, as PNG) after each
step, for a person to look at: the first run's box, Main and Interactive docked once the Beginner
toolbar is hidden, View/Float All, the floating Interactive bar dragged by its caption and docked
again by a double-click, two scenes of which one is closed, a Shift+F1 help click in a camera
window, an object dropped into it, blurred and focused by dragging, Shift+F1 and a click on a menu
title with the help of the command then chosen, the Window menu opened by its title, Shift+F1 and
Ctrl+Z, and the toolbars after a restart with the same home. Run it through
scripts/ui-sweep.sh, with the folder for the pictures in TAVROLIN_SHOTS and a large screen:

  TAVROLIN_SHOTS=/tmp/shots TAVROLIN_SWEEP_SCREEN=1920x1080 ui-sweep.sh PROGRAM session-shots.py
"""
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xtest  # noqa: E402
from ui_program import DISCARD_ANSWERS, Failure, drive, wait_for  # noqa: E402

def bar(program, name):
    return next((owner for owner in program.main_frame().children() if owner.name == name and owner.center()), None)


def floating(name):
    found = subprocess.run([os.path.join(os.path.dirname(os.path.abspath(__file__)), "x11-window.py"), "shown", name],
                           capture_output=True, text=True)
    return found.returncode == 0 and found.stdout.strip()


def steps(program):
    os.environ.setdefault("TAVROLIN_SHOTS", ".")
    program.start()
    wait_for(program.dialogs, "the first run's box", 60)
    program.shot("1-first-run")
    program.finish_first_run()
    x, y, w, h = program.main_frame().extents()
    # The keys go to the main window once a click on its work area has made it active; a key lost
    # to a box on its way out is pressed again.
    program.step = "Ctrl+Alt+B"
    for _ in range(3):
        xtest.click(x + w - 40, y + h - 80)
        xtest.key("ctrl+alt+b")
        try:
            wait_for(lambda: bar(program, "Beginner Toolbar") is None, "the Beginner toolbar to hide", 5)
            break
        except Failure:
            pass
    program.shot("2-main-and-interactive-docked")

    program.step = "View/Float All"
    if not program.invoke_menu("View", "Float All"):
        raise Failure("View/Float All is not there")
    wait_for(lambda: floating("Interactive Toolbar"), "the Interactive toolbar to float", 10)
    program.shot("3-float-all")

    program.step = "dragging the floating Interactive bar by its caption"
    bx, by, _, _ = map(int, floating("Interactive Toolbar").split())
    xtest.drag(bx + 40, by + 6, x + w // 2, y + h // 2)
    program.shot("4-interactive-moved")
    program.step = "double-click on the floating Interactive bar"
    bx, by, _, _ = map(int, floating("Interactive Toolbar").split())
    xtest.click(bx + 40, by + 6)
    xtest.click(bx + 40, by + 6)
    wait_for(lambda: not floating("Interactive Toolbar"), "the Interactive toolbar to dock", 10)
    program.shot("5-interactive-docked")

    program.step = "two new scenes"
    for _ in range(2):
        xtest.key("ctrl+n")
        program.check()
    wait_for(lambda: len(program.scene_windows()) >= 2, "two scene windows", 20)
    program.shot("6-two-scenes")
    program.step = "File/Close"
    if not program.invoke_menu("File", "Close"):
        raise Failure("File/Close is not there")
    program.answer_dialogs(DISCARD_ANSWERS)
    program.shot("7-one-scene-closed")

    program.step = "Shift+F1 and a click in the camera window"
    xtest.key("shift+F1")
    cx, cy, cw, ch = program.scene_windows()[-1].extents()
    xtest.click(cx + cw // 2, cy + ch // 2)
    program.shot("8-help-on-a-camera-window")
    program.close_help_windows()

    program.step = "an object dropped into the camera window, blurred and focused by dragging"
    objects = program.objects_window()
    if objects is None:
        program.invoke_menu("Window", "3D Objects")
        objects = wait_for(program.objects_window, "the 3D Objects window")
    item = next(i for i in objects.descendants({"list item"}) if i.center())
    windows = program.scene_windows()
    camera = next((w for w in windows if w.name.startswith("Camera")), windows[0])
    cx, cy, cw, ch = camera.extents()
    xtest.move(*item.center())
    xtest.button(True)
    xtest.move(cx + cw // 2, cy + ch // 2)
    program.shot("9-object-held-over-the-camera-window")
    xtest.button(False)
    program.answer_dialogs(DISCARD_ANSWERS)
    for entry, by in (("Adjust Blurriness", -ch // 3), ("Focus Camera", ch // 3)):
        if not program.invoke_menu("Interactive", entry):
            raise Failure(f"Interactive/{entry} is not there")
        xtest.drag(cx + cw // 2, cy + ch // 2, cx + cw // 2 + 8, cy + ch // 2 + by)
    program.shot("10-blurred-and-focused")

    program.step = "Shift+F1 and a click on the Edit menu's title"
    program.help_click_on_title("Edit")
    xtest.key("Down")
    program.shot("11-edit-menu-in-help-mode")
    program.step = "the first entry of the Edit menu chosen in help mode"
    xtest.key("Return")
    wait_for(program.help_on_screen, "the Help window on the screen")
    program.shot("12-help-on-a-menu-command")
    program.close_help_windows()

    program.step = "a click on the Window menu's title"
    title = next(t for t in program.menu_titles() if t.name == "Window")
    xtest.click(*title.center())
    program.check()
    program.shot("13-window-menu-open")
    xtest.key("Escape")
    program.step = "the 3D Objects window hidden by Ctrl+J, then the Window menu"
    program.activate_scene_window()
    program.check()
    xtest.key("ctrl+j")
    program.check()
    wait_for(lambda: program.objects_window() is None, "Ctrl+J to hide the 3D Objects window", 10)
    xtest.click(*title.center())
    program.shot("14-window-menu-without-3d-objects")
    xtest.key("Escape")
    program.check()
    xtest.key("ctrl+j")
    program.check()
    program.step = "Shift+F1 and Ctrl+Z"
    program.begin_help_mode()
    xtest.key("ctrl+z")
    wait_for(program.help_on_screen, "the Help window on the screen")
    program.shot("15-help-on-a-commands-key")
    program.close_help_windows()

    code = program.exit_discarding()
    if code != 0:
        raise Failure(f"the first run ended with {code}")
    program.step = "a restart with the same home"
    program.start()
    program.check()
    program.shot("16-toolbars-after-a-restart")
    return program.exit_discarding()


if __name__ == "__main__":
    drive(__doc__, steps)
