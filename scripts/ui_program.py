"""The running program as the sweep's hand sees it: started, watched for a fatal report, its menus,
toolbar buttons, dialogs and scene windows found through its accessibility tree and worked with
real X events."""
import os
import subprocess
import sys
import time

import ui_access
import x11_sync
import xtest
from ui_access import BUTTON_ROLES, DIALOG_ROLES

# Longer than the desktop's double-click time (400 ms unless set otherwise).
TOOLBAR_CLICK_DELAY = 0.8
# The fatal report, and the messages of a scene that had to be reverted or closed, start so.
FATAL_TEXTS = ("Unexpected error.", "Unrecoverable error.")
OK_ANSWERS = ("OK", "Yes", "Save", "Open", "Close")
CANCEL_ANSWERS = ("Cancel", "No", "Close", "OK")
# Closing a scene without keeping its changes.
DISCARD_ANSWERS = ("No", "OK")
MENU_ROLES = {"menu item", "separator", "menu", "check menu item", "radio menu item"}
SCENE_WINDOW_ROLES = {"frame", "internal frame"}
OBJECTS_WINDOW = "3D Objects"
HELP_TITLE = "Tavrolin Help"
EXIT = "Exit"
# A window's system menu is walked in steps smaller than an entry; it opens this close to the icon.
SYSTEM_MENU_STEP, SYSTEM_MENU_REACH = 8, 60
WINDOW_TOOL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "x11-window.py")
VERBOSE = bool(os.environ.get("TAVROLIN_SWEEP_VERBOSE"))
# How long the program may take to read what the hand did, to bring a dialog onto the screen or to
# close a dialog it has been given an answer: a step takes seconds under the sanitizers on a busy
# machine. The sweep waits on the program's state, not for a time; this is when it gives up.
PATIENCE = 120.0
# Every step ends by waiting for the program's answer (Program.settle), so the hand can be quick;
# but drag and drop starts its own loop after the first moves, so a drag keeps a hand's pace.
xtest.PAUSE, xtest.MOVE_PAUSE, xtest.DRAG_PAUSE = 0.01, 0, 0.03


# From the last button of a docked toolbar to the next bar in its row: the bar's margin, the splitter
# between the two and the next bar's grip at most.
ROW_GAP = 16


class Failure(Exception):
    pass


def toolbar_faults(bars, counts, row):
    """What is amiss in Program.docked_toolbars' answer: a bar of counts that hides some of its
    buttons, a bar of row (names, from the left) that does not follow the one before it within
    ROW_GAP in the same row."""
    faults = []
    for name, count in counts.items():
        shown = len([tip for tip in bars[name][1] if tip])
        if shown != count:
            faults.append(f"{name} shows {shown} of its {count} buttons")
    for before, name in zip(row, row[1:]):
        (previous, _, previous_right), (extents, _, _) = bars[before], bars[name]
        if not (extents[0] >= previous[0] + previous[2] and extents[0] - previous_right <= ROW_GAP and
                abs(extents[1] - previous[1]) <= 2):
            faults.append(f"{name} does not follow {before}'s buttons within {ROW_GAP} px in the same row")
    return faults


