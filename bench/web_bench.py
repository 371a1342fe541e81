#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The browser version's figures, beside the desktop build's: headless
Chromium (Debian's) over its DevTools protocol, the site served on
127.0.0.1 as a server that serves the site's brotli and gzip copies does.

    web_bench.py <bench site folder> <plane_bench's JSON output>

- the bytes of a first visit, each file raw and as transferred;
- the time from navigation to the window's first frame, cold (a new
  browser profile) and warm (the same profile again), against the bare Qt
  window with the same 43 captions (bare.html), both started by the same
  page;
- a click on the plane to the frame that shows it, and the zoom thumb
  dragged over the whole bar to its last frame, against plane_bench's
  figures for the same on the desktop.

Frames are told by the page itself: a script given to every new document
counts WebGL's draw calls and notes the time of each animation frame that
drew, and of each pointer event.
"""
import http.server
import json
import os
import statistics
import sys
import threading
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'tests', 'web'))
from browser import Chromium  # noqa: E402
from lesson import PLANE, find_plane  # noqa: E402

SCREEN = (1280, 1024)
STARTS = 7
CLICKS = 40
ZOOM_BAR = (48, 696, 569, 17)   # in the window's client area
# Gets a page's frames and pointer events noted, on performance.now()'s
# clock (milliseconds from the start of the navigation).
FRAME_WATCH = '''
(() => {
  const marks = window.kavrelBench = {frames: [], events: [], draws: 0};
  for (const kind of [window.WebGLRenderingContext, window.WebGL2RenderingContext]) {
    if (!kind) continue;
    for (const name of ['drawArrays', 'drawElements']) {
      const draw = kind.prototype[name];
      kind.prototype[name] = function (...args) { marks.draws++; return draw.apply(this, args); };
    }
  }
  const requestFrame = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = callback => requestFrame(time => {
    const before = marks.draws;
    callback(time);
    if (marks.draws > before) marks.frames.push(performance.now());
  });
  for (const type of ['pointerdown', 'pointerup'])
    addEventListener(type, () => marks.events.push([type, performance.now()]), true);
})();
'''


class CompressingHandler(http.server.SimpleHTTPRequestHandler):
    """Serves a file's .br or .gz copy when the browser takes it."""

    def send_head(self):
        path = self.translate_path(self.path.split('?')[0])
        accepted = self.headers.get('Accept-Encoding', '')
        for encoding, suffix in (('br', '.br'), ('gzip', '.gz')):
            if encoding in accepted and os.path.isfile(path + suffix):
                with open(path + suffix, 'rb') as copy:
                    body = copy.read()
                self.send_response(200)
                self.send_header('Content-Type', self.guess_type(path))
                self.send_header('Content-Encoding', encoding)
                self.send_header('Content-Length', str(len(body)))
                self.send_header('Last-Modified', self.date_time_string(os.path.getmtime(path)))
                self.end_headers()
                self.body = body
                return None
        self.body = None
        return super().send_head()

    def do_GET(self):
        handle = self.send_head()
        if self.body is not None:
            self.wfile.write(self.body)
        elif handle:
            with handle:
                self.copyfile(handle, self.wfile)

    def log_message(self, *args):
        pass


