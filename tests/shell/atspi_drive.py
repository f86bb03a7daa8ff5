#!/usr/bin/python3
"""Drives the running petari as assistive technology does, over AT-SPI.

  atspi_drive.py press CAPTION     press the menu item or button of that caption
                                   without waiting for the reply (a modal window
                                   it opens would hold the reply back);
                                   "お気に入り(O)/編集(E)" presses the item
                                   inside the menu of the first caption
  atspi_drive.py lines             print the main list's lines
  atspi_drive.py unnamed TITLE     print the interactive controls of the window
                                   of that title that have no name, one a line
  atspi_drive.py toggle NAME       toggle the check box or radio button of that
                                   name through its accessibility action
  atspi_drive.py text NAME         print the text of the box of that name
  atspi_drive.py focus NAME        give the control of that name the focus
  atspi_drive.py focused           print the name of the control with the focus
  atspi_drive.py heard SECONDS     for that long, print each item of a list that
                                   a screen reader is told has the focus
  atspi_drive.py extents NAME      print x y width height of the shown control
                                   or window of that name, on the screen
  atspi_drive.py labels            print the text of every shown label
Exits 1 when the application or the control is not found within 60 s.
"""
import re
import sys
import time

import pyatspi

# What a user acts on, and so must hear a name for.
INTERACTIVE = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_ENTRY,
    pyatspi.ROLE_SPIN_BUTTON, pyatspi.ROLE_SLIDER, pyatspi.ROLE_LIST, pyatspi.ROLE_LIST_BOX, pyatspi.ROLE_TABLE,
    pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_CHECK_MENU_ITEM,
    pyatspi.ROLE_RADIO_MENU_ITEM, pyatspi.ROLE_MENU, pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_CANVAS,
}
# The items of a list, a table or a tree are named by their text, which may
# be empty (an empty line); they are not controls of their own.
ITEMS = {
    pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_TREE_ITEM, pyatspi.ROLE_COLUMN_HEADER,
    pyatspi.ROLE_ROW_HEADER, pyatspi.ROLE_TABLE_ROW, pyatspi.ROLE_SCROLL_BAR,
}


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
        if node.getRole() in (pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE, pyatspi.ROLE_LIST) and depth > 0:
            return None   # their items are no controls
        for child in node:
            hit = find(child, pred, depth + 1)
            if hit is not None:
                return hit
    except Exception:
        pass
    return None


def wait_for(pred, root=None):
    deadline = time.time() + 60
    while time.time() < deadline:
        top = root if root is not None else find_app()
        hit = find(top, pred) if top else None
        if hit is not None:
            return hit
        time.sleep(0.2)
    return None


def showing(node):
    return node.getState().contains(pyatspi.STATE_VISIBLE)


def window(title):
    roles = (pyatspi.ROLE_FRAME, pyatspi.ROLE_DIALOG, pyatspi.ROLE_WINDOW)

    def is_window(n):
        return n.getRole() in roles and n.name == title and showing(n)
    deadline = time.time() + 60
    while time.time() < deadline:
        app = find_app()
        for child in (app or []):
            if child is not None and is_window(child):
                return child
        time.sleep(0.2)
    return None


def press(caption, wait=False):
    roles = (pyatspi.ROLE_MENU_ITEM, pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_CHECK_MENU_ITEM)
    root = None
    # A "/" inside brackets belongs to the caption (a favourite's path).
    *menus, last = re.split(r"/(?![^()]*\))", caption)
    for m in menus:
        root = wait_for(lambda n, m=m: n.name == m and n.getRole() in roles + (pyatspi.ROLE_MENU,), root)
    node = wait_for(lambda n: n.name == last and n.getRole() in roles, root)
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
    lst = wait_for(lambda n: n.getRole() in (pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE) and n.name == "行の一覧")
    if lst is None:
        return 1
    table = lst.queryTable()
    for row in range(table.nRows):
        print(table.getAccessibleAt(row, 0).name)
    return 0


def unnamed(title):
    win = window(title)
    if win is None:
        print(f"no window {title}", file=sys.stderr)
        return 1
    time.sleep(0.3)   # the window's controls come after the window

    def walk(node, path):
        role = node.getRole()
        if role in ITEMS:
            return
        state = node.getState()
        interactive = role in INTERACTIVE or state.contains(pyatspi.STATE_FOCUSABLE)
        # The items of a closed menu are not shown, like the hidden ones:
        # the menus' own tests look at every item.
        if interactive and state.contains(pyatspi.STATE_VISIBLE) and not node.name.strip():
            print(f"{node.getRoleName()} in {path}")
        for child in node:
            if child is not None:
                walk(child, f"{path} > {node.name or node.getRoleName()}")
    walk(win, "")
    return 0


def named(name, roles=None):
    return wait_for(lambda n: n.name == name and (roles is None or n.getRole() in roles) and showing(n))


def toggle(name):
    node = named(name, (pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON))
    if node is None:
        print(f"no check box or radio button named {name}", file=sys.stderr)
        return 1
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Toggle") if "Toggle" in names else 0)
    return 0


def text(name):
    node = named(name)
    if node is None:
        return 1
    t = node.queryText()
    sys.stdout.write(t.getText(0, t.characterCount))
    return 0


def focus(name):
    node = named(name)
    if node is None:
        return 1
    node.queryComponent().grabFocus()
    return 0


def focused():
    hit = wait_for(lambda n: n.getState().contains(pyatspi.STATE_FOCUSED))
    if hit is None:
        return 1
    print(hit.name)
    return 0


def heard(seconds):
    from gi.repository import GLib

    def told(event):
        if event.detail1 == 1 and event.source.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL):
            print(event.source.name, flush=True)
    pyatspi.Registry.registerEventListener(told, "object:state-changed:focused")
    GLib.timeout_add(int(float(seconds) * 1000), pyatspi.Registry.stop)
    pyatspi.Registry.start()
    return 0


def extents(name):
    node = named(name)
    if node is None:
        return 1
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    print(e.x, e.y, e.width, e.height)
    return 0


def labels():
    if wait_for(lambda n: n.getRole() == pyatspi.ROLE_LABEL and showing(n)) is None:
        return 1

    def walk(node):
        if node.getRole() == pyatspi.ROLE_LABEL and showing(node):
            print(node.name)
        if node.getRole() not in (pyatspi.ROLE_TABLE, pyatspi.ROLE_LIST):
            for child in node:
                if child is not None:
                    walk(child)
    walk(find_app())
    return 0


if __name__ == "__main__":
    verbs = {"press": press, "lines": lines, "unnamed": unnamed, "toggle": toggle, "text": text, "focus": focus,
             "focused": focused, "heard": heard, "extents": extents, "labels": labels}
    if len(sys.argv) >= 3 and sys.argv[1] == "press-and-wait":
        sys.exit(press(sys.argv[2], wait=True))
    if len(sys.argv) >= 2 and sys.argv[1] in verbs:
        sys.exit(verbs[sys.argv[1]](*sys.argv[2:]))
    print(__doc__, file=sys.stderr)
    sys.exit(2)
