#!/usr/bin/python3
"""Reads a running program's widgets over AT-SPI, as a screen reader does.

    atspi.py labels PID   role and name of every label and text field of the program's
                          windows, one per line in tree order ("label<TAB>12:00:00")
    atspi.py tree PID     the whole tree, indented, to see what a test could look for
    atspi.py described PID  as labels, with each one's description (a tooltip) after a
                          second tab, its lines joined by " | "
    atspi.py extents PID  role, name and "x y width height" on the screen of every
                          element, tab-separated

Waits up to --wait seconds (default 10) for the program to appear on the accessibility
bus with a window; exits 1 if it does not. Needs the bus of lib.sh's start_accessibility.
"""

import argparse
import sys
import time

import pyatspi

TEXT_ROLES = {pyatspi.ROLE_LABEL, pyatspi.ROLE_TEXT, pyatspi.ROLE_STATIC,
              pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT}


def find_application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid and app.childCount > 0:
            return app
    return None


def walk(node, depth=0):
    yield node, depth
    for child in node:
        if child is not None:
            yield from walk(child, depth + 1)


def shown_text(combo):
    """The entry a drop-down shows, as a screen reader reads it: the text of its field
    when it is editable, its own text otherwise (its name is its label)."""
    for child in combo:
        if child is not None and child.getRole() in (pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY):
            return child.queryText().getText(0, -1)
    return combo.queryText().getText(0, -1)


def extents(node):
    """"role<TAB>name<TAB>x y width height" of an element, on the screen; for a
    drop-down, the entry it shows in place of its name."""
    box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    name = shown_text(node) if node.getRole() == pyatspi.ROLE_COMBO_BOX else node.name
    return f"{node.getRoleName()}\t{name}\t{box.x} {box.y} {box.width} {box.height}"


def read(pid, command):
    app = find_application(pid)
    if app is None:
        return None
    lines = []
    for node, depth in walk(app):
        role = node.getRole()
        name = node.name.replace("\n", " ")
        if command == "tree":
            lines.append(f"{'  ' * depth}{node.getRoleName()}\t{name}")
        elif command == "extents":
            try:
                lines.append(extents(node))
            except NotImplementedError:
                continue
        elif role in TEXT_ROLES:
            line = f"{node.getRoleName()}\t{name}"
            if command == "described":
                line += "\t" + node.description.replace("\n", " | ")
            lines.append(line)
    return lines


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("command", choices=["labels", "described", "tree", "extents"])
    parser.add_argument("pid", type=int)
    parser.add_argument("--wait", type=float, default=10.0)
    args = parser.parse_args()
    deadline = time.monotonic() + args.wait
    error = "not on the accessibility bus"
    while True:
        try:
            lines = read(args.pid, args.command)
            if lines:
                print("\n".join(lines))
                return 0
        except Exception as e:  # the program is still starting or just went away
            error = str(e)
        if time.monotonic() > deadline:
            print(f"atspi.py: process {args.pid}: {error}", file=sys.stderr)
            return 1
        time.sleep(0.1)


if __name__ == "__main__":
    sys.exit(main())
