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
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import ui_access  # noqa: E402
import xtest  # noqa: E402
from ui_access import BUTTON_ROLES, DIALOG_ROLES  # noqa: E402

# The fatal report, and the messages of a scene that had to be reverted or closed, start so.
FATAL_TEXTS = ("Unexpected error.", "Unrecoverable error.")
OK_ANSWERS = ("OK", "Yes", "Save", "Open", "Close")
CANCEL_ANSWERS = ("Cancel", "No", "Close", "OK")
# Closing a scene without keeping its changes.
DISCARD_ANSWERS = ("No", "OK")
MENU_ROLES = {"menu item", "separator", "menu", "check menu item", "radio menu item"}
SCENE_WINDOW_ROLES = {"frame", "internal frame"}
OBJECTS_WINDOW = "3D Objects"
EXIT = "Exit"
# The strip below a window's icon that its system menu covers, walked in steps smaller than an entry.
SYSTEM_MENU_HEIGHT, SYSTEM_MENU_STEP = 200, 8
VERBOSE = bool(os.environ.get("TAVROLIN_SWEEP_VERBOSE"))
# Every step ends by waiting for the program's answer (Program.settle), so the hand can be quick;
# but drag and drop starts its own loop after the first moves, so a drag keeps a hand's pace.
xtest.PAUSE, xtest.MOVE_PAUSE, xtest.DRAG_PAUSE = 0.01, 0, 0.03


class Failure(Exception):
    pass


