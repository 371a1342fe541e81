#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A screen reader's view of the real program over AT-SPI.

    screen_reader.py path/to/kavrel

Run on a private X server inside a D-Bus session (tests/CMakeLists.txt):
the window's tree, the buttons' press actions, the texts and checked states
read back, and what the screen reader is told of each change. Exits 0 when
all holds.
"""
import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'web'))
from window import CAPTION  # noqa: E402

WAIT_S = 15
PRESS_S = 0.25


def wait_for(what, find):
    deadline = time.monotonic() + WAIT_S
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        pump()
        time.sleep(0.1)
    sys.exit(f"screen_reader: {what} did not appear")


def pump():
    context = GLib.MainContext.default()
    while context.iteration(False):
        pass


def descendants(node):
    for child in node:
        if child is not None:
            yield child
            yield from descendants(child)


def program_frame():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "kavrel":
            for frame in app:
                if frame is not None and frame.name == CAPTION:
                    return frame
    return None


def named(frame, role, name):
    for node in descendants(frame):
        if node.getRole() == role and node.name == name:
            return node
    sys.exit(f"screen_reader: no {pyatspi.roleToString(role)} named {name!r}")


def press(node):
    action = node.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names:
        sys.exit(f"screen_reader: {node.name!r} has no press action, only {names}")
    action.doAction(names.index("Press"))


def press_keys(frame, keys):
    # A push button's press clicks it a moment later, as a click that the
    # learner can see; a second press before then would be the same click.
    for key in keys:
        press(named(frame, pyatspi.ROLE_PUSH_BUTTON, key))
        time.sleep(PRESS_S)


def click_plane(frame, x, y):
    plane = named(frame, pyatspi.ROLE_IMAGE, "座標平面")
    extents = plane.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", "--sync", str(extents.x + x), str(extents.y + y), "click", "1"],
                   check=True)


def checked(node):
    return node.getState().contains(pyatspi.STATE_CHECKED)


def main():
    failures = []

    def expect(holds, what):
        print(("ok    " if holds else "FAIL  ") + what)
        if not holds:
            failures.append(what)

    told = []
    listener = lambda event: told.append((event.type, event.source.name, event.detail1))
    for kind in ("object:state-changed:checked", "object:text-changed", "object:property-change:accessible-name"):
        pyatspi.Registry.registerEventListener(listener, kind)

    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    program = subprocess.Popen([sys.argv[1]], env=environment)
    try:
        frame = wait_for("the program's frame", program_frame)
        expect(frame.getRole() == pyatspi.ROLE_FRAME, "the window is a frame named by its caption")
        line_button = named(frame, pyatspi.ROLE_PUSH_BUTTON, "定直線の方程式：")
        x_button = named(frame, pyatspi.ROLE_PUSH_BUTTON, "X座標")
        equation = named(frame, pyatspi.ROLE_LABEL, "定直線の方程式")
        expect(checked(line_button), "the fixed line's button is checked at start")

        press_keys(frame, ("Ｙ＝", "－", "２"))
        text = equation.queryText()
        wait_for("the equation Ｙ＝－２ in its field", lambda: text.getText(0, -1) == " Ｙ＝－２" or None)

        press(x_button)
        expect(checked(x_button), "X座標 is checked after its press")
        expect(not checked(line_button), "the fixed line's button is no longer checked")

        wait_for("the announcements", lambda: any(t[1] == "X座標" for t in told) or None)
        pump()
        expect(any(t[0].startswith("object:text-changed") and t[1] == "定直線の方程式" for t in told),
               "the equation field's change was announced")
        expect(("object:state-changed:checked", "X座標", 1) in told, "X座標 going down was announced")
        expect(("object:state-changed:checked", "定直線の方程式：", 0) in told,
               "the fixed line's button going up was announced")

        press_keys(frame, ("０", "決定", "１", "決定", "１", "決定", "１", "決定"))
        click_plane(frame, 396, 297)
        # F = (0, 1), the line Y = -2: P = (2, 1) is 2 from F and 3 from H.
        result = "点Ｐ (2.00 , 1.00)、ＰＦ：ＰＨ＝1.00:1.50 誤差＝1.00"
        renamed = "object:property-change:accessible-name"
        wait_for("the probe's result", lambda: any(t[0] == renamed and t[1] == result for t in told) or None)
        expect(any(node.getRole() == pyatspi.ROLE_LABEL and node.name == result for node in descendants(frame)),
               "the probe's result is read as a label")
    finally:
        program.terminate()
        program.wait(WAIT_S)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
