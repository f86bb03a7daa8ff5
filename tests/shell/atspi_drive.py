#!/usr/bin/python3
"""Drives the running petari as assistive technology does, over AT-SPI.

  atspi_drive.py press CAPTION     press the menu item or button of that caption
                                   without waiting for the reply (a modal window
                                   it opens would hold the reply back)
  atspi_drive.py lines             print the main list's lines
Exits 1 when the application or the control is not found within 20 s.
"""
import sys
import time

import pyatspi


def find_app(name="petari"):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == name:
            return app
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


def wait_for(pred):
    deadline = time.time() + 60
    while time.time() < deadline:
        app = find_app()
        hit = find(app, pred) if app else None
        if hit is not None:
            return hit
        time.sleep(0.2)
    return None


def press(caption, wait=False):
    roles = (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_MENU_ITEM)
    node = wait_for(lambda n: n.name == caption and n.getRole() in roles)
    if node is None:
        print(f"no control named {caption}", file=sys.stderr)
        return 1
    # The reply comes only when the action's handler returns; a modal window
    # opened by it would hold the call until it closes.  The call is made by
    # a child left running, so this returns at once.
    if wait:
        node.queryAction().doAction(0)
        return 0
    import subprocess
    subprocess.Popen([sys.executable, __file__, "press-and-wait", caption],
                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, start_new_session=True)
    time.sleep(0.5)
    return 0


def lines():
    lst = wait_for(lambda n: n.getRole() == pyatspi.ROLE_LIST and n.name in ("", "List1_0") and n.childCount > 0)
    if lst is None:
        return 1
    for child in lst:
        print(child.name)
    return 0


if __name__ == "__main__":
    if len(sys.argv) >= 3 and sys.argv[1] == "press":
        sys.exit(press(sys.argv[2]))
    if len(sys.argv) >= 3 and sys.argv[1] == "press-and-wait":
        sys.exit(press(sys.argv[2], wait=True))
    if len(sys.argv) == 2 and sys.argv[1] == "lines":
        sys.exit(lines())
    print(__doc__, file=sys.stderr)
    sys.exit(2)
