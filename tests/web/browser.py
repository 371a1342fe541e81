# SPDX-License-Identifier: GPL-3.0-or-later
"""The browsers the lesson test drives, each over its own automation
protocol, behind one interface: a page of a given size, clicks, taps,
drags and keys as real input events, screenshots.
"""
import base64
import io
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time
import urllib.request

from PIL import Image

from pictures import Picture

HERE = os.path.dirname(os.path.abspath(__file__))
XVFB_SESSION = os.path.join(HERE, '..', '..', 'scripts', 'xvfb-session.sh')
# The keys' names as xdotool writes them, with what the browsers' events
# carry: the key, its code and key code, and WebDriver's character for it.
KEYS = {'Return': ('Enter', 'Enter', 13, '\ue007'), 'Left': ('ArrowLeft', 'ArrowLeft', 37, '\ue012'),
        'Right': ('ArrowRight', 'ArrowRight', 39, '\ue014'), 'Up': ('ArrowUp', 'ArrowUp', 38, '\ue013'),
        'Down': ('ArrowDown', 'ArrowDown', 40, '\ue015'), 'Home': ('Home', 'Home', 36, '\ue011'),
        'End': ('End', 'End', 35, '\ue010'), 'Prior': ('PageUp', 'PageUp', 33, '\ue00e'),
        'Next': ('PageDown', 'PageDown', 34, '\ue00f'), 'Tab': ('Tab', 'Tab', 9, '\ue004'),
        'space': (' ', 'Space', 32, ' '), 'Escape': ('Escape', 'Escape', 27, '\ue00c')}


# Notes every upload of pixels to WebGL's textures, [x, y, width, height],
# in kavrelUploads; an allocation without pixels is none.
UPLOAD_WATCH = '''
(() => {
  const uploads = window.kavrelUploads = [];
  for (const kind of [window.WebGLRenderingContext, window.WebGL2RenderingContext]) {
    if (!kind) continue;
    const image = kind.prototype.texImage2D, part = kind.prototype.texSubImage2D;
    const size = source => [source.width, source.height];
    kind.prototype.texImage2D = function (...a) {
      if (a.length < 9) uploads.push([0, 0, ...size(a[a.length - 1])]);
      else if (a[8]) uploads.push([0, 0, a[3], a[4]]);
      return image.apply(this, a);
    };
    kind.prototype.texSubImage2D = function (...a) {
      uploads.push(a.length < 9 ? [a[2], a[3], ...size(a[a.length - 1])] : [a[2], a[3], a[4], a[5]]);
      return part.apply(this, a);
    };
  }
})();
'''


def picture_of_png(data):
    image = Image.open(io.BytesIO(data)).convert('RGB')
    return Picture(image.width, image.height, image.tobytes())


def free_port():
    with socket.socket() as probe:
        probe.bind(('127.0.0.1', 0))
        return probe.getsockname()[1]


def wait_until(done, seconds, what=None):
    """What `done` gave once it came true within the time; without it, the
    error `what` when one is given, else False."""
    deadline = time.time() + seconds
    while not (found := done()):
        if time.time() > deadline:
            if what:
                raise RuntimeError(what)
            return False
        time.sleep(0.05)
    return found


def connection(port, seconds, what):
    """A connection to a port of 127.0.0.1 once something listens there."""
    def attempt():
        try:
            return socket.create_connection(('127.0.0.1', port), timeout=60)
        except OSError:
            return None

    return wait_until(attempt, seconds, what)


class Browser:
    """What every browser offers on top of its protocol."""

    def wait_for(self, expression, seconds):
        return wait_until(lambda: self.evaluate(expression), seconds)


