#!/usr/bin/python3
"""Where a program's window and its controls are, as a screen reader finds them.

    extents.py PID TITLE   the window titled TITLE, then each push button and combo box
                           in it, one per line: "role<TAB>name<TAB>x y width height", in
                           the program's device-independent pixels (QT_SCALE_FACTOR
                           divides the screen's)

Exits 1 while there is no such window on the bus. Needs the bus of lib.sh's
start_accessibility.
"""

import sys

import pyatspi

from atspi import extents, find_application, walk

ROLES = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_COMBO_BOX}


def read(pid, title):
    app = find_application(pid)
    if app is None:
        return None
    for window in app:
        if window is not None and window.name == title:
            return [extents(window)] + [extents(node) for node, _ in walk(window)
                                     if node.getRole() in ROLES]
    return None


def main():
    pid, title = int(sys.argv[1]), sys.argv[2]
    try:
        lines = read(pid, title)
    except Exception as e:  # the window is still being built or just went away
        lines, error = None, str(e)
    else:
        error = "no such window"
    if not lines:
        print(f"extents.py: process {pid}, window {title}: {error}", file=sys.stderr)
        return 1
    print("\n".join(lines))
    return 0


if __name__ == "__main__":
    sys.exit(main())
