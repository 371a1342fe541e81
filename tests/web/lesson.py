#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A whole lesson in the browser version, beside the same lesson in the
desktop build: the page in a browser and the program on the X server of
DISPLAY (run this through scripts/xvfb-session.sh), both given the same
clicks and keys. After every step of the lesson the plane's pixels must be
the same in both, and so must the texts at the top of the window.

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

The lesson: the keypad and "決定" for a parabola; clicks on the plane on and
off the curve; P on F with its one error box, answered with Return; the
zoom bar by its arrows, track, thumb and keys; "再試行" and an ellipse with
a root term; "終わる", after which the page says that the program has ended.
"""
import http.server
import os
import shutil
import subprocess
import sys
import tempfile
import threading
import time

from browser import Chromium, Firefox, WebKit
from pictures import decode_xwd

CAPTION = '２次曲線（Kavrelと焦点）'
SCREEN = (1280, 1024)
PLANE = (8, 29, 660, 660)           # the plane in the window's client area
TEXTS = [(10, 5, 200, 20), (345, 5, 355, 20)]   # P's text, the ratio's
KEYS = {
    'Ｘ＝': (755, 466), 'Ｙ＝': (851, 466),
    '７': (731, 514), '８': (779, 514), '９': (827, 514), '＋': (875, 514),
    '４': (731, 562), '５': (779, 562), '６': (827, 562), '－': (875, 562),
    '１': (731, 610), '２': (779, 610), '３': (827, 610), '√': (875, 610),
    '０': (731, 658), '．': (779, 658), '決定': (827, 658), '取消': (875, 658),
    '再試行': (974, 601), '終わる': (974, 665),
}
ZOOM = {'left arrow': (56, 704), 'right arrow': (609, 704), 'track': (200, 704), 'thumb': (330, 704)}
SILVER = (192, 192, 192)
# White field, silver grid, black axes, maroon points, aqua line, fuchsia and
# yellow segments.
PLANE_COLOURS = {(255, 255, 255), SILVER, (0, 0, 0), (128, 0, 0), (0, 255, 255), (255, 0, 255), (255, 255, 0)}
WAIT = 5.0

# (what the learner does, its argument); 'same' compares the two windows.
LESSON = [
    ('keys', 'Ｙ＝ － １ 決定 ０ 決定 １ 決定 １ 決定 １ 決定'), ('same', 'the parabola\'s conditions confirmed'),
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


def find_plane(picture):
    """The plane's top-left corner on a screenshot: a silver square."""
    for y in range(picture.height - PLANE[3]):
        for x in range(picture.width - PLANE[2]):
            if picture.pixel(x, y) == SILVER and picture.pixel(x + PLANE[2] - 1, y) == SILVER \
                    and picture.pixel(x, y + PLANE[3] - 1) == SILVER and picture.pixel(x + 1, y + 1) != SILVER:
                return x, y
    return None


class Page:
    """The browser version in a browser, given input as the way asks."""

    BROWSERS = {'chromium': Chromium, 'webkit': WebKit, 'firefox': Firefox}

    def __init__(self, site, browser, way):
        self.browser = Chromium(*SCREEN, touch=True) if way == 'touch' else self.BROWSERS[browser](*SCREEN)
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
        self.origin = None
        deadline = time.time() + WAIT
        while self.origin is None and time.time() < deadline:
            corner = find_plane(self.picture())
            if corner:
                self.origin = (corner[0] - PLANE[0], corner[1] - PLANE[1])
        if self.origin is None:
            raise RuntimeError('the page shows no plane')

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

    def click(self, point):
        x, y = self.origin[0] + point[0], self.origin[1] + point[1]
        if self.touch:
            self.browser.tap(x, y)
        else:
            self.browser.click(x, y)

    def drag(self, start, end):
        self.browser.drag([(self.origin[0] + x, self.origin[1] + y) for x, y in (start, end)], touch=self.touch)

    def key(self, name):
        self.browser.key(name)

    def error_box_shown(self):
        return error_box_over_the_plane(self.picture(), self.origin)

    def keeps_still_under_fingers(self):
        """A pinch and a double tap on the window zoom and scroll nothing of
        the page."""
        x, y = self.origin[0] + 690, self.origin[1] + 380   # the window's colour, beside the plane
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


