"""The running Ordlen over AT-SPI, as a screen reader reads it; exits 1 with the reason."""
import os
import sqlite3
import subprocess
import sys

import pyatspi
from gi.repository import GLib


def fail(reason):
    print(reason)
    sys.exit(1)


def find_app():
    return next((app for app in pyatspi.Registry.getDesktop(0) if app is not None and app.name == "Ordlen"), None)


def rows(root):
    found = pyatspi.utils.findAllDescendants(root, lambda a: a.getRole() == pyatspi.ROLE_LIST_ITEM)
    return {row.name: row.getState().contains(pyatspi.STATE_CHECKED) for row in found}


def controls(root):
    return {(a.getRoleName(), a.name, a.getState().contains(pyatspi.STATE_CHECKED))
            for a in pyatspi.utils.findAllDescendants(root, lambda a: a.name)}


def stored():
    """Each task's title and whether it is done, read from the store file."""
    with sqlite3.connect(f"file:{os.environ['XDG_DATA_HOME']}/Ordlen/OrdlenStore.sqlite?mode=ro", uri=True) as db:
        return dict(db.execute("SELECT title, isCompleted FROM TaskItem"))


def wait_for(condition, seconds=5):
    deadline = GLib.get_monotonic_time() + seconds * 1000000
    while not condition() and GLib.get_monotonic_time() < deadline:
        GLib.MainContext.default().iteration(False)
    return condition()


if not wait_for(lambda: find_app() is not None):
    fail("no Ordlen on the accessibility bus")
ordlen = find_app()
if not wait_for(lambda: rows(ordlen) == {"Milk": False, "Bread": False}):
    fail(f"the rows read {rows(ordlen)}, not Milk and Bread, both not done")

missing = {("push button", "Switch Workspace", False), ("panel", "Task filter", False),
           ("push button", "All", True), ("push button", "Done", False), ("push button", "Settings", False),
           ("check box", "Complete Milk", False), ("text", "Task title", False), ("push button", "Add Subtask", False),
           ("push button", "Delete Task", False), ("push button", "New Task", False),
           ("push button", "Search", False)} - controls(ordlen)
if missing:
    fail(f"missing or wrong: {missing}")

told = []
pyatspi.Registry.registerEventListener(
    lambda event: event.detail1 == 1 and event.source.getRole() == pyatspi.ROLE_ALERT and told.append(event.source.name),
    "object:state-changed:showing")
expected = []
for keys, message, tasks in [(["Down", "space"], "Milk, done", {"Milk": 1, "Bread": 0}),
                             (["Delete"], "Task deleted", {"Bread": 0}),
                             (["ctrl+z"], "Undone: Delete Task", {"Milk": 1, "Bread": 0})]:
    subprocess.run(["xdotool", "key", *keys], check=True)
    expected.append(message)
    if not wait_for(lambda: told == expected and stored() == tasks):
        fail(f"told {told}, expected {expected}; stored {stored()}, expected {tasks}")
if not wait_for(lambda: rows(ordlen) == {"Milk": True, "Bread": False}):
    fail(f"after the undo the rows read {rows(ordlen)}")
subprocess.run(["xdotool", "key", "ctrl+f"], check=True)
if not wait_for(lambda: ("text", "Search tasks", False) in controls(ordlen)):
    fail("no search field after Ctrl+F")
print("ok")
