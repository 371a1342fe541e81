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
  figures for the same on the desktop: by the clock, and by the work the
  page does for them (the time in its event handlers, timers and animation
  frame callbacks) against the desktop's processor time;
- what a frame costs, at pixel ratios 1 and 2, with Chromium's processor
  throttled 1 x and 4 x (a low-end Chromebook, an older iPad): the pixels
  uploaded to WebGL and the page's work for a press of "．" and for a click
  on the plane, and the work of each frame of the thumb's drag.

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
from lesson import FRAME_SIZE, KEYS, PARABOLA, PLANE, find_plane  # noqa: E402
from window import CONTROLS  # noqa: E402

SCREEN = (1280, 1024)
STARTS = 11
CLICKS = 40
ZOOM_BAR = CONTROLS['ScrollBar1']   # in the window's client area
# Gets a page's frames and pointer events noted, on performance.now()'s
# clock (milliseconds from the start of the navigation), and the time the
# page's own work takes: every event handler, timer and animation frame
# callback.
FRAME_WATCH = '''
(() => {
  const marks = window.kavrelBench = {frames: [], events: [], draws: 0, busy: {events: 0, timers: 0, frames: 0},
                                       work: [], sinceFrame: 0};
  const timed = (work, kind) => function (...args) {
    const start = performance.now();
    try { return work.apply(this, args); } finally {
      marks.busy[kind] += performance.now() - start;
      marks.sinceFrame += performance.now() - start;
    }
  };
  for (const kind of [window.WebGLRenderingContext, window.WebGL2RenderingContext]) {
    if (!kind) continue;
    for (const name of ['drawArrays', 'drawElements']) {
      const draw = kind.prototype[name];
      kind.prototype[name] = function (...args) { marks.draws++; return draw.apply(this, args); };
    }
  }
  const requestFrame = window.requestAnimationFrame.bind(window);
  // A frame's work: what ran since the last frame that drew, and its own.
  window.requestAnimationFrame = callback => requestFrame(time => {
    const start = performance.now(), before = marks.draws;
    try { callback(time); } finally {
      const spent = performance.now() - start;
      marks.busy.frames += spent;
      marks.sinceFrame += spent;
      if (marks.draws > before) {
        marks.frames.push(performance.now());
        marks.work.push(marks.sinceFrame);
        marks.sinceFrame = 0;
      }
    }
  });
  const setTimer = window.setTimeout.bind(window);
  window.setTimeout = (callback, ...rest) =>
    setTimer(typeof callback === 'function' ? timed(callback, 'timers') : callback, ...rest);
  // Qt takes the pointer's events through the canvas's onpointer* handlers.
  for (const name of ['onpointerdown', 'onpointermove', 'onpointerup', 'onpointerenter', 'onpointerleave']) {
    const handler = Object.getOwnPropertyDescriptor(HTMLElement.prototype, name);
    Object.defineProperty(HTMLElement.prototype, name, {
      configurable: true, enumerable: handler.enumerable, get() { return handler.get.call(this); },
      set(work) { handler.set.call(this, typeof work === 'function' ? timed(work, 'events') : work); },
    });
  }
  const handlers = new WeakMap();
  const listen = EventTarget.prototype.addEventListener, unlisten = EventTarget.prototype.removeEventListener;
  EventTarget.prototype.addEventListener = function (type, handler, options) {
    if (typeof handler === 'function') {
      if (!handlers.has(handler)) handlers.set(handler, timed(handler, 'events'));
      handler = handlers.get(handler);
    }
    return listen.call(this, type, handler, options);
  };
  EventTarget.prototype.removeEventListener = function (type, handler, options) {
    return unlisten.call(this, type, handlers.get(handler) || handler, options);
  };
  for (const type of ['pointerdown', 'pointerup'])
    listen.call(window, type, () => marks.events.push([type, performance.now()]), true);
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


def watched_browser(ratio=1):
    browser = Chromium(*SCREEN, ratio=ratio)
    browser.count_uploads()
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


def start_times(urls):
    """For each page, the medians of the first frame's time, cold and warm,
    each with the time by which the .wasm was in hand (fetched, or read
    from a cache). The pages take turns, so that they meet the machine in
    the same state."""
    starts = {url: ([], []) for url in urls}
    wasm_in_hand = "performance.getEntriesByType('resource').find(e => e.name.includes('.wasm')).responseEnd"
    for _ in range(STARTS):
        for url in urls:
            browser = watched_browser()
            try:
                for kind in starts[url]:
                    kind.append((open_page(browser, url), browser.evaluate(wasm_in_hand)))
                    time.sleep(1)
            finally:
                browser.close()
    return [[tuple(statistics.median(start[i] for start in kind) for i in (0, 1)) for kind in starts[url]]
            for url in urls]


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
    """The click and the drag: from the press to the frame that shows the
    last of it, by the clock and by the page's own work."""
    browser = watched_browser()
    try:
        open_page(browser, url)
        corner = find_plane(browser.screenshot())
        origin = (corner[0] - PLANE[0], corner[1] - PLANE[1])
        clicks, drags = [], []

        def measured(gesture):
            """The clock, the work in all, in event handlers, timers and frames."""
            busy = browser.evaluate('kavrelBench.busy')
            gesture()
            pressed = browser.evaluate("kavrelBench.events.filter(e => e[0] === 'pointerdown').pop()[1]")
            released = browser.evaluate("kavrelBench.events.filter(e => e[0] === 'pointerup').pop()[1]")
            clock = released - pressed + frame_after(browser, 'pointerup')
            after = browser.evaluate('kavrelBench.busy')
            parts = [after[kind] - busy[kind] for kind in ('events', 'timers', 'frames')]
            return clock, sum(parts), *parts

        for i in range(CLICKS):
            x, y = origin[0] + PLANE[0] + 100 + 11 * i, origin[1] + PLANE[1] + 200 + 7 * i
            clicks.append(measured(lambda: browser.click(x, y)))
        left, top, width, height = ZOOM_BAR
        y = origin[1] + top + height // 2
        # The thumb's middle at the bar's two ends (where the whole bar's
        # drag starts and ends on the desktop too) and where it starts.
        start, end, middle = (origin[0] + left + x for x in (26, width - 26, width // 2))
        browser.drag([(middle, y), (start, y)])
        frame_after(browser, 'pointerup')
        for i in range(6):
            first, last = (start, end) if i % 2 == 0 else (end, start)
            drags.append(measured(lambda: browser.drag([(first + (last - first) * step // 100, y)
                                                        for step in range(101)])))
        return [tuple(statistics.median(run[i] for run in runs) for i in range(5)) for runs in (clicks, drags)]
    finally:
        browser.close()


def frame_costs(url):
    """At each pixel ratio and throttling: the median pixels uploaded and
    work for a press of ．and for a click on the plane, and the median and
    longest work of a frame of the thumb's drag over the whole bar."""
    costs = {}
    for ratio in (1, 2):
        for throttle in (1, 4):
            browser = watched_browser(ratio)
            try:
                open_page(browser, url)
                corner = find_plane(browser.screenshot(), ratio)
                origin = (corner[0] // ratio - PLANE[0], corner[1] // ratio - PLANE[1])

                def at(x, y):
                    return origin[0] + x, origin[1] + y

                for caption in PARABOLA.split():
                    browser.click(*at(*KEYS[caption]))
                time.sleep(1)
                browser.send('Emulation.setCPUThrottlingRate', rate=throttle)

                def cost(gesture):
                    browser.evaluate('kavrelUploads.length = 0; kavrelBench.work.length = 0')
                    gesture()
                    time.sleep(1)
                    uploaded = sum(width * height for _, _, width, height in browser.evaluate('kavrelUploads'))
                    return uploaded, browser.evaluate('kavrelBench.work')

                key = [cost(lambda: browser.click(*at(*KEYS['．']))) for _ in range(5)]
                plane = [cost(lambda i=i: browser.click(*at(PLANE[0] + 100 + 11 * i, PLANE[1] + 200 + 7 * i)))
                         for i in range(5)]
                left, top, width, height = ZOOM_BAR
                y = top + height // 2
                # The thumb is taken from the middle to the start first:
                # pressed at the start of the bar, the track would page.
                browser.drag([at(left + width // 2, y), at(left + 26, y)])
                time.sleep(1)
                _, drag = cost(lambda: browser.drag([at(left + 26 + (width - 52) * step // 100, y)
                                                     for step in range(101)]))
                costs[ratio, throttle] = [
                    *[(statistics.median(up for up, _ in runs), statistics.median(sum(work) for _, work in runs))
                      for runs in (key, plane)],
                    (statistics.median(drag), max(drag), sum(1 for work in drag if work > 1000 / 60), len(drag))]
            finally:
                browser.close()
    return costs


def desktop_figures(path):
    """The click's and the drag's medians, by the clock and by processor time."""
    with open(path) as file:
        runs = json.load(file)['benchmarks']
    medians = {run['name'].split('/')[0]: (run['median_ms'], run['median_cpu_ms'])
               for run in runs if 'median_ms' in run}
    return medians['ClickOnPlane'], medians['ThumbDrag']


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

    (program_cold, program_warm), (bare_cold, bare_warm) = start_times([url + 'index.html', url + 'bare.html'])
    print(f'Start-up to the window\'s first frame, medians of {STARTS}, with when the .wasm was in hand:')
    for name, program, bare in (('cold', program_cold, bare_cold), ('warm', program_warm, bare_warm)):
        ratio = program[0] / bare[0]
        print(f'  {name}: kavrel {program[0]:7.1f} ms ({program[1]:6.1f}), bare window {bare[0]:7.1f} ms '
              f'({bare[1]:6.1f}): {ratio:.2f} x  (goal <= 1.10 x)  {verdict(ratio <= 1.10)}')
    print(f'  warm under 1 s: {verdict(program_warm[0] < 1000)}')

    click, drag = interaction_times(url + 'index.html')
    desktop = desktop_figures(desktop_json)
    print('In the page against the desktop build (plane_bench), medians; the clock from the press to the frame')
    print('that shows the last of the gesture, and the work (the page\'s event handlers, timers and frame')
    print('callbacks; the desktop\'s processor time):')
    for name, web, (wall, processor) in (('click on the plane', click, desktop[0]),
                                          ('thumb drag 0..100', drag, desktop[1])):
        for what, mine, theirs in (('clock', web[0], wall), ('work', web[1], processor)):
            ratio = mine / theirs
            print(f'  {name}, {what}: {mine:8.2f} ms against {theirs:8.3f} ms: {ratio:5.1f} x  (goal <= 2 x)  '
                  f'{verdict(ratio <= 2)}')
        print(f'    the work in event handlers {web[2]:.2f} ms, in timers {web[3]:.2f} ms, '
              f'in frames {web[4]:.2f} ms')

    print('What a frame costs (medians of 5; the window is '
          f'{FRAME_SIZE[0]} x {FRAME_SIZE[1]} pixels at ratio 1 with its frame):')
    for (ratio, throttle), ((key_up, key_work), (plane_up, plane_work), drag) in frame_costs(url + 'index.html').items():
        window = FRAME_SIZE[0] * FRAME_SIZE[1] * ratio * ratio
        print(f'  ratio {ratio}, throttled {throttle} x: ．uploads {key_up:,.0f} px ({key_up / window:.1%} of the '
              f'window), work {key_work:.1f} ms; a click on the plane uploads {plane_up:,.0f} px, work '
              f'{plane_work:.1f} ms; the drag\'s frames {drag[0]:.1f} ms, longest {drag[1]:.1f} ms, '
              f'{drag[2]} of {drag[3]} over 16.7 ms')

if __name__ == '__main__':
    main()