def serve(folder):
    server = http.server.ThreadingHTTPServer(('127.0.0.1', 0), lambda *a: CompressingHandler(*a, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return f'http://127.0.0.1:{server.server_port}/'


def watched_browser():
    browser = Chromium(*SCREEN)
    browser.send('Page.enable')
    browser.send('Page.addScriptToEvaluateOnNewDocument', source=FRAME_WATCH)
    return browser


def open_page(browser, url):
    """Navigates and waits for the window's first frame; its time."""
    browser.navigate(url)
    if not browser.wait_for('window.kavrelBench && kavrelBench.frames.length > 0', 30):
        raise RuntimeError(f'{url}: no frame')
    return browser.evaluate('kavrelBench.frames[0]')


def first_visit_bytes(url, site):
    browser = watched_browser()
    try:
        browser.send('Network.enable')
        open_page(browser, url)
        time.sleep(2)   # the service worker keeps the site meanwhile
        transferred = browser.collected('Network.loadingFinished', 'encodedDataLength')
    finally:
        browser.close()
    files = []
    for root, _, names in os.walk(site):
        for name in names:
            if not name.endswith(('.gz', '.br')) and not name.startswith('bare'):
                path = os.path.join(root, name)
                files.append((os.path.relpath(path, site), *(os.path.getsize(path + suffix)
                                                               for suffix in ('', '.gz', '.br'))))
    return sum(transferred), sorted(files, key=lambda file: -file[1])


def start_times(url):
    cold, warm = [], []
    for _ in range(STARTS):
        browser = watched_browser()
        try:
            cold.append(open_page(browser, url))
            time.sleep(1)
            warm.append(open_page(browser, url))
        finally:
            browser.close()
    return statistics.median(cold), statistics.median(warm)


def frame_after(browser, event):
    """Milliseconds from the last such pointer event to the first frame that
    drew after it."""
    found = browser.wait_for(f'''(() => {{
        const events = kavrelBench.events.filter(e => e[0] === '{event}');
        const at = events[events.length - 1][1];
        return kavrelBench.frames.some(frame => frame > at);
      }})()''', 5)
    if not found:
        raise RuntimeError('no frame after the ' + event)
    return browser.evaluate(f'''(() => {{
        const events = kavrelBench.events.filter(e => e[0] === '{event}');
        const at = events[events.length - 1][1];
        return kavrelBench.frames.find(frame => frame > at) - at;
      }})()''')


def interaction_times(url):
    browser = watched_browser()
    try:
        open_page(browser, url)
        corner = find_plane(browser.screenshot())
        origin = (corner[0] - PLANE[0], corner[1] - PLANE[1])
        clicks = []
        for i in range(CLICKS):
            x, y = origin[0] + PLANE[0] + 100 + 11 * i, origin[1] + PLANE[1] + 200 + 7 * i
            browser.click(x, y)
            clicks.append(frame_after(browser, 'pointerup'))
        left, top, width, height = ZOOM_BAR
        y = origin[1] + top + height // 2
        drags = []
        for _ in range(5):
            # The thumb at the left end, then dragged to the right end.
            browser.drag([(origin[0] + left + 30, y), (origin[0] + left - 200, y)])
            start, end = origin[0] + left + 26, origin[0] + left + width - 26
            browser.drag([(start + (end - start) * step // 100, y) for step in range(101)])
            pressed = browser.evaluate("kavrelBench.events.filter(e => e[0] === 'pointerdown').pop()[1]")
            drags.append(frame_after(browser, 'pointerup') + browser.evaluate(
                "kavrelBench.events.filter(e => e[0] === 'pointerup').pop()[1]") - pressed)
        return statistics.median(clicks), statistics.median(drags)
    finally:
        browser.close()


def desktop_figures(path):
    with open(path) as file:
        runs = json.load(file)['benchmarks']
    median = {run['name'].split('/')[0]: run.get('median_ms') for run in runs if 'median_ms' in run}
    return median['ClickOnPlane'], median['ThumbDrag']


def verdict(met):
    return 'met' if met else 'MISSED'


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    site, desktop_json = sys.argv[1:]
    url = serve(site)
    transferred, files = first_visit_bytes(url + 'index.html', site)
    print('Web site, a first visit in headless Chromium from 127.0.0.1 (brotli where served):')
    print(f'  {"file":32} {"raw":>12} {"gzip":>12} {"brotli":>12}')
    for name, raw, gzipped, brotli in files:
        print(f'  {name:32} {raw:12,} {gzipped:12,} {brotli:12,}')
    print(f'  transferred in all: {transferred:,} bytes  (goal <= 4,000,000)  {verdict(transferred <= 4e6)}')

    program_cold, program_warm = start_times(url + 'index.html')
    bare_cold, bare_warm = start_times(url + 'bare.html')
    print(f'Start-up to the window\'s first frame, medians of {STARTS}:')
    for name, program, bare in (('cold', program_cold, bare_cold), ('warm', program_warm, bare_warm)):
        ratio = program / bare
        print(f'  {name}: kavrel {program:8.1f} ms, bare window {bare:8.1f} ms: {ratio:.2f} x  '
              f'(goal <= 1.10 x)  {verdict(ratio <= 1.10)}')
    print(f'  warm under 1 s: {verdict(program_warm < 1000)}')

    click, drag = interaction_times(url + 'index.html')
    desktop_click, desktop_drag = desktop_figures(desktop_json)
    print('In the page against the desktop build (plane_bench), medians:')
    for name, web, desktop in (('click on the plane to its frame', click, desktop_click),
                               ('thumb drag 0..100 to its last frame', drag, desktop_drag)):
        ratio = web / desktop
        print(f'  {name}: {web:8.2f} ms against {desktop:8.3f} ms: {ratio:.1f} x  (goal <= 2 x)  '
              f'{verdict(ratio <= 2)}')


if __name__ == '__main__':
    main()
