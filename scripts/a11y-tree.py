# SPDX-License-Identifier: GPL-3.0-or-later
"""Lists the accessibility tree of a running Kurvanto through AT-SPI, as a screen reader sees it.

Usage: a11y-tree.py PID [--roots]

Walks the main window, builds x^2-3 through the formula box and the build button, checks the
picture ("Поле графика") and its description, opens the properties dialog with its toolbar
button and walks it. Every control that is shown and takes the focus or has an action must have
a name. With --roots the description must also name the two roots of x^2-3. Exits 1 on any
fault, 2 when the program cannot be found on the bus.
"""
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

PICTURE = "Поле графика"
PROPERTIES = "Свойства графика"
BUILD = "Построить график"


def find_app(pid, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:  # an application leaving the bus meanwhile
                pass
        time.sleep(0.5)
    return None


def actions(node):
    try:
        return node.queryAction().nActions
    except NotImplementedError:
        return 0


def walk(node, depth, faults, found):
    """Prints the shown part of the tree below node; records the unnamed controls."""
    states = node.getState()
    if not states.contains(pyatspi.STATE_SHOWING):
        return
    name = node.name or ""
    role = node.getRoleName()
    control = states.contains(pyatspi.STATE_FOCUSABLE) or actions(node) > 0
    mark = "  <-- no name" if control and not name.strip() else ""
    description = (node.description or "").replace("\n", " | ")
    print("%s%s \"%s\"%s%s" % ("  " * depth, role, name,
                               " [%s]" % description if description else "", mark))
    if mark:
        faults.append("%s without a name" % role)
    found.setdefault(name, node)
    for child in node:
        if child is not None:
            walk(child, depth + 1, faults, found)


def window(app, title, seconds=10):
    deadline = time.time() + seconds
    while time.time() < deadline:
        for top in app:
            if top is not None and top.name.startswith(title):
                return top
        time.sleep(0.3)
    return None


def press(node):
    """Does the node's first action. A button that opens a modal dialog answers only when the
    dialog closes, so no answer within two seconds is no fault."""
    Atspi.set_timeout(2000, 15000)
    try:
        node.queryAction().doAction(0)
    except GLib.GError:
        pass


def main():
    pid = int(sys.argv[1])
    roots = "--roots" in sys.argv
    app = find_app(pid)
    if app is None:
        print("Kurvanto (pid %d) is not on the accessibility bus" % pid, file=sys.stderr)
        return 2
    faults, found = [], {}
    main_window = window(app, "Kurvanto")
    if main_window is None:
        print("no main window", file=sys.stderr)
        return 2
    print("== The main window")
    walk(main_window, 0, faults, found)

    formula = found.get("Формула")
    if formula is None or BUILD not in found:
        faults.append("no formula box or build button by name")
    else:
        formula.queryEditableText().setTextContents("x^2-3")
        press(found[BUILD])
        time.sleep(1.5)
    picture = found.get(PICTURE)
    if picture is None:
        faults.append("no picture named %s" % PICTURE)
    else:
        role = picture.getRoleName()
        description = picture.description or ""
        print("== The picture: %s \"%s\"\n%s" % (role, picture.name, description))
        if role not in ("chart", "image"):
            faults.append("the picture's role is %s" % role)
        if "x^2-3" not in description:
            faults.append("the picture's description does not name x^2-3")
        if roots and not ("-1,732" in description and "1,732" in description):
            faults.append("the picture's description does not name the roots of x^2-3")

    if PROPERTIES in found:
        press(found[PROPERTIES])
        dialog = window(app, PROPERTIES)
        if dialog is None:
            faults.append("the properties dialog did not open")
        else:
            print("== The properties dialog")
            walk(dialog, 0, faults, {})
    else:
        faults.append("no properties button by name")

    for fault in faults:
        print("FAULT: " + fault, file=sys.stderr)
    print("%d faults" % len(faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
