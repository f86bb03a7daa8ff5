#!/usr/bin/python3
"""Reads, over AT-SPI, what a screen reader is told of the running petari.

  atspi_reader.py labels TITLE  for every text box, spin box and combo box shown
                                in the window of that title with a label next
                                to it, print a line when the label-for and
                                labelled-by relations do not join the two
The label next to a box is the one thing above it that starts where the box
starts; else its nearest neighbour on its row to the left; with nothing above
or to the left, its nearest neighbour to the right.  A box whose left
neighbour is another control has no label of its own (a grid of boxes).
  atspi_reader.py checks TITLE  print the names of the window's check boxes, one a line
  atspi_reader.py description NAME
                                print the description of the control of that name
  atspi_reader.py told SECONDS  for that long, print the name of each control a
                                screen reader is told has the focus
Exits 1 when the window or the control is not found.
"""
import sys
import time

import pyatspi

from atspi_drive import named, window

BOXES = {pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_PASSWORD_TEXT, pyatspi.ROLE_SPIN_BUTTON,
         pyatspi.ROLE_COMBO_BOX}
# What stands beside a box and may come between it and a label.
CONTROLS = BOXES | {pyatspi.ROLE_LABEL, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
                    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_LIST, pyatspi.ROLE_TABLE, pyatspi.ROLE_TREE,
                    pyatspi.ROLE_TREE_TABLE, pyatspi.ROLE_CANVAS}
# The gap, in pixels, beyond which a label above a box is no longer its own.
ABOVE_REACH = 12


def extents(node):
    e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    return e.x, e.y, e.x + e.width, e.y + e.height


def targets(node, relation):
    out = []
    for r in node.getRelationSet():
        if r.getRelationType() == relation:
            out += [r.getTarget(i) for i in range(r.getNTargets())]
    return out


def collect(win):
    """The controls shown, each as (node, parent, extents)."""
    found = []

    def walk(node, parent):
        if not node.getState().contains(pyatspi.STATE_SHOWING):
            return
        role = node.getRole()
        if role in CONTROLS and (role != pyatspi.ROLE_LABEL or node.name.strip()):
            found.append((node, parent, extents(node)))
        if role in CONTROLS - {pyatspi.ROLE_LABEL}:
            return   # items, editors and the field of a combo box are no controls of their own
        for child in node:
            if child is not None:
                walk(child, node)
    walk(win, None)
    return found


def next_to(box, controls):
    bl, bt, br, bb = box
    left, above, right = [], [], []
    for node, _, (l, t, r, b) in controls:
        if (l, t, r, b) == box:
            continue
        on_row = bt <= (t + b) / 2 <= bb
        if on_row and r <= bl + 2:
            left.append((bl - r, node, l))
        elif on_row and l >= br - 2:
            right.append((l - br, node, l))
        elif b <= bt + 2 and bt - b <= ABOVE_REACH and l < br and r > bl:
            above.append((bt - b, node, l))
    nearest_left = min(left, key=lambda p: p[0])[1] if left else None
    if nearest_left is not None and nearest_left.getRole() != pyatspi.ROLE_LABEL:
        return None
    if len(above) == 1 and abs(above[0][2] - bl) <= 4 and above[0][1].getRole() == pyatspi.ROLE_LABEL:
        return above[0][1]
    if nearest_left is not None:
        return nearest_left
    if right and not above:
        return min(right, key=lambda p: p[0])[1]
    return None


def check(title):
    win = window(title)
    if win is None:
        print(f"no window {title}", file=sys.stderr)
        return 1
    time.sleep(0.3)   # the window's controls come after the window
    controls = collect(win)
    for box, parent, at in controls:
        if box.getRole() not in BOXES:
            continue
        label = next_to(at, controls)
        if label is None or label.getRole() != pyatspi.ROLE_LABEL:
            continue
        # A key box is a frame round a text field: the frame is what is labelled.
        holders = [box] + ([parent] if parent is not None and parent.getRole() == pyatspi.ROLE_FILLER else [])
        named_by = [t for h in holders for t in targets(h, pyatspi.RELATION_LABELLED_BY)
                    if t.getRole() == pyatspi.ROLE_LABEL]
        labels_for = targets(label, pyatspi.RELATION_LABEL_FOR)
        if named_by != [label] or not any(t in holders for t in labels_for):
            heard = "」「".join(t.name for t in named_by) or "no label"
            print(f"{box.getRoleName()} 「{box.name}」 next to 「{label.name}」 is labelled by 「{heard}」")
    return 0


def checks(title):
    win = window(title)
    if win is None:
        return 1
    time.sleep(0.3)
    for node, _, _ in collect(win):
        if node.getRole() == pyatspi.ROLE_CHECK_BOX:
            print(node.name)
    return 0


def description(name):
    node = named(name)
    if node is None:
        return 1
    print(node.description)
    return 0


def told(seconds):
    from gi.repository import GLib

    def focused(event):
        if event.detail1 == 1:
            print(event.source.name, flush=True)
    pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")
    GLib.timeout_add(int(float(seconds) * 1000), pyatspi.Registry.stop)
    pyatspi.Registry.start()
    return 0


if __name__ == "__main__":
    verbs = {"labels": check, "checks": checks, "description": description, "told": told}
    if len(sys.argv) == 3 and sys.argv[1] in verbs:
        sys.exit(verbs[sys.argv[1]](sys.argv[2]))
    print(__doc__, file=sys.stderr)
    sys.exit(2)