def wait_for(condition, what, timeout=30.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        result = condition()
        if result:
            return result
        time.sleep(0.05)
    raise Failure("timed out waiting for " + what)


def clean(name):
    """A menu entry's name without its shortcut."""
    return name.split("\t")[0]


def shortcut(name):
    return name.split("\t")[1] if "\t" in name else ""


class Program:
    """The running program, its windows and the user's hand on it."""

    def __init__(self, path):
        self.path = path
        self.process = None
        self.app = None
        self.step = "start"
        self.visited_sheets = set()
        self.pressed = False
        self.may_end = False  # during File/Exit
        self.titles = []
        self.starts = 0

    def start(self):
        self.step = "start"
        self.starts += 1
        self.process = subprocess.Popen([self.path])
        self.titles = []
        self.app = ui_access.application(self.process.pid)
        wait_for(self.main_frame, "the main window")

    def main_frame(self):
        for child in self.app.children():
            if child.role == "frame" and child.name.startswith("Tavrolin"):
                return child
        return None

    def dialogs(self):
        return [child for child in self.app.children() if child.role in DIALOG_ROLES]

    def settle(self):
        # Two answered questions: the program's event loop has run past the events sent before.
        xtest.flush()
        for _ in range(2):
            if self.process.poll() is not None:
                return
            self.app.accessible.get_child_count()
            time.sleep(0.01)

    def check(self):
        """Fails when the program has ended or shows a fatal report."""
        if VERBOSE:
            print(self.step, flush=True)
        self.settle()
        code = self.process.poll()
        if code is not None and self.may_end:
            return
        if code is not None:
            raise Failure(f"{self.step}: the program ended with {code}")
        for dialog in self.dialogs():
            text = dialog.text()
            if any(fatal in text for fatal in FATAL_TEXTS):
                raise Failure(f"{self.step}: fatal report: {text}")

    # --- dialogs ---------------------------------------------------------------------------------

    def visit_pages(self, dialog):
        """Shows each page of a tabbed dialog once, as a curious user does."""
        tabs = list(dialog.descendants({"page tab"}))
        if not tabs or dialog in self.visited_sheets:
            return
        self.visited_sheets.add(dialog)
        for tab in tabs:
            point = tab.center()
            if point:
                xtest.click(*point)
                self.check()

    def answer_dialogs(self, answers, limit=12):
        """Answers every dialog that is open, newest first, with the first of the answers it
        offers; a dialog that stays (a refused entry) is then cancelled. Returns how many."""
        answered = 0
        tries = {}
        for _ in range(limit):
            self.check()
            if self.process.poll() is not None:
                return answered
            dialogs = self.dialogs()
            if not dialogs:
                return answered
            dialog = dialogs[-1]
            tries[dialog] = tries.get(dialog, 0) + 1
            self.visit_pages(dialog)
            choices = answers if tries[dialog] == 1 else CANCEL_ANSWERS
            if tries[dialog] > 3:
                xtest.key("Escape")
                continue
            button = self.button(dialog, choices)
            if self.pressed or button is None:
                xtest.key("Return" if choices is OK_ANSWERS else "Escape")
            else:
                xtest.click(*button.center())
            answered += 1
        raise Failure(f"{self.step}: dialogs would not close: {[d.text() for d in self.dialogs()]}")

    @staticmethod
    def button(dialog, choices):
        buttons = {b.name.replace("&", ""): b for b in dialog.descendants({"push button"})
                   if b.enabled and b.center()}
        for choice in choices:
            if choice in buttons:
                return buttons[choice]
        return None

    # --- menus -----------------------------------------------------------------------------------

    def menu_titles(self):
        # The menu bar keeps its titles for the program's life.
        if not self.titles:
            bar = next(c for c in self.main_frame().children() if c.role == "menu bar")
            self.titles = [item for item in bar.children() if item.role == "menu item"]
        return self.titles

    def close_menus(self):
        for _ in range(3):
            if not self.open_popup():
                return
            xtest.key("Escape")
            self.settle()

    def open_popup(self):
        for title in self.menu_titles():
            for popup in title.children():
                if popup.center():
                    return popup
        return None

    def open_menu(self, title_name):
        self.close_menus()
        title = next(t for t in self.menu_titles() if t.name == title_name)

        def shown():
            return next((popup for popup in title.children() if popup.center()), None)

        # A busy program may drop a click (it empties its queue while it works), so click again.
        for _ in range(3):
            xtest.click(*title.center())
            try:
                return wait_for(shown, f"the {title_name} menu to open", 10)
            except Failure:
                pass
        raise Failure(f"{self.step}: the {title_name} menu does not open")

    @staticmethod
    def entries(popup):
        return [entry for entry in popup.children() if entry.role in MENU_ROLES]

    def hover_menus(self):
        """Hovers every entry of every menu; returns how many."""
        count = 0
        for title in [t.name for t in self.menu_titles()]:
            self.step = f"hovering the {title} menu"
            popup = self.open_menu(title)
            for entry in self.entries(popup):
                point = entry.center()
                if point:
                    self.step = f"hovering {title}/{clean(entry.name) or entry.role}"
                    xtest.move(*point)
                    self.check()
                    count += 1
            self.close_menus()
        return count

    def hover_system_menu(self):
        """Opens the system menu of the first scene window (its title bar's icon) and moves down
        over it: the toolkit shows that menu to no accessibility tool, so the pointer walks a
        strip tall enough for its entries. Returns how many points it hovered."""
        windows = self.scene_windows()
        if not windows:
            return 0
        x, y, _, _ = windows[0].extents()
        self.step = f"hovering the system menu of {windows[0].name}"
        xtest.click(x + 8, y + 8)
        self.check()
        points = 0
        for dy in range(SYSTEM_MENU_STEP, SYSTEM_MENU_HEIGHT, SYSTEM_MENU_STEP):
            xtest.move(x + 40, y + 16 + dy)
            self.check()
            points += 1
        xtest.key("Escape")
        self.check()
        return points

    def enabled_commands(self):
        """(menu, entry) of every enabled menu command, as the menus show them now."""
        commands = []
        for title in [t.name for t in self.menu_titles()]:
            popup = self.open_menu(title)
            commands += [(title, entry.name) for entry in self.entries(popup)
                         if entry.role != "separator" and entry.enabled and entry.name]
            self.close_menus()
        return commands

    def invoke_menu(self, title, name):
        """Clicks the entry; False when it is no longer there or no longer enabled."""
        popup = self.open_menu(title)
        entry = next((e for e in self.entries(popup) if name in (e.name, clean(e.name))), None)
        if entry is None or not entry.enabled or not entry.center():
            self.close_menus()
            return False
        xtest.click(*entry.center())
        return True

    # --- toolbars --------------------------------------------------------------------------------

    def toolbar_buttons(self):
        """(toolbar, index, button) of every toolbar button shown."""
        found = []
        for top in self.app.children():
            for owner in top.children():
                if not owner.name.endswith("Toolbar"):
                    continue
                for bar in owner.children():
                    if bar.role != "tool bar":
                        continue
                    for index, button in enumerate(bar.children()):
                        if button.role in BUTTON_ROLES and button.center():
                            found.append((owner.name, index, button))
        return found

    def hover_toolbars(self):
        """Hovers every button shown; returns (toolbar, index, enabled, tooltip) of each."""
        hovered = []
        for owner, index, button in self.toolbar_buttons():
            self.step = f"hovering button {index} of the {owner}"
            xtest.move(*button.center())
            self.check()
            hovered.append((owner, index, button.enabled, button.accessible.get_description() or ""))
        return hovered

    def click_button(self, owner, index):
        for name, i, button in self.toolbar_buttons():
            if (name, i) == (owner, index) and button.enabled:
                xtest.click(*button.center())
                return True
        return False

    # --- scenes ----------------------------------------------------------------------------------

    def mdi_windows(self):
        frame = self.main_frame()
        area = next((c for c in frame.children() if c.role == "layered pane"), None)
        return [] if area is None else [w for w in area.children() if w.role in SCENE_WINDOW_ROLES]

    def scene_windows(self):
        return [w for w in self.mdi_windows() if w.name != OBJECTS_WINDOW]

    def objects_window(self):
        return next((w for w in self.mdi_windows() if w.name == OBJECTS_WINDOW and w.center()), None)

    def exit(self, answers):
        """File/Exit answered with the answers; the program's exit code, or None while it runs."""
        if not self.invoke_menu("File", EXIT):
            raise Failure("File/Exit is not there")
        self.may_end = True
        try:
            try:
                answered = self.answer_dialogs(answers)
            except ui_access.GLib.Error:
                answered = 0  # it left the accessibility bus on its way out
            if answered and answers is CANCEL_ANSWERS:
                self.check()  # a cancelled question keeps the program
                return None
            wait_for(lambda: self.process.poll() is not None, "the program to end after File/Exit", 120)
            return self.process.returncode
        finally:
            self.may_end = False


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

    def show_toolbars(self, beginner):
        """The Beginner toolbar alone, or the four others (the View menu offers them only while the
        Beginner toolbar is hidden); the status bar too."""
        program = self.program
        for _ in range(8):
            popup = program.open_menu("View")
            toggles = [e for e in program.entries(popup) if clean(e.name).endswith(("Toolbar", "Status Bar"))]
            wrong = [e for e in toggles if e.enabled and e.center() and e.checked != (
                beginner if clean(e.name) == "Beginner Toolbar" else True)]
            if not wrong:
                program.close_menus()
                return
            xtest.click(*wrong[0].center())
            program.check()
        raise Failure("the toolbars would not show")

    def rebuild(self, scenes, selected):
        program = self.program
        for _ in range(20):
            windows = program.scene_windows()
            if not windows:
                break
            x, y, width, _ = windows[0].extents()
            xtest.click(x + width // 2, y + 8)  # its title bar makes it the active window
            program.settle()
            if program.invoke_menu("Window", "Close"):
                program.answer_dialogs(DISCARD_ANSWERS)
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
                    self.show_toolbars(beginner)  # a command before hid it
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
        system = program.hover_system_menu()
        buttons = []
        for beginner in (True, False):
            self.show_toolbars(beginner)
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
        self.note(label, f"{menus} menu entries, {len(buttons)} toolbar buttons, {system} points of a system menu",
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
    try:
        wait_for(xtest.window_manager_running, "the window manager")
        program.start()
        program.step = "the first run"
        first = program.answer_dialogs(OK_ANSWERS)
        print(f"first run: answered {first} dialogs, visited {len(program.visited_sheets)} tabbed ones", flush=True)
        sweep.sweep_state("no scene", 0)
        sweep.sweep_state("one scene", 1)
        sweep.sweep_state("two scenes", 2)
        commands = sweep.sweep_state("a selected object", 1, True)
        sweep.sweep_press(commands)
        sweep.establish(1, True)
        program.step = "the last File/Exit"
        code = program.exit(DISCARD_ANSWERS)
    except (Failure, ui_access.GLib.Error) as failure:
        if isinstance(failure, ui_access.GLib.Error):
            # The program went away in the middle of a question to it.
            try:
                program.process.wait(60)
            except subprocess.TimeoutExpired:
                pass
            failure = f"{program.step}: {failure.message}; the program's exit code: {program.process.poll()}"
        print(f"FAILED: {failure}", flush=True)
        if os.environ.get("TAVROLIN_SWEEP_SHOT"):
            subprocess.run([os.path.join(os.path.dirname(os.path.abspath(__file__)), "x11-window.py"),
                            "screenshot", os.environ["TAVROLIN_SWEEP_SHOT"]], check=False)
        if program.process and program.process.poll() is None:
            program.process.kill()
            program.process.wait()
        sys.exit(1)
    print(f"the program ended with {code} after {time.time() - started:.0f} s and {program.starts} starts", flush=True)
    sys.exit(0 if code == 0 else 1)


if __name__ == "__main__":
    main()
