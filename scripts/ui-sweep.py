#!/usr/bin/python3
"""Drives the built program as a restless user would, under a virtual X server with a window
manager: in each of a few states it hovers every menu item and toolbar button, and invokes every
enabled command, answering its dialogs once with OK and once with Cancel. Stops at the first step
after which the program has ended or shows its fatal report. Run it through scripts/ui-sweep.sh.

  ui-sweep.py PROGRAM

The program's menus, buttons and dialogs are found through its accessibility tree; the mouse and
keys are real X events (XTest).
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import xtest  # noqa: E402
from ui_program import (CANCEL_ANSWERS, DISCARD_ANSWERS, EXIT, OK_ANSWERS, VERBOSE, Failure, Program,  # noqa: E402
                        clean, run, shortcut, wait_for)


class Sweep:
    """Walks the states, counting what it drove in each."""

    def __init__(self, program):
        self.program = program
        self.drop_point = None
        self.state = None  # (scenes, selected) last built
        self.windows = []  # the names of its scene windows

    def restart(self):
        program = self.program
        if program.process.poll() is None:
            code = program.exit(DISCARD_ANSWERS)
            if code != 0:
                raise Failure(f"{program.step}: the program ended with {code}")
        program.start()
        program.answer_dialogs(OK_ANSWERS)

    def selection(self):
        program = self.program
        popup = program.open_menu("Edit")
        delete = next(e for e in program.entries(popup) if clean(e.name) == "Delete")
        selected = delete.enabled
        program.close_menus()
        return selected

    def holds(self, selected):
        # The windows a state was built with: a scene may have several (its Front, Top and Left).
        names = sorted(w.name for w in self.program.scene_windows())
        return names == self.windows and (not selected or self.selection())

    def establish(self, scenes, selected=False, dropped=False):
        """Brings the program to the state: closes what is open and makes it again when needed,
        with an object dropped (and so selected) when selected or dropped."""
        program = self.program
        program.step = "setting up the state"
        for attempt in range(2):
            if program.process.poll() is not None:
                code = program.process.returncode
                if code != 0:
                    raise Failure(f"the program ended with {code}")
                program.start()
            program.answer_dialogs(CANCEL_ANSWERS)
            program.close_menus()
            if self.built(scenes, selected) and self.holds(selected):
                return
            if VERBOSE:
                print(f"rebuilding: windows {[w.name for w in program.scene_windows()]}, expected {self.windows}")
            if attempt:
                self.restart()
            self.rebuild(scenes, selected or dropped)
            self.windows = self.settled_windows()
            self.state = (scenes, selected or dropped)
            if len(self.windows) >= scenes and self.holds(selected):
                return
        raise Failure(f"could not set up {scenes} scene(s){' with a selected object' if selected else ''}")

    def built(self, scenes, selected):
        """Whether the state last built serves: a state with a selected object serves one without."""
        return self.state is not None and self.state[0] == scenes and (self.state[1] or not selected)

    def settled_windows(self):
        """The scene windows once no more come (a new scene's Front, Top and Left follow it)."""
        program = self.program
        names, since = None, time.time()
        deadline = since + 20
        while time.time() < deadline:
            now = sorted(w.name for w in program.scene_windows())
            if now != names:
                names, since = now, time.time()
            elif time.time() - since > 0.5:
                return names
            program.settle()
        raise Failure("the scene windows keep changing")

    def rebuild(self, scenes, selected):
        program = self.program
        # A window chosen from the list is not always the one left active (closing one activates
        # the 3D Objects window, whose Close is greyed), so a few tries a window.
        for _ in range(4 * len(program.scene_windows()) + 4):
            if not program.scene_windows() or not program.activate_scene_window():
                break
            program.answer_dialogs(CANCEL_ANSWERS)
            if program.invoke_menu("Window", "Close"):
                program.answer_dialogs(DISCARD_ANSWERS)
        if program.scene_windows():
            if VERBOSE:
                print(f"restarting: the windows {[w.name for w in program.scene_windows()]} stay open")
            self.restart()
        for _ in range(scenes):
            program.invoke_menu("File", "New")
            program.answer_dialogs(OK_ANSWERS)
        if selected:
            self.drop_object()

    def drop_object(self):
        program = self.program
        if program.objects_window() is None:
            program.invoke_menu("Window", "3D Objects")
            wait_for(program.objects_window, "the 3D Objects window")
        # Any object shown will do: the list may be scrolled or cut short by a small window.
        items = program.objects_window().descendants({"list", "list item"})
        listing = next(items)
        left, top, width, height = listing.extents()
        shown = next(item for item in items if item.center() and
                    left <= item.center()[0] < left + width and top <= item.center()[1] < top + height)
        windows = program.scene_windows()
        camera = next((w for w in windows if w.name.startswith("Camera")), windows[0])
        self.drop_point = camera.center()
        xtest.drag(*shown.center(), *self.drop_point)
        program.answer_dialogs(OK_ANSWERS)

    def invoke_all(self, scenes, selected, commands, buttons):
        """Invokes each command and toolbar button in both passes; Exit last. Returns how many ran."""
        program = self.program
        invoked = 0
        for answers in (OK_ANSWERS, CANCEL_ANSWERS):
            label = "OK" if answers is OK_ANSWERS else "Cancel"
            for beginner, owner, index in buttons:
                program.step = f"button {index} of the {owner} answered {label}"
                self.establish(scenes, selected)
                if not program.click_button(owner, index):
                    program.show_toolbars(beginner)  # a command before hid it
                    if not program.click_button(owner, index):
                        continue
                program.answer_dialogs(answers)
                invoked += 1
            for title, name in commands:
                if clean(name) == EXIT:
                    continue
                self.establish(scenes, selected)
                program.step = f"{title}/{clean(name)} answered {label}"
                if program.invoke_menu(title, name):
                    program.answer_dialogs(answers)
                    invoked += 1
            self.establish(scenes, selected)
            program.step = f"File/Exit answered {label}"
            code = program.exit(answers)
            if code not in (None, 0):
                raise Failure(f"{program.step}: the program ended with {code}")
            invoked += 1
        return invoked

    def sweep_state(self, label, scenes, selected=False):
        program = self.program
        started = time.time()
        self.establish(scenes, selected)
        menus = program.hover_menus()
        system, no_system_menu = program.hover_system_menu()
        buttons = []
        for beginner in (True, False):
            program.show_toolbars(beginner)
            buttons += [(beginner,) + button for button in program.hover_toolbars()]
        commands = program.enabled_commands()
        # A button whose tooltip names a menu command runs that command: the menu invokes it. Of
        # the rest, each command once (the Beginner toolbar repeats buttons of the others).
        done = {clean(name).rstrip(".") for _, name in commands}
        own = []
        for beginner, owner, index, enabled, tooltip in buttons:
            if enabled and tooltip not in done:
                done.add(tooltip)
                own.append((beginner, owner, index))
        runs = self.invoke_all(scenes, selected, commands, own)
        system = f"{system} points of a system menu" if system else f"no system menu ({no_system_menu})"
        self.note(label, f"{menus} menu entries, {len(buttons)} toolbar buttons, {system}",
                  f"{len(commands)} menu and {len(own)} toolbar commands in {runs} runs", started)
        return commands

    def sweep_press(self, commands):
        """Holds the left button down on the selected object while hovering and invoking by keys."""
        program = self.program
        started = time.time()
        self.establish(1, True)
        with_keys = [(title, name) for title, name in commands if shortcut(name) and clean(name) != EXIT]
        hovered = 0
        self.press()
        for title in program.menu_titles():
            program.step = f"moving over the {title.name} menu with the button down"
            xtest.move(*title.center())
            program.check()
            hovered += 1
        for owner, index, button in program.toolbar_buttons():
            program.step = f"moving over button {index} of the {owner} with the button down"
            xtest.move(*button.center())
            program.check()
            hovered += 1
        xtest.move(*self.drop_point)
        walked = self.walk_menus_by_keys()
        self.release()
        invoked = 0
        for answers in (OK_ANSWERS, CANCEL_ANSWERS):
            for title, name in with_keys:
                # The press lands where the object was dropped, selected or not (a click in some
                # modes clears the selection; a command may have deleted the object).
                self.establish(1, dropped=True)
                program.step = f"{shortcut(name)} ({title}/{clean(name)}) with the button down"
                self.press()
                xtest.key(shortcut(name).replace("Del", "Delete"))
                program.answer_dialogs(answers)
                self.release()
                invoked += 1
        self.note("during a mouse press",
                  f"{hovered} menu titles and toolbar buttons, stepped on {walked} menu entries by keys",
                  f"{len(with_keys)} commands by their keys in {invoked} runs", started)

    def walk_menus_by_keys(self):
        """Opens each menu by its access key (each title's first letter) and steps through its
        enabled entries with the arrow key; returns how many it stepped on."""
        program = self.program
        walked = 0
        for title in program.menu_titles():
            program.step = f"walking the {title.name} menu by keys with the button down"
            xtest.key("alt+" + title.name[0].lower())
            program.check()
            popup = next((p for p in title.children() if p.center()), None)
            if popup is None:
                continue  # the press keeps the menus closed
            for _ in [e for e in program.entries(popup) if e.enabled and e.role != "separator"]:
                xtest.key("Down")
                program.check()
                walked += 1
            program.close_menus()
        return walked

    def press(self):
        xtest.move(*self.drop_point)
        xtest.button(True)
        self.program.pressed = True
        self.program.check()

    def release(self):
        xtest.move(*self.drop_point)
        xtest.button(False)
        self.program.pressed = False
        self.program.check()

    def note(self, label, hovered, invoked, started):
        print(f"{label}: hovered {hovered}; invoked {invoked}; {time.time() - started:.0f} s", flush=True)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    started = time.time()
    program = Program(sys.argv[1])
    sweep = Sweep(program)

    def steps():
        program.start()
        program.step = "the first run"
        first = program.answer_dialogs(OK_ANSWERS, awaited="the first run's first box")
        print(f"first run: answered {first} dialogs, visited {len(program.visited_sheets)} tabbed ones", flush=True)
        sweep.sweep_state("no scene", 0)
        sweep.sweep_state("one scene", 1)
        sweep.sweep_state("two scenes", 2)
        commands = sweep.sweep_state("a selected object", 1, True)
        sweep.sweep_press(commands)
        sweep.establish(1, True)
        program.step = "the last File/Exit"
        return program.exit(DISCARD_ANSWERS)

    code = run(program, steps)
    print(f"the program ended with {code} after {time.time() - started:.0f} s and {program.starts} starts", flush=True)
    sys.exit(0 if code == 0 else 1)


if __name__ == "__main__":
    main()
