#!/usr/bin/python3
"""Context help on the menus under a window manager: after Shift+F1 the first click on a menu title
opens the menu, and the command chosen from it, by the keys or by the mouse, turns the Help window
(as the X window tree shows it) to that command's topic without running it, as does a command's
shortcut key pressed in help mode. Esc closes a menu so opened and ends help mode: the next command
chosen runs. Run it through scripts/ui-sweep.sh:

  ui-sweep.sh PROGRAM menu-context-help.py
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xtest  # noqa: E402
from ui_program import Failure, clean, drive, wait_for  # noqa: E402

# The prompts of File/New and Window/3D Objects (strings 57600 and 33125).
NEW_PROMPT = "Create a new scene"
OBJECTS_PROMPT = "Show or hide the window of 3D objects to drag into a scene"


def entry(program, popup, name):
    found = next((e for e in program.entries(popup) if clean(e.name) == name and e.enabled and e.center()), None)
    if found is None:
        raise Failure(f"{program.step}: no enabled {name} in the menu")
    return found


def steps(program):
    program.start()
    program.finish_first_run()
    if program.scene_windows() or not program.objects_window():
        raise Failure("the program starts with a scene or without the 3D Objects window")

    program.step = "Shift+F1, File, New by the keys"
    entry(program, program.help_click_on_title("File"), "New")
    xtest.key("Down")  # the first entry
    xtest.key("Return")
    program.check()
    read = program.wait_for_help(NEW_PROMPT, "the topic of File/New")
    print("after File/New in help mode the Help window reads:", read.replace("\n", " | "), flush=True)
    program.close_help_windows()

    program.step = "Shift+F1, Window, 3D Objects by the mouse"
    program.click_entry(entry(program, program.help_click_on_title("Window"), "3D Objects"))
    program.check()
    read = program.wait_for_help(OBJECTS_PROMPT, "the topic of Window/3D Objects")
    print("after Window/3D Objects in help mode the Help window reads:", read.replace("\n", " | "), flush=True)
    program.close_help_windows()

    program.step = "Shift+F1, then Ctrl+N"
    program.begin_help_mode()
    xtest.key("ctrl+n")
    program.check()
    read = program.wait_for_help(NEW_PROMPT, "the topic of File/New by its key")
    print("after Ctrl+N in help mode the Help window reads:", read.replace("\n", " | "), flush=True)
    program.close_help_windows()
    if program.scene_windows() or not program.objects_window() or program.dialogs():
        raise Failure("a command chosen in help mode ran")

    program.step = "Shift+F1, Edit, Esc, then File/New"
    program.help_click_on_title("Edit")
    xtest.key("Escape")
    program.check()
    wait_for(lambda: not program.open_popup(), "the Edit menu to close", 10)
    if not program.invoke_menu("File", "New"):
        raise Failure("File/New is not there")
    wait_for(program.scene_windows, "the new scene's window after help mode ended")
    if program.help_on_screen():
        raise Failure(f"File/New after Esc opened help: {program.help_text()!r}")
    return program.exit_discarding()


if __name__ == "__main__":
    drive(__doc__, steps)
