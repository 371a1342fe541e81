#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A classroom's fingers on the browser version: a seeded storm of clicks,
taps (two fingers too), drags, keys, wheel notches and page sizes, P on F
and the box's OK among them, given to the page in headless Chromium, then
to the desktop program on DISPLAY (under a window manager). Both then answer
one more click alike; the page threw nothing, said nothing more than a
handful of times, and is still running.

    monkey.py <desktop program> <web site folder> <seed> <events>
"""
import collections
import queue
import random
import re
import sys
import tempfile
import threading
import time
from contextlib import closing

from browser import wait_until
from lesson import KEYS, PARABOLA, PLANE, ZOOM, Page, Program, Site, expect_same, fail, finish
from window import CLIENT, CONTROLS

QUIT = CONTROLS['BtnSyuryo']        # "終わる", which would end the storm
STORM_KEYS = 'Return space Tab Left Right Up Down Prior Next Home End Escape'.split()
# Pages that hold the whole window. A smaller page fits the window to a
# smaller size and paints it anew, which on P's failing place reports the
# failure again, as the desktop's window does when it is resized; the
# lesson test turns and resizes the page mid-lesson.
PAGES = [(1280, 1024), (1920, 1080), (1100, 820)]
WARNINGS_ALLOWED = 5
FULL_WIDTH = str.maketrans('０１２３４５６７８９－', '0123456789-')
# Where F is, and the error box and its OK, read from the page's
# accessibility layer; the box's place is the window's client area's, OK's
# is the box's lower right corner's, as the box, wider on the page for its
# title, keeps it there.
LAYER = "[...document.querySelectorAll('[role=img], [role=slider]')].map(e => e.getAttribute('aria-description'))"
BOX = '''(box => box && box.querySelector('button') && ((w, o, i) => [o.x - w.x, o.y - w.y, o.width, o.height,
          i.x + i.width / 2 - o.right, i.y + i.height / 2 - o.bottom].map(Math.round))(
          document.querySelector('[role=region]').getBoundingClientRect(), box.getBoundingClientRect(),
          box.querySelector('button').getBoundingClientRect()))(document.querySelector('[role=alertdialog]'))'''
# The layer follows the program a timer's turn after an event.
SETTLED_BOX = f'new Promise(settle => setTimeout(settle)).then(() => {BOX})'
# A window manager places the box otherwise than the page: while it is
# open, the storm's fingers keep this far from it, title bar and all.
BOX_MARGIN = 60


def inside(point, rect, margin=0):
    """Whether a point is within a rectangle (left, top, width, height)
    grown by a margin on every side."""
    return (rect[0] - margin <= point[0] < rect[0] + rect[2] + margin
            and rect[1] - margin <= point[1] < rect[1] + rect[3] + margin)


class Storm:
    """Events one by one, from a seed and the page's state."""

    def __init__(self, seed, page):
        self.random, self.page, self.pending, self.box = random.Random(seed), page, [], None

    def anywhere(self):
        while True:
            x, y = self.random.randrange(CLIENT[0]), self.random.randrange(CLIENT[1])
            if not inside((x, y), QUIT) and self.clear((x, y)):
                return x, y

    def clear(self, point):
        """Whether a point is well away from the open box, if any."""
        return not self.box or not inside(point, self.box[:4], BOX_MARGIN)

    def target(self):
        """A key, the plane, F, the zoom bar's parts, or anywhere."""
        point = self.aim()
        return point if self.clear(point) else self.anywhere()

    def aim(self):
        choice = self.random.random()
        if choice < 0.15:
            return KEYS[self.random.choice([key for key in KEYS if key != '終わる'])]
        if choice < 0.30:
            return self.f() or self.anywhere()
        if choice < 0.45:
            return PLANE[0] + self.random.randrange(PLANE[2]), PLANE[1] + self.random.randrange(PLANE[3])
        return ZOOM[self.random.choice(list(ZOOM))] if choice < 0.52 else self.anywhere()

    def f(self):
        """F's pixel where the scale puts it on a whole pixel, else None."""
        read = ' '.join(filter(None, self.page.browser.evaluate(LAYER))).translate(FULL_WIDTH)
        scale, f = re.search(r'縮尺 (\d+)', read), re.search(r'定点Ｆ（(-?\d)，(-?\d)）', read)
        if not scale or not f or 660 % int(scale[1]):
            return None
        unit = 660 // int(scale[1])
        return PLANE[0] + 330 + int(f[1]) * unit, PLANE[1] + 330 - int(f[2]) * unit

    def key(self):
        key = self.random.choice(STORM_KEYS)
        if key in ('Return', 'space') and self.page.browser.evaluate('document.activeElement.textContent') == '終わる':
            return ('key', 'Tab')
        return ('key', key)

    def last(self):
        """The page as at the start."""
        self.box = self.page.browser.evaluate(SETTLED_BOX)
        return ('page', PAGES[0])

    def next(self):
        self.box = self.page.browser.evaluate(SETTLED_BOX)
        if self.pending and not self.box:
            return self.pending.pop(0)
        if self.random.random() < 0.03 and not self.f():
            # A learner starts again after 再試行 or a stray key: the
            # curve, and with it F and the error box, come back.
            self.pending = [('click', KEYS[caption]) for caption in PARABOLA.split()]
        choice = self.random.random()
        if self.box and choice < 0.1:
            return ('press_ok', tuple(self.box[4:]))
        if choice < 0.75:
            return ('click' if choice < 0.55 else 'tap', self.target())
        if choice < 0.80:
            return ('tap', self.target(), self.anywhere())
        if choice < 0.86:
            x, y = self.target()
            return ('drag', [(x, y)] + [(x + self.random.randint(-60, 60) * i // 4, y + self.random.randint(-8, 8))
                                        for i in range(1, 5)], self.random.random() < 0.5)
        if choice < 0.95:
            return self.key()
        if choice < 0.98:
            return ('wheel', self.target(), self.random.choice((-2, -1, 1, 2)))
        return ('page', self.random.choice(PAGES))


def give(window, event):
    kind, *arguments = event
    if kind != 'page':
        getattr(window, kind)(*arguments)
    elif isinstance(window, Page):
        window.resize(*arguments[0])


def box_as_on_the_page(program, shown):
    """The window manager maps and unmaps the desktop's box in its own time:
    each event waits until the box is as the page's was, lest a key or a
    click reach a window that is coming or going; whether it came to be."""
    return wait_until(lambda: program.error_box_shown() == shown, 30)


def follow(program, replayed, late):
    """The desktop's side of the storm: the page's events, each with whether
    the page's box was open before it; where the desktop's box first was
    not, that event's number goes to late."""
    for number, (event, shown) in enumerate(iter(replayed.get, None)):
        if not late and not box_as_on_the_page(program, shown):
            late.append((number, shown))
        give(program, event)


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    program_path, site_folder, seed, count = sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    keep = tempfile.mkdtemp(prefix='kavrel-monkey.')
    with closing(Page(Site(site_folder), 'chromium', 'storm')) as page, closing(Program(program_path)) as program:
        page.browser.send('Runtime.enable')
        storm, events = Storm(seed, page), []

        def stormed():
            yield from [('click', KEYS[key]) for key in PARABOLA.split()]
            yield from (storm.next() for _ in range(count))
            yield storm.last()

        # The desktop follows the page event by event, in a thread of its
        # own: both spend their time waiting for their window system.
        replayed, late = queue.Queue(), []
        desktop = threading.Thread(target=follow, args=(program, replayed, late), daemon=True)
        desktop.start()
        started = time.time()
        for event in stormed():
            give(page, event)
            replayed.put((event, bool(storm.box)))
            events.append(event)
        replayed.put(None)
        desktop.join()
        print(f'monkey: seed {seed}: {dict(collections.Counter(event[0] for event in events))}; '
              f'{time.time() - started:.0f} s')
        for number, shown in late:
            fail(f'before event {number} the page\'s error box was {"open" if shown else "closed"}, the desktop\'s '
                 f'not; the events before: {events[max(0, number - 6):number + 1]}')
        box_as_on_the_page(program, bool(page.browser.evaluate(SETTLED_BOX)))
        for window in (page, program):
            if window.error_box_shown():
                window.key('Return')
            window.click((PLANE[0] + 396, PLANE[1] + 297))
        expect_same(page, program, 'the probe\'s click after the storm', keep)
        check_page(page)
    return finish(keep, 'chromium', f'a storm of {count} events')


def check_page(page):
    for details in page.browser.collected('Runtime.exceptionThrown', 'exceptionDetails')[:3]:
        fail('the page threw: ' + details.get('exception', {}).get('description', details['text'])[:200])
    said = collections.Counter(' '.join(str(argument.get('value', '')) for argument in arguments)[:120]
                               for arguments in page.browser.collected('Runtime.consoleAPICalled', 'args'))
    for text, times in said.items():
        if times > WARNINGS_ALLOWED:
            fail(f'the page said {times} times: {text}')
    if page.browser.evaluate('document.body.dataset.state') != 'running':
        fail('the page is not running after the storm')


if __name__ == '__main__':
    sys.exit(main())
