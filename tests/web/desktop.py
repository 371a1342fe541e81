#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The desktop program on the X server of DISPLAY, driven as a learner
drives it: real X events through xdotool, its windows found by the process
id they carry. The web lessons drive it beside the page. Run as a script,
it drives a program that another started (scripts/nothing-written.sh under
strace, scripts/memcheck.sh under valgrind) through the short lesson below:

    desktop.py <pid of the program> <path of the program>

Exits 0 when every step found what it drives. For slow runs
KAVREL_SESSION_WAIT_TENTHS and KAVREL_SESSION_STEP_PAUSE give more time.
"""
import os
import subprocess
import sys
import time

from browser import wait_until
from pictures import decode_xwd
from window import KEYS, PLANE, ZOOM

# The line Y = -1, F = (0, 1), PF : PH = 1 : 1: a parabola.
PARABOLA = 'Ｙ＝ － １ 決定 ０ 決定 １ 決定 １ 決定 １ 決定'
WAIT = int(os.environ.get('KAVREL_SESSION_WAIT_TENTHS', '600')) / 10
STEP_PAUSE = float(os.environ.get('KAVREL_SESSION_STEP_PAUSE', '0.05'))


class Program:
    """The desktop build on the X server: started here, or running already
    as the process `pid`."""

    def __init__(self, path, accessible=False, pid=None):
        self.path, self.process, self.pid = path, None, pid
        if pid is None:
            environment = dict(os.environ, QT_QPA_PLATFORM='xcb')
            if accessible:
                environment['QT_LINUX_ACCESSIBILITY_ALWAYS_ON'] = '1'
            self.process = subprocess.Popen([path], env=environment, stdout=subprocess.DEVNULL,
                                            stderr=subprocess.PIPE)
            self.pid = self.process.pid
        # Its windows, or True once it has ended without one.
        found = wait_until(lambda: self.windows() or not self.alive(), WAIT)
        if not isinstance(found, list):
            raise RuntimeError('no window of the desktop program appeared')
        self.window, self.pointer = found[0], None
        self.origin = self.geometry(self.window)[:2]

    @staticmethod
    def geometry(window):
        """A window's client area, (left, top, width, height) on the screen,
        once the window manager, which places a window after it has framed
        it, let it be."""
        geometry, settled = None, Program.measure(window)
        while settled != geometry:
            time.sleep(0.2)
            geometry, settled = settled, Program.measure(window)
        return geometry

    @staticmethod
    def measure(window):
        info = subprocess.run(['xwininfo', '-id', window], capture_output=True, text=True, check=False).stdout
        values = dict(line.strip().split(':', 1) for line in info.splitlines() if ':' in line)
        return tuple(int(values[name]) for name in ('Absolute upper-left X', 'Absolute upper-left Y', 'Width', 'Height'))

    @staticmethod
    def xdotool(*arguments):
        return subprocess.run(['xdotool', *arguments], capture_output=True, text=True, check=False).stdout

    def alive(self):
        try:
            os.kill(self.pid, 0)
            return self.process is None or self.process.poll() is None
        except ProcessLookupError:
            return False

    def pids(self, pid=None):
        """The program's process and its descendants: under strace the
        program is a child of the process started."""
        pid = pid or self.pid
        children = []
        try:
            for task in os.listdir(f'/proc/{pid}/task'):
                with open(f'/proc/{pid}/task/{task}/children', encoding='ascii') as listed:
                    children += listed.read().split()
        except OSError:
            pass
        return [pid] + [p for child in children for p in self.pids(int(child))]

    def windows(self):
        return [window for pid in self.pids() for window in
                self.xdotool('search', '--onlyvisible', '--pid', str(pid)).split()]

    def boxes(self):
        return [window for window in self.windows() if window != self.window]

    def picture(self):
        return decode_xwd(subprocess.run(['xwd', '-root', '-silent'], capture_output=True, check=True).stdout)

    def moves(self, *points):
        """xdotool's moves of the pointer to points of the window; --sync,
        which waits for the pointer to move, waits for ever where it is."""
        parts = []
        for x, y in points:
            at = (self.origin[0] + x, self.origin[1] + y)
            parts += ['mousemove', *(['--sync'] if at != self.pointer else []), str(at[0]), str(at[1])]
            self.pointer = at
        return parts

    def click(self, point, button=1, repeat=1):
        self.xdotool(*self.moves(point), 'click', '--repeat', str(repeat), '--delay', '40', str(button))

    def keys(self, captions):
        for caption in captions.split():
            self.click(KEYS[caption])

    def drag(self, points, finger=None):
        self.xdotool(*self.moves(points[0]), 'mousedown', '1', *self.moves(*points[1:]), 'mouseup', '1')

    def tap(self, point, second=None):
        """A finger is the mouse on the desktop; of two, the first."""
        self.click(point)

    def wheel(self, point, lines):
        self.xdotool(*self.moves(point), 'click', '--repeat', str(abs(lines)), '5' if lines > 0 else '4')

    def key(self, name):
        boxes = self.boxes()
        self.xdotool('windowfocus', '--sync', boxes[0] if boxes else self.window, 'key', name)

    def error_box_shown(self):
        return bool(self.boxes())

    def press_ok(self, offset):
        boxes = self.boxes()
        if boxes:
            x, y, width, height = self.geometry(boxes[0])
            self.click((x + width + offset[0] - self.origin[0], y + height + offset[1] - self.origin[1]))

    def ended(self):
        try:
            return self.process.wait(5) == 0
        except subprocess.TimeoutExpired:
            return False

    def close(self):
        if self.process and self.process.poll() is None:
            self.process.kill()


def check_error_box(program):
    """The box the click on F opens: captioned with the application's title,
    owned by the main window, with nothing to minimise or maximise (Motif
    hints: functions 8 and 16, decorations 32 and 64); Return closes it."""
    box = wait_until(program.boxes, WAIT, 'no error box after the click on F')[0]
    # The program file's name cut at its first ".", every character after
    # the first in lower case.
    name = os.path.basename(program.path).split('.')[0]
    title = name[:1] + name[1:].lower()
    if program.xdotool('getwindowname', box).strip() != title:
        raise RuntimeError(f'the error box is not captioned {title}')
    owner = subprocess.run(['xprop', '-id', box, 'WM_TRANSIENT_FOR'], capture_output=True, text=True).stdout
    if int(owner.split()[-1], 16) != int(program.window):
        raise RuntimeError(f'the error box is not owned by the main window: {owner}')
    hints = subprocess.run(['xprop', '-id', box, '_MOTIF_WM_HINTS'], capture_output=True, text=True).stdout
    functions, decorations = (int(value, 0) for value in hints.split('=')[1].split(',')[1:3])
    if functions & 24 or decorations & 96:
        raise RuntimeError(f'the error box can be minimised or maximised: {hints}')
    program.key('Return')
    if not wait_until(lambda: not program.boxes(), WAIT):
        raise RuntimeError('the error box did not close')


def lesson(program):
    def step(action, *arguments):
        if not program.alive():
            raise RuntimeError('the program ended early')
        action(*arguments)
        time.sleep(STEP_PAUSE)

    def keys(captions):
        for caption in captions.split():
            step(program.click, KEYS[caption])

    def plane(x, y, button=1, repeat=1):
        step(program.click, (PLANE[0] + x, PLANE[1] + y), button, repeat)

    keys(PARABOLA)
    plane(396, 297)            # P = (2, 1): on the parabola, kept
    plane(363, 330)            # P = (1, 0): off it
    plane(264, 297, 3)         # P = (-2, 1), right button: kept
    plane(429, 330, 2)         # middle button
    plane(462, 363, 1, 2)      # a double click
    plane(330, 297)            # P on F = (0, 1): the division error
    check_error_box(program)
    plane(396, 297)            # back on the curve
    for part in ('right arrow', 'right arrow', 'left arrow', 'track'):
        step(program.click, ZOOM[part])
    thumb = ZOOM['thumb']
    step(program.drag, [thumb, (thumb[0] - 80, thumb[1]), (thumb[0] + 70, thumb[1])])
    keys('再試行 Ｘ＝ ２ 決定 － ３ 決定 ４ 決定 √ ２ 決定 ３ 決定')
    plane(100, 500)
    plane(600, 100, 1, 2)
    keys('終わる')


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    try:
        lesson(Program(sys.argv[2], pid=int(sys.argv[1])))
    except (RuntimeError, ValueError, IndexError) as error:
        sys.exit(f'session: {error}')
    return 0


if __name__ == '__main__':
    sys.exit(main())
