#!/usr/bin/python3
"""Reads the game board over the accessibility bus as a screen reader would.

Starts the board window program given as the first argument, finds it among
the bus's applications, checks the board's table of cells and the game status,
then asks the window for a take, the keyboard focus and a mission's end and
checks the events a screen reader hears. Exits 0 when all was heard."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []


def check(ok, what):
    print(("ok    " if ok else "FAIL  ") + what)
    if not ok:
        failures.append(what)


def find_app(pid, seconds=20):
    end = time.time() + seconds
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for app in desktop:
            try:
                if app is not None and app.get_process_id() == pid:
                    return app
            except Exception:
                pass
        time.sleep(0.2)
    return None


def find(node, predicate, depth=0):
    if node is None or depth > 30:
        return None
    try:
        if predicate(node):
            return node
        for child in node:
            found = find(child, predicate, depth + 1)
            if found is not None:
                return found
    except Exception:
        pass
    return None


def read_statics(app):
    table = find(app, lambda n: n.getRole() == pyatspi.ROLE_TABLE and n.name == "Game board")
    check(table is not None, "the board is a table named 'Game board'")
    if table is None:
        return None, None
    check(table.childCount == 36, f"the board has 36 cells ({table.childCount})")
    t = table.queryTable()
    check(t.nRows == 6 and t.nColumns == 6, f"6 rows and 6 columns ({t.nRows} x {t.nColumns})")
    cell = t.getAccessibleAt(2, 3)
    check(cell is not None and cell.name == "row 3, column 4: red gloop, 2x",
          f"row 3, column 4 reads '{cell.name if cell else None}'")
    check(table.getChildAtIndex(0).name == "row 1, column 1: red gloop", "the first cell reads its tile")
    status = find(app, lambda n: n.description == "Game status")
    check(status is not None and status.name == "Mission: 1  Your turn",
          f"the status says the turn ('{status.name if status else None}')")
    return table, status


def listen(window, table, status):
    heard = []

    def on_event(event):
        try:
            heard.append((event.type, event.source.name))
        except Exception:
            pass

    pyatspi.Registry.registerEventListener(
        on_event, "object:property-change:accessible-name", "object:state-changed:focused")
    steps = ["take", "focus", "over"]

    def next_step():
        if steps:
            window.stdin.write(steps.pop(0) + "\n")
            window.stdin.flush()
            return True
        GLib.timeout_add(1500, lambda: pyatspi.Registry.stop())
        return False

    GLib.timeout_add(500, next_step)
    GLib.timeout_add(15000, lambda: pyatspi.Registry.stop())
    pyatspi.Registry.start()
    names = [name for kind, name in heard if kind.startswith("object:property-change:accessible-name")]
    focused = [name for kind, name in heard if kind.startswith("object:state-changed:focused")]
    check("row 3, column 4: empty" in names, "the taken cell's new name is announced")
    check(not any(n.startswith("row 1, column 1") for n in names), "unchanged cells stay quiet")
    check("row 1, column 2: red gloop" in focused, f"the cursor's cell takes the focus ({focused})")
    check("Out of Time!" in names, "the end of the mission is announced")


def main():
    window = subprocess.Popen([sys.argv[1]], stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
    try:
        ready = window.stdout.readline().strip()
        check(ready == "ready", "the board window started")
        app = find_app(window.pid)
        check(app is not None, "the board window is on the accessibility bus")
        if app is not None:
            table, status = read_statics(app)
            if table is not None:
                listen(window, table, status)
    finally:
        try:
            window.stdin.write("quit\n")
            window.stdin.flush()
            window.wait(10)
        except Exception:
            window.kill()
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
