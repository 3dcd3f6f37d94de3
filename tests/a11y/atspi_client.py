# SPDX-FileCopyrightText: 2026 The Tarvelio developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the running Tarvelio through AT-SPI as a screen reader does, and checks what it
is told: the names of the chooser and its entries, the action on "DM", and the readout's
text-changed event after a typed digit."""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

failures = []


def check(what, got, expected):
    if got != expected:
        failures.append(f"{what}: expected {expected!r}, got {got!r}")


def find_app():
    deadline = time.time() + 20
    while time.time() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == "Tarvelio":
                return app
        time.sleep(0.2)
    sys.exit("FAIL: no application Tarvelio on the accessibility bus")


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def by_name(app, name, role=None):
    for node in walk(app):
        if node.name == name and (role is None or node.getRole() == role):
            return node
    return None


def by_role(app, role):
    return [node for node in walk(app) if node.getRole() == role]


app = find_app()
# The window maps while the client looks; wait for the controls.
deadline = time.time() + 10
readout = None
while time.time() < deadline and readout is None:
    readout = by_name(app, "0,00")
    time.sleep(0.2)
if readout is None:
    sys.exit("FAIL: no readout showing 0,00")
check("readout text", readout.queryText().getText(0, -1), "0,00")

dm = by_name(app, "DM \u2013 in D-Mark umrechnen", pyatspi.ROLE_PUSH_BUTTON)
if dm is None:
    sys.exit("FAIL: no button DM")
action = dm.queryAction()
names = [action.getName(i) for i in range(action.nActions)]
if "W\u00e4hrung w\u00e4hlen" not in names:
    failures.append(f"DM offers {names}, not W\u00e4hrung w\u00e4hlen")
if "Men\u00fctaste" not in dm.description:
    failures.append(f"DM's description does not name the keys: {dm.description!r}")

heard = []


def on_text(event):
    if event.type.startswith("object:text-changed:insert"):
        heard.append(event.any_data)


pyatspi.Registry.registerEventListener(on_text, "object:text-changed")


def steps():
    window = subprocess.run(["xdotool", "search", "--name", "^Tarvelio$"], capture_output=True, text=True).stdout.split()
    if window:
        subprocess.run(["xdotool", "windowfocus", "--sync", window[0]], check=False)
    subprocess.run(["xdotool", "type", "5"], check=False)
    GLib.timeout_add(1500, open_chooser)
    return False


def open_chooser():
    action.doAction(names.index("W\u00e4hrung w\u00e4hlen"))
    GLib.timeout_add(1500, finish)
    return False


def finish():
    pyatspi.Registry.stop()
    return False


GLib.timeout_add(500, steps)
pyatspi.Registry.start()

if "5,00" not in heard:
    failures.append(f"no text-changed event with 5,00 from the readout; heard {heard!r}")
combos = by_role(app, pyatspi.ROLE_COMBO_BOX)
check("chooser names", [c.name for c in combos], ["W\u00e4hrung: DEM"])
entries = [n.name for n in walk(app) if n.getRole() in (pyatspi.ROLE_LIST_ITEM, pyatspi.ROLE_TABLE_CELL)]
if "ATS \u2013 \u00d6sterreichische Schilling" not in entries:
    failures.append(f"the chooser's entries are {entries[:13]!r}")

if failures:
    print("FAIL:\n  " + "\n  ".join(failures))
    sys.exit(1)
print("screen reader view as expected")