class Chromium(Browser):
    """Chromium, headless, over its DevTools protocol (python3-websocket)."""

    # As the machine runs it: no sandbox as root, no network beyond
    # 127.0.0.1 (its background connections are refused here anyway).
    FLAGS = ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
             '--disable-background-networking', '--disable-component-update', '--disable-sync',
             '--remote-debugging-port=0']

    def __init__(self, width, height, touch=False, ratio=1, flags=()):
        self.profile = tempfile.mkdtemp(prefix='kavrel-chromium.')
        self.process = subprocess.Popen(['chromium', *self.FLAGS, *flags, f'--user-data-dir={self.profile}',
                                         'about:blank'],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(self.profile, 'DevToolsActivePort')
        port = wait_until(lambda: os.path.exists(port_file) and open(port_file).read().strip(), 30,
                          'Chromium did not open its DevTools port (Debian package chromium)').split()[0]
        targets = json.load(urllib.request.urlopen(f'http://127.0.0.1:{port}/json'))
        page = next(target for target in targets if target['type'] == 'page')
        import websocket
        # Without an Origin header, which Chromium would have to allow.
        self.socket = websocket.create_connection(page['webSocketDebuggerUrl'], timeout=60, suppress_origin=True)
        self.last_id = 0
        self.events = []
        self.send('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=ratio,
                  mobile=touch)
        if touch:
            self.send('Emulation.setTouchEmulationEnabled', enabled=True, maxTouchPoints=5)

    def send(self, method, **params):
        self.last_id += 1
        self.socket.send(json.dumps({'id': self.last_id, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get('id') == self.last_id:
                if 'error' in message:
                    raise RuntimeError(f'{method}: {message["error"]}')
                return message.get('result', {})
            if 'method' in message:
                self.events.append(message)

    def collected(self, method, field):
        """A field of every event of a domain the page has enabled."""
        return [event['params'][field] for event in self.events if event['method'] == method]

    def navigate(self, url):
        self.send('Page.navigate', url=url)

    def reload(self):
        self.send('Page.reload', ignoreCache=False)

    def evaluate(self, expression):
        result = self.send('Runtime.evaluate', expression=expression, returnByValue=True, awaitPromise=True)
        return result.get('result', {}).get('value')

    def screenshot(self):
        return picture_of_png(base64.b64decode(self.send('Page.captureScreenshot', format='png')['data']))

    def count_uploads(self):
        """Has every page from now on note its uploads to WebGL."""
        self.send('Page.enable')
        self.send('Page.addScriptToEvaluateOnNewDocument', source=UPLOAD_WATCH)

    def accessible_nodes(self, chosen=None):
        """The page's accessibility tree as Chromium gives it to screen
        readers; those nodes a screen reader can reach that are chosen."""
        self.send('Accessibility.enable')
        nodes = self.send('Accessibility.getFullAXTree')['nodes']
        return nodes if chosen is None else [node for node in nodes if not node.get('ignored') and chosen(node)]

    def press_accessible(self, role, name):
        """Clicks the element of the node of that role and name, as a screen
        reader's press does."""
        node, = self.accessible_nodes(lambda node: node['role'].get('value') == role
                                      and node.get('name', {}).get('value') == name)
        element = self.send('DOM.resolveNode', backendNodeId=node['backendDOMNodeId'])['object']['objectId']
        self.send('Runtime.callFunctionOn', objectId=element, functionDeclaration='function () { this.click(); }')

    def focused_name(self):
        """The name of the control that has the keyboard, not of the page."""
        focused = self.accessible_nodes(lambda node: node['role'].get('value') != 'RootWebArea' and any(
            item['name'] == 'focused' and item['value'].get('value') for item in node.get('properties', [])))
        return focused[0].get('name', {}).get('value') if focused else None

    def mouse(self, kind, x, y, buttons):
        self.send('Input.dispatchMouseEvent', type=kind, x=x, y=y, button='left' if kind != 'mouseMoved' or buttons
                  else 'none', buttons=buttons, clickCount=1)

    def touch(self, kind, points):
        self.send('Input.dispatchTouchEvent', type=kind, touchPoints=[{'x': x, 'y': y} for x, y in points])

    def click(self, x, y):
        self.drag([(x, y)])

    def tap(self, x, y):
        self.drag([(x, y)], touch=True)

    def drag(self, points, touch=False):
        if touch:
            self.touch('touchStart', points[:1])
            for point in points[1:]:
                self.touch('touchMove', [point])
            self.touch('touchEnd', [])
            return
        (x, y), rest = points[0], points[1:]
        self.mouse('mouseMoved', x, y, 0)
        self.mouse('mousePressed', x, y, 1)
        for x, y in rest:
            self.mouse('mouseMoved', x, y, 1)
        self.mouse('mouseReleased', x, y, 0)

    def key(self, name):
        key, code, number, _ = KEYS[name]
        for kind in ('rawKeyDown', 'keyUp'):
            self.send('Input.dispatchKeyEvent', type=kind, key=key, code=code, windowsVirtualKeyCode=number,
                      nativeVirtualKeyCode=number)

    def wheel(self, x, y, lines):
        """Whole notches of a mouse wheel, towards the user for lines > 0."""
        self.send('Input.dispatchMouseEvent', type='mouseWheel', x=x, y=y, deltaX=0, deltaY=120 * lines)

    def close(self):
        # Asked to end, Chromium ends its other processes too, which would
        # otherwise go on writing into the profile.
        self.process.terminate()
        try:
            self.process.wait(10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


class WebKit(Browser):
    """MiniBrowser of WebKitGTK over WebDriver (python3-selenium), it and
    WebKitWebDriver on an Xvfb of their own, so that its window covers
    nothing on the lesson's display."""

    MINIBROWSER = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser'

    def __init__(self, width, height):
        from selenium import webdriver
        port = free_port()
        environment = dict(os.environ, KAVREL_XVFB_SCREEN=f'{width + 200}x{height + 200}x24')
        self.driver_process = subprocess.Popen(['bash', XVFB_SESSION, 'WebKitWebDriver', f'--port={port}'],
                                               env=environment, stdout=subprocess.DEVNULL,
                                               stderr=subprocess.DEVNULL)
        connection(port, 30, 'WebKitWebDriver did not start (Debian package webkit2gtk-driver)').close()
        options = webdriver.WebKitGTKOptions()
        options.binary_location = self.MINIBROWSER
        options.add_argument('--automation')
        self.driver = webdriver.Remote(command_executor=f'http://127.0.0.1:{port}', options=options)
        self.driver.set_window_rect(0, 0, width, height + 80)

    def navigate(self, url):
        self.driver.get(url)

    def reload(self):
        self.driver.refresh()

    def evaluate(self, expression):
        return self.driver.execute_script('return ' + expression)

    def screenshot(self):
        return picture_of_png(self.driver.get_screenshot_as_png())

    def click(self, x, y):
        self.drag([(x, y)])

    def drag(self, points, touch=False):
        from selenium.webdriver.common.actions.action_builder import ActionBuilder
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(*points[0]).pointer_down()
        for point in points[1:]:
            actions.pointer_action.move_to_location(*point)
        actions.pointer_action.pointer_up()
        actions.perform()

    def key(self, name):
        from selenium.webdriver.common.action_chains import ActionChains
        ActionChains(self.driver).send_keys(KEYS[name][3]).perform()

    def close(self):
        try:
            self.driver.quit()
        finally:
            self.driver_process.terminate()
            self.driver_process.wait()


class Firefox(Browser):
    """Firefox ESR, headless, over Marionette: length-prefixed JSON
    messages, [0, id, command, parameters] answered by [1, id, error,
    result]."""

    def __init__(self, width, height):
        self.profile = tempfile.mkdtemp(prefix='kavrel-firefox.')
        port = free_port()
        with open(os.path.join(self.profile, 'user.js'), 'w') as preferences:
            preferences.write(f'user_pref("marionette.port", {port});\n'
                              'user_pref("browser.shell.checkDefaultBrowser", false);\n'
                              'user_pref("datareporting.policy.dataSubmissionEnabled", false);\n')
        self.process = subprocess.Popen(['firefox-esr', '--headless', '--marionette', '--no-remote', '--profile',
                                         self.profile, f'--width={width}', f'--height={height}'],
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.socket = connection(port, 60, 'Firefox did not open its Marionette port (Debian package firefox-esr)')
        self.stream = self.socket.makefile('rb')
        self.receive()
        self.last_id = 0
        self.send('WebDriver:NewSession', {'capabilities': {}})
        self.send('WebDriver:SetWindowRect', {'width': width, 'height': height})

    def receive(self):
        length = b''
        while not length.endswith(b':'):
            length += self.stream.read(1)
        return json.loads(self.stream.read(int(length[:-1])))

    def send(self, command, parameters):
        self.last_id += 1
        body = json.dumps([0, self.last_id, command, parameters]).encode()
        self.socket.sendall(str(len(body)).encode() + b':' + body)
        while True:
            _, answered, error, result = self.receive()
            if answered == self.last_id:
                if error:
                    raise RuntimeError(f'{command}: {error}')
                return result

    def navigate(self, url):
        self.send('WebDriver:Navigate', {'url': url})

    def evaluate(self, expression):
        return self.send('WebDriver:ExecuteScript', {'script': 'return ' + expression, 'args': []})['value']

    def screenshot(self):
        return picture_of_png(base64.b64decode(self.send('WebDriver:TakeScreenshot', {})['value']))

    def close(self):
        self.process.kill()
        self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)
