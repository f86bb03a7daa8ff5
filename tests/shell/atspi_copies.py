#!/usr/bin/python3
"""Reads and points at the controls of one of several running copies of
petari over AT-SPI, each copy found by its process id.

  atspi_copies.py input PID          print the text of the copy's input box
  atspi_copies.py focus-input PID    give the copy's input box the focus
  atspi_copies.py where PID TEXT     print the screen centre "X Y" of the
                                     copy's list line TEXT
Exits 1 when the copy or the control is not found within 30 s.
"""
import sys
import time

import pyatspi


def find_app(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:
            pass
    return None


def find(node, pred, depth=0):
    if node is None or depth > 40:
        return None
    try:
        if pred(node):
            return node
        for child in node:
            hit = find(child, pred, depth + 1)
            if hit is not None:
                return hit
    except Exception:
        pass
    return None


def wait_for(pid, pred):
    deadline = time.time() + 30
    while time.time() < deadline:
        hit = find(find_app(pid), pred)
        if hit is not None:
            return hit
        time.sleep(0.2)
    return None


def is_input_box(n):
    # The one multi-line text of the main window.
    return n.getRole() == pyatspi.ROLE_TEXT and n.getState().contains(pyatspi.STATE_MULTI_LINE)


def main(argv):
    if len(argv) < 3:
        print(__doc__, file=sys.stderr)
        return 2
    command, pid = argv[1], int(argv[2])
    if command in ("input", "focus-input"):
        box = wait_for(pid, is_input_box)
        if box is None:
            return 1
        if command == "focus-input":
            return 0 if box.queryComponent().grabFocus() else 1
        text = box.queryText()
        print(text.getText(0, text.characterCount))
        return 0
    if command == "where" and len(argv) == 4:
        # An item of the line list, in sight (the table of contents holds
        # the same texts as list items).
        line = wait_for(pid, lambda n: n.name == argv[3]
                        and n.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL)
                        and n.parent is not None and n.parent.name == "行の一覧"
                        and n.getState().contains(pyatspi.STATE_SHOWING))
        if line is None:
            return 1
        e = line.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        print(e.x + e.width // 2, e.y + e.height // 2)
        return 0
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
