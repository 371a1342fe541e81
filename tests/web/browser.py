# SPDX-License-Identifier: GPL-3.0-or-later
"""Debian's headless Chromium, driven over its DevTools protocol (Debian's
python3-websocket) as the lesson test needs it: a page of a given size,
clicks, drags and keys as real input events, screenshots."""
import base64
import json
import os
import shutil
import subprocess
import tempfile
import time
import urllib.request

import websocket

from pictures import decode_png

# Chromium as the machine runs it: no sandbox as root, no network beyond
# 127.0.0.1 (its background connections are refused here anyway).
FLAGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--remote-debugging-port=0']
# The keys' names as xdotool writes them, with what the browser's events carry.
KEYS = {'Return': ('Enter', 13), 'Left': ('ArrowLeft', 37), 'Right': ('ArrowRight', 39),
        'Home': ('Home', 36), 'End': ('End', 35), 'Prior': ('PageUp', 33), 'Next': ('PageDown', 34)}


class Chromium:
    def __init__(self, width, height):
        self.profile = tempfile.mkdtemp(prefix='kavrel-chromium.')
        self.process = subprocess.Popen(['chromium', *FLAGS, f'--user-data-dir={self.profile}', 'about:blank'],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, 'DevToolsActivePort')
        deadline = time.time() + 30
        while not (os.path.exists(port_file) and open(port_file).read().strip()):
            if time.time() > deadline or self.process.poll() is not None:
                raise RuntimeError('Chromium did not open its DevTools port (Debian package chromium)')
            time.sleep(0.05)
        port = open(port_file).read().split()[0]
        targets = json.load(urllib.request.urlopen(f'http://127.0.0.1:{port}/json'))
        page = next(target for target in targets if target['type'] == 'page')
        self.socket = websocket.create_connection(page['webSocketDebuggerUrl'], timeout=60)
        self.last_id = 0
        self.events = []
        self.send('Runtime.enable')
        self.send('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=1, mobile=False)

    def send(self, method, **params):
        self.last_id += 1
        self.socket.send(json.dumps({'id': self.last_id, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get('id') == self.last_id:
                if 'error' in message:
                    raise RuntimeError(f'{method}: {message["error"]}')
                return message.get('result', {})
            self.events.append(message)

    def navigate(self, url):
        self.send('Page.navigate', url=url)

    def evaluate(self, expression):
        result = self.send('Runtime.evaluate', expression=expression, returnByValue=True, awaitPromise=True)
        return result.get('result', {}).get('value')

    def wait_for(self, expression, seconds):
        deadline = time.time() + seconds
        while not self.evaluate(expression):
            if time.time() > deadline:
                return False
            time.sleep(0.05)
        return True

    def console(self):
        """What the page wrote on its console, and its uncaught errors."""
        lines = []
        for event in self.events:
            if event.get('method') == 'Runtime.consoleAPICalled':
                lines.append(' '.join(str(a.get('value', a.get('description'))) for a in event['params']['args']))
            elif event.get('method') == 'Runtime.exceptionThrown':
                lines.append(event['params']['exceptionDetails'].get('text', 'exception'))
        return lines

    def screenshot(self):
        shot = self.send('Page.captureScreenshot', format='png', optimizeForSpeed=True)
        return decode_png(base64.b64decode(shot['data']))

    def mouse(self, kind, x, y, buttons):
        self.send('Input.dispatchMouseEvent', type=kind, x=x, y=y, button='left' if kind != 'mouseMoved' or buttons
                  else 'none', buttons=buttons, clickCount=1)

    def click(self, x, y):
        self.mouse('mouseMoved', x, y, 0)
        self.mouse('mousePressed', x, y, 1)
        self.mouse('mouseReleased', x, y, 0)

    def drag(self, points):
        (x, y), rest = points[0], points[1:]
        self.mouse('mouseMoved', x, y, 0)
        self.mouse('mousePressed', x, y, 1)
        for x, y in rest:
            self.mouse('mouseMoved', x, y, 1)
        self.mouse('mouseReleased', x, y, 0)

    def key(self, name):
        key, code = KEYS[name]
        for kind in ('rawKeyDown', 'keyUp'):
            self.send('Input.dispatchKeyEvent', type=kind, key=key, code=key, windowsVirtualKeyCode=code,
                      nativeVirtualKeyCode=code)

    def close(self):
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)