class Program:
    """The desktop build on the X server."""

    def __init__(self, path):
        environment = dict(os.environ, QT_QPA_PLATFORM='xcb')
        self.process = subprocess.Popen([path], env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        self.window = None
        deadline = time.time() + 15
        while self.window is None and time.time() < deadline:
            found = self.windows()
            self.window = found[0] if found else None
            time.sleep(0.1)
        if self.window is None:
            raise RuntimeError('no window of the desktop program appeared')
        geometry = dict(line.split('=') for line in self.xdotool('getwindowgeometry', '--shell', self.window).split())
        self.origin = (int(geometry['X']), int(geometry['Y']))

    @staticmethod
    def xdotool(*arguments):
        return subprocess.run(['xdotool', *arguments], capture_output=True, text=True, check=False).stdout

    def windows(self):
        return self.xdotool('search', '--onlyvisible', '--pid', str(self.process.pid)).split()

    def picture(self):
        return decode_xwd(subprocess.run(['xwd', '-root', '-silent'], capture_output=True, check=True).stdout)

    def click(self, point):
        self.xdotool('mousemove', '--sync', str(self.origin[0] + point[0]), str(self.origin[1] + point[1]),
                     'click', '1')

    def drag(self, start, end):
        (x0, y0), (x1, y1) = [(self.origin[0] + x, self.origin[1] + y) for x, y in (start, end)]
        self.xdotool('mousemove', '--sync', str(x0), str(y0), 'mousedown', '1', 'mousemove', '--sync', str(x1), str(y1),
                     'mouseup', '1')

    def key(self, name):
        boxes = [window for window in self.windows() if window != self.window]
        target = boxes[0] if boxes else self.window
        self.xdotool('windowfocus', '--sync', target, 'key', name)

    def error_box_shown(self):
        return len(self.windows()) > 1

    def ended(self):
        try:
            return self.process.wait(WAIT) == 0
        except subprocess.TimeoutExpired:
            return False

    def close(self):
        if self.process.poll() is None:
            self.process.kill()


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
            browser = Chromium(width, height, touch=True, ratio=ratio)
            try:
                browser.navigate(site.url)
                if not browser.wait_for("document.body.dataset.state === 'running'", 30):
                    fail(f'{what}: the program did not start')
                    continue
                time.sleep(1)
                if not browser.evaluate('(c => c.width === Math.round(c.clientWidth * devicePixelRatio) && '
                                        'c.height === Math.round(c.clientHeight * devicePixelRatio))'
                                        '(document.querySelector("canvas"))'):
                    fail(f'{what}: the canvas does not have the page\'s device pixels')
                picture = browser.screenshot()
                frame = window_on(picture)
                if frame is None:
                    fail(f'{what}: the page does not hold the whole window')
                    continue
                # A strip across the top of the plane, below its outline; the
                # title bar begins at the client area's left edge, 4 pixels
                # below the frame's top, which is 26 above the client area.
                left, top = frame[0] + (PLANE[0] + 2) * ratio, frame[1] + (22 + PLANE[1] + 2) * ratio
                strip = picture.crop(left, top, min(PLANE[2] - 4, (frame[2] - left) // ratio - 30) * ratio, 4 * ratio)
                colours = {strip.pixel(x, y) for y in range(strip.height) for x in range(strip.width)}
                blurred = colours - PLANE_COLOURS
                if SILVER not in colours:
                    fail(f'{what}: no grid where the plane should be')
                elif blurred:
                    fail(f'{what}: the plane is not crisp: {sorted(blurred)[:4]}')
            finally:
                browser.close()
    check_without_webgl(site)


def check_without_webgl(site):
    """A browser that cannot draw the window gets a plain message."""
    browser = Chromium(*SCREEN, flags=['--disable-3d-apis'])
    try:
        browser.navigate(site.url)
        if not browser.wait_for("document.body.dataset.state === 'unsupported'", 30):
            fail('without WebGL the page does not say that the program cannot run')
        elif 'WebGL' not in browser.evaluate("document.getElementById('message').innerText"):
            fail('without WebGL the page\'s message does not name WebGL')
    finally:
        browser.close()


def error_box_over_the_plane(picture, origin):
    """Something over the plane that is not the plane: the error box, which
    comes up in the middle of the window. The plane itself holds only its
    own colours."""
    plane = region(picture, origin, PLANE)
    foreign = 0
    for i in range(0, len(plane.rgb), 3 * 7):
        if tuple(plane.rgb[i:i + 3]) not in PLANE_COLOURS:
            foreign += 1
    return foreign >= 500


def differences(page, program, what, keep):
    """What differs between the two windows now; waits for the browser to
    catch up with the desktop, which answers each step before it returns."""
    deadline = time.time() + WAIT
    while True:
        page_picture, program_picture = page.picture(), program.picture()
        found = []
        for name, rect in [('plane', PLANE), ('P text', TEXTS[0]), ('ratio text', TEXTS[1])]:
            mine, theirs = region(page_picture, page.origin, rect), region(program_picture, program.origin, rect)
            if mine.rgb != theirs.rgb:
                count = sum(1 for i in range(0, len(mine.rgb), 3) if mine.rgb[i:i + 3] != theirs.rgb[i:i + 3])
                found.append(f'{name}: {count} pixels differ')
                if time.time() >= deadline:
                    stem = os.path.join(keep, '-'.join((what + ' ' + name).replace('\'', '').replace(',', '').split()))
                    mine.save(stem + '-browser.ppm')
                    theirs.save(stem + '-desktop.ppm')
        if not found or time.time() >= deadline:
            return found
        time.sleep(0.2)


def run(page, program, keep):
    for action, argument in LESSON:
        time.sleep(0.05)
        if action == 'keys':
            for caption in argument.split():
                for window in (page, program):
                    window.click(KEYS[caption])
        elif action == 'plane':
            for window in (page, program):
                window.click((PLANE[0] + argument[0], PLANE[1] + argument[1]))
        elif action == 'zoom':
            for window in (page, program):
                window.click(ZOOM[argument])
        elif action == 'drag':
            part, by = argument
            for window in (page, program):
                window.drag(ZOOM[part], (ZOOM[part][0] + by, ZOOM[part][1]))
        elif action == 'zoomkey':
            # Fingers have no keys; the error box is still answered with Return.
            if not page.touch:
                for window in (page, program):
                    window.key(argument)
        elif action == 'box':
            for name, window in (('browser', page), ('desktop', program)):
                expect_one_box(name, window, argument)
        elif action == 'same':
            for difference in differences(page, program, argument, keep):
                fail(f'{argument}: {difference}')
    if page.touch and not page.keeps_still_under_fingers():
        fail('fingers on the window zoomed or scrolled the page')
    for window in (page, program):
        window.click(KEYS['終わる'])
    if not page.ended():
        fail('after 終わる the page does not say that the program has ended')
    if not program.ended():
        fail('after 終わる the desktop program did not end with exit code 0')


def expect_one_box(name, window, why):
    """One error box comes; Return closes it, and no other follows."""
    deadline = time.time() + WAIT
    while not window.error_box_shown():
        if time.time() > deadline:
            fail(f'{why}: the {name} shows no error box')
            return
        time.sleep(0.1)
    window.key('Return')
    time.sleep(1.0)
    if window.error_box_shown():
        fail(f'{why}: the {name}\'s error box is still there, or another came, after Return')


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    program_path, site_folder, browser, way = sys.argv[1:]
    keep = tempfile.mkdtemp(prefix='kavrel-lesson.')
    page = program = None
    try:
        site = Site(site_folder)
        if way == 'viewports':
            check_viewports(site)
            return finish(keep, browser, way)
        page = Page(site, browser, way)
        program = Program(program_path)
        if way == 'offline':
            page.reload_offline(site)
        if way == 'first-frame':
            for difference in differences(page, program, 'the first frame', keep):
                fail(f'the first frame: {difference}')
        else:
            run(page, program, keep)
    finally:
        for window in (page, program):
            if window:
                window.close()
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