def wait_for(condition, what, timeout=30.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        try:
            result = condition()
        except ui_access.GLib.Error as error:
            # An object the program dropped while the condition asked about it (a toolbar laid out
            # anew, a menu filled again) is asked about afresh; any other error is the program's end.
            if "No such object path" not in error.message:
                raise
            result = None
        if result:
            return result
        time.sleep(0.05)
    raise Failure("timed out waiting for " + what)


def popups():
    """(x, y, width, height) of each pop-up window on the screen (a menu, a tooltip)."""
    listed = subprocess.run([WINDOW_TOOL, "popups"], capture_output=True, text=True, check=False).stdout
    return [tuple(int(v) for v in line.split()) for line in listed.splitlines()]


def window_at(point):
    """(id, (x, y, width, height), name) of the window on top at the point on the screen, or None."""
    found = subprocess.run([WINDOW_TOOL, "at", *map(str, point)], capture_output=True, text=True).stdout.split(" ", 5)
    if len(found) < 5:
        return None
    return int(found[0]), tuple(int(v) for v in found[1:5]), found[5].strip() if len(found) > 5 else ""


def uncovered_point(window):
    """A point of the camera window's picture that the Help window, which may stand over the main
    window, leaves uncovered."""
    listed = subprocess.run([WINDOW_TOOL, "geometry", HELP_TITLE], capture_output=True, text=True, check=True)
    hx, hy, hw, hh = (int(v) for v in listed.stdout.split())
    x, y, width, height = window.extents()
    # Clear of the title bar and the borders.
    for py in range(y + 40, y + height - 10, 20):
        for px in range(x + 20, x + width - 20, 20):
            if not (hx - 10 <= px < hx + hw + 10 and hy - 10 <= py < hy + hh + 10):
                return px, py
    raise Failure(f"the Help window at {(hx, hy, hw, hh)} covers the camera window at {(x, y, width, height)}")


def clean(name):
    """A menu entry's name without its shortcut."""
    return name.split("\t")[0]


def shortcut(name):
    return name.split("\t")[1] if "\t" in name else ""


def run(program, steps):
    """Runs steps() once a window manager is up; steps ends the program and returns its exit code.
    A failure is printed, leaves the screen at $TAVROLIN_SWEEP_SHOT, ends the program and this
    script with 1."""
    try:
        wait_for(xtest.window_manager_running, "the window manager")
        return steps()
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
            subprocess.run([WINDOW_TOOL, "screenshot", os.environ["TAVROLIN_SWEEP_SHOT"]], check=False)
        if program.process and program.process.poll() is None:
            program.process.kill()
            program.process.wait()
        sys.exit(1)


def drive(usage, steps):
    """A driver's entry: the program's path is its one argument; steps(program) runs through run()
    and the script ends with 0 when the program ended with 0, else 1."""
    if len(sys.argv) != 2:
        sys.exit(usage)
    program = Program(sys.argv[1])
    code = run(program, lambda: steps(program))
    sys.exit(0 if code == 0 else 1)


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
        self.ping_window = None  # the X window the program answers pings on (Program.settle)
        self.buttons_seen = 0  # mouse button events the window manager is known to have let through

    def start(self, *arguments):
        """Starts the program with its command line's arguments (a scene to open)."""
        self.step = "start"
        self.starts += 1
        self.process = subprocess.Popen([self.path, *arguments])
        self.titles = []
        self.ping_window = None
        self.app = ui_access.application(self.process.pid)
        wait_for(self.main_frame, "the main window")

    def main_frame(self):
        for child in self.app.children():
            if child.role == "frame" and child.name.startswith("Tavrolin"):
                return child
        return None

    def dialogs(self):
        return [child for child in self.app.children() if child.role in DIALOG_ROLES]

    def finish_first_run(self):
        """Answers the first run's boxes and the Preferences sheet as a new user does, and closes
        the help they may open."""
        self.answer_first_run()
        self.close_help_windows()

    def settle(self):
        """Waits until the program has taken the input sent so far: the window manager has let the
        clicks through (it holds each until it has handled it), the program has read them (it
        answers a ping sent through X after them) and handled them (it answers a question on the
        accessibility bus after that: its toolkit hands on the input it read in the same pass of
        its loop, the question comes in a later one)."""
        xtest.flush()
        if self.buttons_seen != xtest.buttons_sent:
            # Asked once: each question is work for it, and a busy one would only fall further behind.
            if not x11_sync.window_manager_caught_up(PATIENCE):
                raise Failure(f"{self.step}: gave up after {PATIENCE:.0f} s waiting for the window manager "
                              "to let a click through (it answers no request for frame extents)")
            self.buttons_seen = xtest.buttons_sent
        deadline = time.time() + PATIENCE
        while self.process.poll() is None:
            if self.ping_window is None:
                self.ping_window = x11_sync.window_of(self.process.pid)
            if self.ping_window is not None and \
                    x11_sync.program_caught_up(self.ping_window, max(0.0, deadline - time.time())):
                self.app.accessible.get_child_count()
                return
            self.ping_window = None  # gone: another of its windows
            if time.time() > deadline:
                raise Failure(f"{self.step}: gave up after {PATIENCE:.0f} s waiting for the program to read "
                              "its input (it answers no ping through X)")
            time.sleep(0.05)

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
        """Shows each page of a tabbed dialog once, as a curious user does; whether it did now."""
        tabs = list(dialog.descendants({"page tab"}))
        if not tabs or dialog in self.visited_sheets:
            return False
        self.visited_sheets.add(dialog)
        for tab in tabs:
            point = tab.center()
            if point:
                xtest.click(*point)
                self.check()
        return True

    def help_text(self):
        """The text the Help window shows, or "" while there is none."""
        for top in self.app.children():
            if top.name != HELP_TITLE:
                continue
            for node in [top, *top.descendants()]:
                try:
                    text = ui_access.Atspi.Text.get_text(node.accessible, 0, -1)
                except Exception:  # noqa: BLE001 (a node without text)
                    continue
                if text:
                    return text
        return ""

    @staticmethod
    def help_on_screen():
        return subprocess.run([WINDOW_TOOL, "mapped", HELP_TITLE], capture_output=True).returncode == 0

    def wait_for_help(self, text, what):
        """Waits for the Help window on the screen reading text; returns what it reads."""
        wait_for(self.help_on_screen, "the Help window on the screen")
        try:
            wait_for(lambda: text in self.help_text(), what, 15)
        except Failure:
            raise Failure(f"{self.step}: the Help window reads {self.help_text()!r}") from None
        return self.help_text()

    def begin_help_mode(self):
        """Shift+F1 in the main window."""
        # A click on the empty work area makes the main window active, so that it hears the keys.
        x, y, width, height = self.main_frame().extents()
        xtest.click(x + width - 40, y + height - 80)
        self.settle()
        xtest.key("shift+F1")
        self.settle()

    def help_click_on_title(self, title_name):
        """Shift+F1 in the main window, then one click on the menu title: the menu that opens."""
        self.begin_help_mode()
        title = next(t for t in self.menu_titles() if t.name == title_name)
        xtest.click(*title.center())
        self.check()
        try:
            popup = wait_for(lambda: next((p for p in title.children() if p.center()), None), "the menu", 10)
        except Failure:
            raise Failure(f"{self.step}: the {title_name} menu does not open; "
                          f"the Help window reads {self.help_text()!r}") from None
        if self.help_on_screen():
            raise Failure(f"{self.step}: the click on the title opened help: {self.help_text()!r}")
        return popup

    @staticmethod
    def close_help_windows():
        """Closes the help window a command or an answer opened: it takes the keyboard, and the
        keys that follow are meant for the windows under test."""
        for _ in range(3):
            found = subprocess.run([WINDOW_TOOL, "mapped", HELP_TITLE], capture_output=True, text=True)
            if found.returncode != 0 or not found.stdout.strip():
                return
            subprocess.run([WINDOW_TOOL, "close", found.stdout.split()[0]], check=False)
            time.sleep(0.2)

    def answer_boxes(self, until, what):
        """Answers the program's boxes as a new user does, the newest first, until until() holds; a
        box that closes while it is asked about is passed over."""
        def answered():
            try:
                if until():
                    return True
                boxes = self.dialogs()
                button = self.button(boxes[-1], OK_ANSWERS) if boxes else None
                if button:
                    xtest.click(*button.center())
                self.check()
            except ui_access.GLib.Error:
                if self.process.poll() is not None:
                    raise
            return False
        wait_for(answered, what, 120)

    def answer_first_run(self):
        """Answers the boxes of the first run, from its first box to its last."""
        self.step = "the first run"
        seen = []

        def ended():
            seen.extend(self.dialogs()[:1])
            if not seen or self.dialogs():
                return False
            self.settle()  # the next box may be on its way
            return not self.dialogs()
        self.answer_boxes(ended, "the first run's boxes to be answered")

    def answer_dialogs(self, answers, awaited=None):
        """Answers every dialog that is open, newest first, with the first of the answers it offers;
        a dialog that stays once the program has taken its answer (a refused entry) is then
        cancelled, then escaped. With awaited (what is to come, for the message), first waits for a
        dialog to come. Waits on the program, never for a time: a dialog is answered once it lies on
        the screen where its accessibility tree says (by a key: once it is active), and looked at
        again once the program has taken the answer (settle). Gives up, naming what it waited for,
        when a dialog is still open PATIENCE seconds after it came (or after its pages were shown).
        Returns how many dialogs it answered."""
        tries = {}  # dialog: the answers it was given
        came = {}  # dialog (None: the one awaited): when the wait on it began
        while True:
            self.close_help_windows()
            self.check()
            if self.process.poll() is not None:
                return len(tries)
            dialog = self.dialog_to_answer()
            if dialog is None:
                if awaited is None or tries:
                    return len(tries)
                self.wait_on(came, None, lambda: awaited)
                continue
            given = tries.setdefault(dialog, [])
            choices = answers if not given else CANCEL_ANSWERS
            button = None if len(given) >= 3 else self.button(dialog, choices)
            by_key = self.pressed or button is None
            if not self.ready(dialog, None if by_key else button.center()):
                self.wait_on(came, dialog, lambda: f"{self.describe(dialog)} to lie on the screen where its "
                             f"accessibility tree places it{' and to be active' if by_key else ''}"
                             f"{self.screen_at(dialog, button)}")
                continue
            self.wait_on(came, dialog, lambda: f"{self.describe(dialog)} to close after "
                         f"{', '.join(given) or 'no answer'}", sleep=0)
            if self.visit_pages(dialog):
                came[dialog] = time.time()
                continue  # its buttons again, as the pages left them
            if len(given) >= 3:
                given.append("Escape")
                xtest.key("Escape")
            elif by_key:
                given.append("Return" if choices is OK_ANSWERS else "Escape")
                xtest.key(given[-1])
            else:
                given.append(button.name.replace("&", ""))
                xtest.click(*button.center())

    def dialog_to_answer(self):
        """The newest open dialog that is active or offers a button; a splash that closes by itself
        is neither."""
        shown = [d for d in self.dialogs() if d.has(ui_access.Atspi.StateType.SHOWING) and d.center()]
        return next((d for d in reversed(shown) if d.has(ui_access.Atspi.StateType.ACTIVE) or
                     any(b.enabled and b.center() for b in d.descendants({"push button"}))), None)

    def ready(self, dialog, point):
        """Whether the dialog takes the answer: active for a key; for a click at the point, on top
        there where its accessibility tree places it (the window manager may not have shown it yet,
        or placed it elsewhere)."""
        if point is None:
            return dialog.has(ui_access.Atspi.StateType.ACTIVE)
        found = window_at(point)
        return found is not None and found[1] == dialog.extents()

    @staticmethod
    def screen_at(dialog, button):
        if button is None or not button.center():
            return ""
        found = window_at(button.center())
        return f"; at its {button.name.replace('&', '')} button {button.center()} the screen shows " + \
            (f"{found[2]!r} at {found[1]}" if found else "no window")

    @staticmethod
    def describe(dialog):
        states = [name for name, state in (("shown", "SHOWING"), ("active", "ACTIVE"))
                  if dialog.has(getattr(ui_access.Atspi.StateType, state))]
        return f"the {dialog.role} {dialog.text()[:90]!r} ({', '.join(states) or 'hidden'}, at {dialog.extents()})"

    def wait_on(self, came, key, what, sleep=0.1):
        """Notes when the wait on key began; gives up PATIENCE seconds later, naming what."""
        since = came.setdefault(key, time.time())
        if time.time() - since > PATIENCE:
            raise Failure(f"{self.step}: gave up after {PATIENCE:.0f} s waiting for {what()}")
        time.sleep(sleep)

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

    def click_entry(self, entry):
        """Clicks an entry of an open menu as a hand does: the pointer goes there, and the click comes
        once the program has taken the moves, as the entry shows selected."""
        x, y = entry.center()
        xtest.move(x, y)
        self.settle()
        xtest.click(x, y)

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
        over its entries: the toolkit shows that menu to no accessibility tool, but the screen
        shows it as a pop-up beside the icon. Returns how many points it hovered and, when none,
        why not."""
        windows = self.scene_windows()
        if not windows:
            return 0, "no scene window"
        x, y, _, _ = windows[0].extents()
        self.step = f"opening the system menu of {windows[0].name}"
        before = popups()
        xtest.click(x + 8, y + 8)
        self.check()

        def opened():
            return next((p for p in popups() if p not in before and
                         x - SYSTEM_MENU_REACH < p[0] < x + SYSTEM_MENU_REACH and y < p[1] < y + SYSTEM_MENU_REACH), None)
        try:
            left, top, width, height = wait_for(opened, "the system menu", 5)
        except Failure:
            # The click met something else: a maximised window shows no title bar.
            answered = self.answer_dialogs(CANCEL_ANSWERS)
            return 0, f"its icon opened no menu{' but a box' if answered else ''}"
        self.step = f"hovering the system menu of {windows[0].name}"
        points = 0
        for dy in range(SYSTEM_MENU_STEP // 2, height, SYSTEM_MENU_STEP):
            xtest.move(left + width // 2, top + dy)
            self.check()
            points += 1
        xtest.key("Escape")
        self.check()
        return points, ""

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
        self.click_entry(entry)
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
                # A toolbar click runs its command once the time for a double click has passed.
                time.sleep(TOOLBAR_CLICK_DELAY)
                return True
        return False

    @staticmethod
    def shown(node):
        # A hidden bar keeps the extents it had.
        return node.has(ui_access.Atspi.StateType.SHOWING) and node.center()

    def toolbar_shown(self, name):
        return any(owner.name == name and self.shown(owner) for owner in self.main_frame().children())

    def toggle_toolbar(self, combo, name, shown):
        """Presses the View menu's keys for a toolbar until the toolbar is shown or hidden. The keys go
        to the active window: the main window, once a click on its work area (away from the 3D Objects
        window) has made it so. A key lost to a box on its way out is pressed again."""
        x, y, w, h = self.main_frame().extents()
        for _ in range(3):
            xtest.click(x + w - 40, y + h - 80)
            xtest.key(combo)
            self.check()
            try:
                wait_for(lambda: self.toolbar_shown(name) == shown, f"the {name} to {'show' if shown else 'hide'}", 5)
                return
            except Failure:
                pass
        raise Failure(f"{combo} leaves the {name} {'hidden' if shown else 'shown'}")

    def docked_toolbars(self, counts):
        """Each shown toolbar of counts (name: how many buttons it has, its separators aside): its
        extents, the tips of the buttons it shows (the "»" that lists the buttons it has no room for has
        none) and the right edge of its last button; None while one of them is not shown."""
        found = {}
        for owner in self.main_frame().children():
            if owner.name in counts and self.shown(owner):
                shown = [b for bar in owner.children() if bar.role == "tool bar"
                         for b in bar.children() if b.role in BUTTON_ROLES and b.has(ui_access.Atspi.StateType.SHOWING)]
                tips = [b.accessible.get_description() or "" for b in shown]
                right = max((x + w for (x, _, w, _), tip in zip((b.extents() for b in shown), tips) if tip), default=0)
                found[owner.name] = (owner.extents(), tips, right)
        return found if len(found) == len(counts) else None

    def show_toolbars(self, beginner):
        """The Beginner toolbar alone, or the four others (the View menu offers them only while the
        Beginner toolbar is hidden); the status bar too."""
        for _ in range(8):
            popup = self.open_menu("View")
            toggles = [e for e in self.entries(popup) if clean(e.name).endswith(("Toolbar", "Status Bar"))]
            wrong = [e for e in toggles if e.enabled and e.center() and e.checked != (
                beginner if clean(e.name) == "Beginner Toolbar" else True)]
            if not wrong:
                self.close_menus()
                return
            self.click_entry(wrong[0])
            self.answer_dialogs(CANCEL_ANSWERS)
        raise Failure("the toolbars would not show")

    # --- scenes ----------------------------------------------------------------------------------

    def activate_scene_window(self):
        """Makes a scene window the active one through the Window menu's list of windows (a
        maximised window has no title bar to click); False when the list has none."""
        popup = self.open_menu("Window")
        # "1 3D Objects", "2 Camera  100%": a number and a space (the command "3D Objects" starts with a digit too).
        listed = [e for e in self.entries(popup) if clean(e.name).split(" ", 1)[0].isdigit()]
        entry = next((e for e in listed if clean(e.name).split(" ", 1)[-1] != OBJECTS_WINDOW and e.center()), None)
        if entry is None:
            self.close_menus()
            return False
        self.click_entry(entry)
        return True

    def mdi_windows(self):
        frame = self.main_frame()
        area = next((c for c in frame.children() if c.role == "layered pane"), None)
        return [] if area is None else [w for w in area.children() if w.role in SCENE_WINDOW_ROLES]

    def shot(self, name):
        """Saves the whole screen as the X server shows it (xwd -root) to NAME.png in the folder
        $TAVROLIN_SHOTS, for a person to look at; nothing without that folder."""
        folder = os.environ.get("TAVROLIN_SHOTS")
        if not folder:
            return
        os.makedirs(folder, exist_ok=True)
        self.check()
        time.sleep(1)  # what the step started has painted
        path = os.path.join(folder, name)
        subprocess.run(["xwd", "-root", "-silent", "-out", path + ".xwd"], check=True)
        subprocess.run(["convert", path + ".xwd", path + ".png"], check=True)
        os.remove(path + ".xwd")
        print("saved", path + ".png", flush=True)

    def scene_windows(self):
        return [w for w in self.mdi_windows() if w.name != OBJECTS_WINDOW]

    def new_scene(self):
        """File/New: the new scene's window, once it is on the screen."""
        if not self.invoke_menu("File", "New"):
            raise Failure(f"{self.step}: File/New is not there")
        return wait_for(lambda: next((w for w in self.scene_windows() if w.center()), None), "the scene window")

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

    def exit_discarding(self):
        """File/Exit as a script's last step, every question about unsaved work answered No."""
        self.step = "File/Exit"
        return self.exit(DISCARD_ANSWERS)
