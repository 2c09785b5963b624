"""The running program seen through its accessibility tree (AT-SPI): its windows, menus, toolbar
buttons and dialogs, with their names, states and places on the screen."""
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# A busy program (a render under the sanitizers) answers late.
Atspi.set_timeout(30000, 60000)
# Every question goes to the program: its toolkit does not announce every change of state, so
# remembered answers could be stale.
Atspi.get_desktop(0).set_cache_mask(Atspi.Cache.NONE)

DIALOG_ROLES = {"dialog", "alert", "file chooser"}
BUTTON_ROLES = {"push button", "check box", "toggle button"}
# The role names above are the library's own, but later releases renamed one: at-spi 2.46 (Debian
# 12) calls a push button "push button", 2.56 (Debian 13) "button".
RENAMED_ROLES = {Atspi.Role.PUSH_BUTTON: "push button"}


class Node:
    """One accessible object; every query asks the program afresh."""

    def __init__(self, accessible):
        self.accessible = accessible

    def __eq__(self, other):
        return isinstance(other, Node) and self.accessible == other.accessible

    def __hash__(self):
        return hash(self.accessible)

    @property
    def role(self):
        """Its role's name; "defunct" for an object the program dropped since it was listed (a menu
        that closed, a toolbar laid out anew): a window that went away is none of the roles looked for."""
        try:
            role = self.accessible.get_role()
        except GLib.Error as error:
            if "No such object path" not in error.message:
                raise
            return "defunct"
        return RENAMED_ROLES.get(role) or Atspi.role_get_name(role)

    @property
    def name(self):
        return self.accessible.get_name() or ""

    def children(self):
        result = []
        for i in range(self.accessible.get_child_count()):
            child = self.accessible.get_child_at_index(i)
            if child is not None:
                result.append(Node(child))
        return result

    def descendants(self, roles=None):
        for child in self.children():
            if roles is None or child.role in roles:
                yield child
            yield from child.descendants(roles)

    def has(self, state):
        return self.accessible.get_state_set().contains(state)

    @property
    def enabled(self):
        return self.has(Atspi.StateType.ENABLED)

    @property
    def checked(self):
        return self.has(Atspi.StateType.CHECKED)

    def extents(self):
        box = self.accessible.get_extents(Atspi.CoordType.SCREEN)
        return box.x, box.y, box.width, box.height

    def center(self):
        """The middle of the object on the screen, or None while it is not shown."""
        x, y, width, height = self.extents()
        if width <= 0 or height <= 0:
            return None
        return x + width // 2, y + height // 2

    def text(self):
        """Its name and the names of everything inside it, for messages."""
        return " | ".join(n for n in [self.name] + [d.name for d in self.descendants()] if n)


def application(pid, timeout=60):
    """The accessible application of the process, once it has registered."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        desktop = Atspi.get_desktop(0)
        for i in range(desktop.get_child_count()):
            app = desktop.get_child_at_index(i)
            try:
                if app is not None and app.get_process_id() == pid:
                    return Node(app)
            except GLib.Error:
                pass
        time.sleep(0.2)
    raise RuntimeError("the program did not show up on the accessibility bus")
