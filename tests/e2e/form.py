#!/usr/bin/python3
"""Reads a running program's dialogs as a screen reader reads a form.

    form.py controls PID   role, name (for a drop-down: the entry it shows) and the
                           names of the labels that label it (AT-SPI's labelled-by
                           relation), tab-separated, of every element, one per line in
                           tree order
    form.py focused PID    role and name of the element that has the keyboard focus in
                           the active window
    form.py focus PID      runs until stopped: a line "ready" once it listens, then for
                           each element that takes the focus its role, name and
                           description and its parent's role and name, tab-separated
                           (a drop-down's suggestions are a popup window outside the
                           tree; a screen reader meets them this way)

A drop-down's own list (every zone, in the chooser) is not read. Exits 1 when the program
is not on the accessibility bus or, for focused, nothing has the focus.
"""

import sys

import pyatspi

from atspi import shown_text


def walk(node):
    yield node
    if node.getRole() == pyatspi.ROLE_COMBO_BOX:
        return
    for child in node:
        if child is not None:
            yield from walk(child)


def labels(node):
    names = []
    for relation in node.getRelationSet():
        if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY:
            for i in range(relation.getNTargets()):
                names.append(relation.getTarget(i).name)
    return " | ".join(names)


def follow_focus(pid):
    def focused(event):
        try:
            node = event.source
            if event.detail1 != 1 or node.get_application().get_process_id() != pid:
                return
            parent = node.parent
            print(f"{node.getRoleName()}\t{node.name}\t{node.description}\t"
                  f"{parent.getRoleName()}\t{parent.name}", flush=True)
        except Exception:  # the element went away before it could be read
            pass

    pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
    print("ready", flush=True)
    pyatspi.Registry.start()
    return 0


def main():
    command, pid = sys.argv[1], int(sys.argv[2])
    if command == "focus":
        return follow_focus(pid)
    for app in pyatspi.Registry.getDesktop(0):
        if app is None or app.get_process_id() != pid:
            continue
        if command == "controls":
            for node in walk(app):
                name = shown_text(node) if node.getRole() == pyatspi.ROLE_COMBO_BOX else node.name
                print(f"{node.getRoleName()}\t{name}\t{labels(node)}")
            return 0
        # An inactive window may still report the focus its list had.
        for top in app:
            if top is not None and top.getState().contains(pyatspi.STATE_ACTIVE):
                for node in walk(top):
                    if node.getState().contains(pyatspi.STATE_FOCUSED):
                        print(f"{node.getRoleName()}\t{node.name}")
                        return 0
        return 1
    return 1


if __name__ == "__main__":
    try:
        sys.exit(main())
    except Exception as e:  # the program is changing its windows under us
        print(f"form.py: {e}", file=sys.stderr)
        sys.exit(1)
