#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A whole lesson in the browser version, beside the same lesson in the
desktop build: the page in a browser and the program on the X server of
DISPLAY (run this through scripts/xvfb-session.sh), both given the same
clicks and keys. After every step of the lesson the plane's pixels must be
the same in both, and so must the strip at the top of the window (the
probe's texts and the credit).

    lesson.py <desktop program> <web site folder> <browser> <way>

    browser   chromium, webkit (WebKitGTK, the engine of Safari) or firefox
    way       mouse; touch: the clicks and drags as taps and drags of a
              finger, and the page does not zoom or scroll under fingers;
              offline: the lesson after the page, once opened, is reloaded
              with the web server gone; first-frame (firefox): only the
              window as it first appears; viewports (chromium): no lesson,
              the window on the screens of classroom devices at device
              pixel ratios 1, 2 and 3, fitted into the page and crisp, and
              a plain message in a browser without WebGL

After the lesson (LESSON below) comes "終わる", after which the page says
that the program has ended.
"""
import http.server
import os
import shutil
import sys
import tempfile
import threading
import time
from contextlib import closing

from browser import Chromium, Firefox, WebKit, wait_until
from desktop import PARABOLA, Program
from window import CAPTION, CLIENT, COLOURS, KEYS, PLANE, ZOOM

SCREEN = (1280, 1024)
WINDOW_SIZE = (1024, 768)           # the window as it is made, without a frame
FRAME_SIZE = (1032, 798)            # the window with Qt's frame on the page
# The window's corner as the page's accessibility layer places it, once the
# window is fitted to the page and stays put for a frame: a whole window
# centred by its frame, all of which is left of it, a larger one within the
# page.
FITTED = '''new Promise(found => {
    let last = null;
    const look = tries => requestAnimationFrame(() => setTimeout(() => {
        const r = document.querySelector('[role=region]').getBoundingClientRect();
        const corner = [r.x, r.y].map(Math.round);
        const fitted = r.width >= %d ? Math.abs(r.x - %d - (innerWidth - r.right)) <= 1
                                     : r.x >= 0 && r.right <= innerWidth && r.bottom <= innerHeight;
        if (fitted && last && corner.every((v, i) => v === last[i])) found(corner);
        else if (tries > 0) { last = fitted ? corner : null; look(tries - 1); }
        else found(null);
    }, 20));
    look(200);
})''' % (WINDOW_SIZE[0], FRAME_SIZE[0] - WINDOW_SIZE[0])
TOP_STRIP = (0, 0, CLIENT[0], 24)   # the probe's texts and the credit, above the plane
SILVER = COLOURS['silver']
# White field, silver grid, black axes, maroon points, aqua line, fuchsia and
# yellow segments.
PLANE_COLOURS = {COLOURS[name] for name in ('white', 'silver', 'black', 'maroon', 'aqua', 'fuchsia', 'yellow')}
WAIT = 5.0

# (what the learner does, its argument); 'same' compares the two windows.
LESSON = [
    ('keys', PARABOLA), ('same', 'the parabola\'s conditions confirmed'),
    ('plane', (396, 297)), ('plane', (264, 297)), ('plane', (363, 330)), ('same', 'three clicks, two kept'),
    ('plane', (330, 297)), ('box', 'P on F'), ('same', 'after the error box'),
    ('plane', (429, 264)), ('same', 'a click after the box'),
    ('zoom', 'right arrow'), ('zoom', 'right arrow'), ('same', 'two steps in'),
    ('zoom', 'track'), ('same', 'a page out'),
    ('drag', ('thumb', 80)), ('same', 'the thumb dragged'),
    ('zoomkey', 'Home'), ('same', 'Home'), ('zoomkey', 'End'), ('same', 'End'),
    ('zoomkey', 'Left'), ('same', 'a key step out'),
    ('keys', '再試行'), ('same', 'retried'),
    ('keys', 'Ｘ＝ ２ 決定 － ３ 決定 ４ 決定 √ ２ 決定 ３ 決定'), ('same', 'an ellipse\'s conditions'),
    ('plane', (100, 500)), ('plane', (500, 100)), ('same', 'two clicks on the ellipse'),
    ('plane', (330, 0)), ('same', 'a click at the top edge'),
]

failures = []


def fail(text):
    failures.append(text)
    print('lesson: FAIL: ' + text, file=sys.stderr)


class Site:
    """The web site on 127.0.0.1, as any static server would serve it."""

    def __init__(self, folder):
        handler = lambda *args: http.server.SimpleHTTPRequestHandler(*args, directory=folder)  # noqa: E731
        http.server.SimpleHTTPRequestHandler.log_message = lambda *args: None
        self.server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        self.url = f'http://127.0.0.1:{self.server.server_port}/'

    def stop(self):
        self.server.shutdown()
        self.server.server_close()


def find_plane(picture, ratio=1):
    """The plane's top-left corner on a screenshot at a pixel ratio: a silver
    square as large as the plane in the screenshot's pixels, its border a
    logical pixel wide. (A square of the plane's logical size at ratio 2
    is found among the grid's lines instead.)"""
    width, height = PLANE[2] * ratio, PLANE[3] * ratio
    for y in range(picture.height - height):
        for x in range(picture.width - width):
            if picture.pixel(x, y) == SILVER and picture.pixel(x + width - 1, y) == SILVER \
                    and picture.pixel(x, y + height - 1) == SILVER and picture.pixel(x + ratio, y + ratio) != SILVER:
                return x, y
    return None


class Page:
    """The browser version in a browser, given input as the way asks."""

    BROWSERS = {'chromium': Chromium, 'webkit': WebKit, 'firefox': Firefox}

    def __init__(self, site, browser, way, size=SCREEN, ratio=1):
        # A storm (monkey.py) has fingers as well as the mouse.
        fingers = way in ('touch', 'storm')
        self.browser = (Chromium(*size, touch=fingers, ratio=ratio) if browser == 'chromium'
                        else self.BROWSERS[browser](*size))
        self.ratio = ratio
        if browser == 'chromium':
            self.browser.count_uploads()
        self.touch = way == 'touch'
        try:
            self.browser.navigate(site.url)
            self.start()
        except Exception:
            self.browser.close()
            raise
        title = self.browser.evaluate('document.title')
        if title != CAPTION:
            fail(f'the page is titled {title!r}')

    def start(self):
        """Waits for the program and finds its window on the page."""
        if not self.browser.wait_for("document.body.dataset.state === 'running'", 30):
            raise RuntimeError('the page did not start the program: ' + str(self.browser.evaluate(
                'document.body.dataset.state + " " + document.body.innerText')))
        corner = wait_until(lambda: find_plane(self.picture(), self.ratio), WAIT, 'the page shows no plane')
        self.origin = (corner[0] // self.ratio - PLANE[0], corner[1] // self.ratio - PLANE[1])

    def resize(self, width, height, ratio=1):
        """The page at another size, as a tablet turned or a browser's window
        resized; the window is found again where the page fits it."""
        self.browser.send('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=ratio,
                          mobile=self.touch)
        self.ratio = ratio
        corner = self.browser.evaluate(FITTED)
        if corner is None:
            raise RuntimeError(f'the window was not fitted to a page of {width} x {height}')
        self.origin = tuple(corner)

    def press_ok(self, offset):
        """OK of the error box, at its place from the box's lower right
        corner."""
        corner = self.browser.evaluate("(box => box && [box.getBoundingClientRect().right, "
                                       "box.getBoundingClientRect().bottom])(document.querySelector('[role=alertdialog]'))")
        if corner:
            self.browser.click(round(corner[0]) + offset[0], round(corner[1]) + offset[1])

    def reload_offline(self, site):
        """Reloads the page, once the browser keeps the site, without the web
        server."""
        kept = self.browser.wait_for('navigator.serviceWorker.ready.then(() => caches.keys()).then(names =>'
                                     ' !!navigator.serviceWorker.controller'
                                     ' && names.some(name => name.startsWith("kavrel-")))', 30)
        if not kept:
            raise RuntimeError('the browser did not keep the site')
        site.stop()
        self.browser.reload()
        self.start()

    def picture(self):
        return self.browser.screenshot()

    def on_page(self, point):
        """A point of the window on the page."""
        return self.origin[0] + point[0], self.origin[1] + point[1]

    def click(self, point):
        (self.browser.tap if self.touch else self.browser.click)(*self.on_page(point))

    keys = Program.keys

    def drag(self, points, finger=None):
        self.browser.drag([self.on_page(point) for point in points], touch=self.touch if finger is None else finger)

    def tap(self, point, second=None):
        """A finger's tap, or two fingers' at once."""
        self.browser.touch('touchStart', [self.on_page(point) for point in filter(None, (point, second))])
        self.browser.touch('touchEnd', [])

    def wheel(self, point, lines):
        self.browser.wheel(*self.on_page(point), lines)

    def key(self, name):
        self.browser.key(name)

    def error_box_shown(self):
        """Something over the plane that is not the plane: the error box,
        which comes up in the middle of the window. The plane itself holds
        only its own colours, of which every seventh pixel tells."""
        plane = region(self.picture(), self.origin, PLANE)
        return sum(tuple(plane.rgb[i:i + 3]) not in PLANE_COLOURS for i in range(0, len(plane.rgb), 3 * 7)) >= 500

    def keeps_still_under_fingers(self):
        """A pinch and a double tap on the window zoom and scroll nothing of
        the page."""
        x, y = self.on_page((690, 380))   # the window's colour, beside the plane
        self.browser.touch('touchStart', [(x - 20, y), (x + 20, y)])
        for spread in range(30, 200, 30):
            self.browser.touch('touchMove', [(x - spread, y + spread // 3), (x + spread, y - spread // 3)])
        self.browser.touch('touchEnd', [])
        for _ in range(2):
            self.browser.tap(x, y)
        time.sleep(0.5)
        return self.browser.evaluate('visualViewport.scale === 1 && scrollX === 0 && scrollY === 0')

    def ended(self):
        return self.browser.wait_for("document.body.dataset.state === 'ended' && !document.querySelector('canvas')"
                                     " && document.body.innerText.includes('再読み込み')", WAIT)

    def close(self):
        self.browser.close()


def region(picture, origin, rect):
    return picture.crop(origin[0] + rect[0], origin[1] + rect[1], rect[2], rect[3])


# Classroom devices' pages, in CSS pixels, less the browser's own bars.
DEVICES = [('iPad, landscape', 1024, 698), ('iPad, portrait', 768, 954), ('Chromebook', 1366, 683),
           ('phone', 390, 664)]
TITLE_BAR = (48, 140, 198)    # Qt's title bar of the window on the page
FRAME = (118, 118, 118)       # the outer edge of the window's frame


def window_on(picture):
    """The window's frame on the page, (left, top, right, bottom), from its
    title bar and the frame's bottom edge; None where the page does not
    hold it whole."""
    rows = [y for y in range(picture.height) if picture.pixel(picture.width // 2, y) == TITLE_BAR]
    if not rows:
        return None
    y = rows[0]
    blue = [x for x in range(picture.width) if picture.pixel(x, y) == TITLE_BAR]
    left, right = blue[0], blue[-1]
    bottom = next((y for y in range(picture.height - 1, rows[-1], -1)
                   if picture.pixel((left + right) // 2, y) == FRAME and picture.pixel(left + 2, y) == FRAME), None)
    if left == 0 or right == picture.width - 1 or bottom is None:
        return None
    return left, y, right, bottom


def check_viewports(site):
    """On every device the window is fitted into the page, and drawn at the
    device's pixel ratio: a canvas of as many pixels, and grid lines that
    hold only the plane's own colours."""
    for name, width, height in DEVICES:
        for ratio in (1, 2, 3):
            what = f'{name} {width} x {height} at ratio {ratio}'
            with closing(Chromium(width, height, touch=True, ratio=ratio)) as browser:
                browser.navigate(site.url)
                if not browser.wait_for("document.body.dataset.state === 'running'", 30):
                    fail(f'{what}: the program did not start')
                    continue
                time.sleep(1)
                if not browser.evaluate('(c => c.width === Math.round(c.clientWidth * devicePixelRatio) && '
                                        'c.height === Math.round(c.clientHeight * devicePixelRatio))'
                                        '(document.querySelector("canvas"))'):
                    fail(f'{what}: the canvas does not have the page\'s device pixels')
                check_fitted(browser.screenshot(), ratio, what)
    check_refit(site)
    check_uploads(site)
    check_without_webgl(site)


def check_fitted(picture, ratio, what):
    """The page holds the whole window, centred where it is larger, with
    the plane drawn crisp; the window's frame, or None."""
    frame = window_on(picture)
    if frame is None:
        fail(f'{what}: the page does not hold the whole window')
        return None
    # The title bar lies within the frame's border, 4 pixels wide.
    room = picture.width - (frame[2] + 1 - frame[0])
    if room > 0 and abs(frame[0] - room // 2) > 4 * ratio + 1:
        fail(f'{what}: the window is not centred: {frame[0]} of {room} pixels on its left')
    # A strip across the top of the plane, below its outline; the title bar
    # begins at the client area's left edge, 4 pixels below the frame's
    # top, which is 26 above the client area.
    left, top = frame[0] + (PLANE[0] + 2) * ratio, frame[1] + (22 + PLANE[1] + 2) * ratio
    strip = picture.crop(left, top, min(PLANE[2] - 4, (frame[2] - left) // ratio - 30) * ratio, 4 * ratio)
    colours = {strip.pixel(x, y) for y in range(strip.height) for x in range(strip.width)}
    if SILVER not in colours:
        fail(f'{what}: no grid where the plane should be')
    elif colours - PLANE_COLOURS:
        fail(f'{what}: the plane is not crisp: {sorted(colours - PLANE_COLOURS)[:4]}')
    return frame


def check_refit(site):
    """Mid-lesson, a tablet turned and a browser resized: the window fitted
    and centred again, crisp, with its lesson, and on the turned tablet its
    scroll bar brings "再試行" into reach."""
    with closing(Page(site, 'chromium', 'touch', (1024, 768), 2)) as page:
        page.keys(PARABOLA)
        page.click((PLANE[0] + 396, PLANE[1] + 297))
        lesson = "document.querySelector('[role=img]').ariaDescription"
        kept = page.browser.evaluate(lesson)
        for width, height, ratio in ((768, 1024, 2), (1024, 768, 2), (800, 600, 1), (1920, 1080, 1), (768, 1024, 2)):
            page.resize(width, height, ratio)
            check_fitted(page.picture(), ratio, f'turned or resized to {width} x {height}')
            if page.browser.evaluate(lesson) != kept:
                fail(f'turned or resized to {width} x {height}: the lesson is not kept')
        bar = page.browser.evaluate("(b => [b.x + b.width - 30, b.y + b.height / 2])(document.querySelector("
                                    "'[role=slider]:not([aria-label])').getBoundingClientRect())")
        for _ in range(3):
            page.browser.tap(*bar)
        retry = page.browser.evaluate("(b => [b.x + b.width / 2, b.y + b.height / 2])([...document.querySelectorAll("
                                      "'button')].find(b => b.textContent === '再試行').getBoundingClientRect())")
        if not 0 < retry[0] < 768:
            fail(f'the window\'s scroll bar does not bring 再試行 onto a turned tablet: it is at {retry[0]}')
        page.browser.tap(*retry)
        if not page.browser.wait_for("document.querySelector('[aria-label=定直線の方程式]').textContent === ''", 5):
            fail('再試行 did not retry on a turned tablet')


def check_uploads(site):
    """At pixel ratio 2 a frame uploads what changed: for a key a tenth of
    the window at most, for a click on the plane the plane's rectangle."""
    with closing(Page(site, 'chromium', 'mouse', SCREEN, 2)) as page:
        page.keys(PARABOLA)
        left, top, right, bottom = (2 * v for v in (PLANE[0], PLANE[1], PLANE[0] + PLANE[2], PLANE[1] + PLANE[3]))
        for gesture, point, most in (('．', KEYS['．'], FRAME_SIZE[0] * FRAME_SIZE[1] * 4 // 10),
                                     ('the plane', (PLANE[0] + 396, PLANE[1] + 297), PLANE[2] * PLANE[3] * 4.4)):
            time.sleep(1)
            page.browser.evaluate('kavrelUploads.length = 0')
            page.click(point)
            time.sleep(1)
            uploads = page.browser.evaluate('kavrelUploads')
            # The plane's rectangle, in the bands of the region uploaded.
            covered = sum(max(0, min(x + w, right) - max(x, left)) * max(0, min(y + h, bottom) - max(y, top))
                          for x, y, w, h in uploads) >= (right - left) * (bottom - top)
            if sum(w * h for _, _, w, h in uploads) > most or (gesture == 'the plane' and not covered):
                fail(f'at ratio 2 {gesture} uploads {uploads}: more than what changed')


def check_without_webgl(site):
    """A browser that cannot draw the window gets a plain message."""
    with closing(Chromium(*SCREEN, flags=['--disable-3d-apis'])) as browser:
        browser.navigate(site.url)
        if not browser.wait_for("document.body.dataset.state === 'unsupported'", 30):
            fail('without WebGL the page does not say that the program cannot run')
        elif 'WebGL' not in browser.evaluate("document.getElementById('message').innerText"):
            fail('without WebGL the page\'s message does not name WebGL')


def expect_same(page, program, what, keep):
    """The plane and the top strip alike in the two windows; waits for the
    browser to catch up with the desktop, which answers each step before it
    returns, then keeps the regions that still differ in `keep`."""
    deadline = time.time() + WAIT
    while True:
        late = time.time() >= deadline
        page_picture, program_picture = page.picture(), program.picture()
        same = True
        for name, rect in [('plane', PLANE), ('top strip', TOP_STRIP)]:
            mine, theirs = region(page_picture, page.origin, rect), region(program_picture, program.origin, rect)
            if mine.rgb != theirs.rgb:
                same = False
                if late:
                    count = sum(1 for i in range(0, len(mine.rgb), 3) if mine.rgb[i:i + 3] != theirs.rgb[i:i + 3])
                    fail(f'{what}: {name}: {count} pixels differ')
                    stem = os.path.join(keep, '-'.join((what + ' ' + name).replace('\'', '').replace(',', '').split()))
                    mine.save(stem + '-browser.ppm')
                    theirs.save(stem + '-desktop.ppm')
        if same or late:
            return
        time.sleep(0.2)


# What each of the learner's actions does to a window.
ACTIONS = {
    'keys': lambda window, captions: window.keys(captions),
    'plane': lambda window, at: window.click((PLANE[0] + at[0], PLANE[1] + at[1])),
    'zoom': lambda window, part: window.click(ZOOM[part]),
    'drag': lambda window, by: window.drag([ZOOM[by[0]], (ZOOM[by[0]][0] + by[1], ZOOM[by[0]][1])]),
}


def run(page, program, keep):
    for action, argument in LESSON:
        time.sleep(0.05)
        if action in ACTIONS:
            for window in (page, program):
                ACTIONS[action](window, argument)
        elif action == 'zoomkey':
            # Fingers have no keys; the error box is still answered with Return.
            if not page.touch:
                for window in (page, program):
                    window.key(argument)
        elif action == 'box':
            for name, window in (('browser', page), ('desktop', program)):
                expect_one_box(name, window, argument)
        elif action == 'same':
            expect_same(page, program, argument, keep)
    if page.touch and not page.keeps_still_under_fingers():
        fail('fingers on the window zoomed or scrolled the page')
    for window in (page, program):
        window.click(KEYS['終わる'])
    if not page.ended():
        fail('after 終わる the page does not say that the program has ended: ' +
             str(page.browser.evaluate('document.body.dataset.state + " " + document.body.innerText')))
    if not program.ended():
        fail('after 終わる the desktop program did not end with exit code 0')


def expect_one_box(name, window, why):
    """One error box comes; Return closes it, and no other follows."""
    if not wait_until(window.error_box_shown, WAIT):
        fail(f'{why}: the {name} shows no error box')
        return
    window.key('Return')
    time.sleep(1.0)
    if window.error_box_shown():
        fail(f'{why}: the {name}\'s error box is still there, or another came, after Return')


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    program_path, site_folder, browser, way = sys.argv[1:]
    keep = tempfile.mkdtemp(prefix='kavrel-lesson.')
    site = Site(site_folder)
    if way == 'viewports':
        check_viewports(site)
        return finish(keep, browser, way)
    with closing(Page(site, browser, way)) as page, closing(Program(program_path)) as program:
        if way == 'offline':
            page.reload_offline(site)
        if way == 'first-frame':
            expect_same(page, program, 'the first frame', keep)
        else:
            run(page, program, keep)
    return finish(keep, browser, way)


def finish(keep, browser, way):
    if failures:
        print(f'lesson: {len(failures)} failures; the differing regions are in {keep}', file=sys.stderr)
        return 1
    shutil.rmtree(keep)
    print(f'lesson: {browser}, {way}: the browser and the desktop showed the same at every step')
    return 0


if __name__ == '__main__':
    sys.exit(main())
