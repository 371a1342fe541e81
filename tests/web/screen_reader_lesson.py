#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The lesson as a screen reader meets it in the browser version, beside the
desktop program over AT-SPI (run through scripts/xvfb-session.sh and
dbus-run-session).

    screen_reader_lesson.py <desktop program> <web site folder> chromium|webkit

Chromium: the page's tree (DevTools' Accessibility domain) and the
desktop's hold the same names, roles, texts and checked states at the start,
after conditions entered by pressing elements found by role and name, and
with the error box open; the plane and texts are the desktop's; a probe's
result is in a live region; Tab visits the desktop's order. WebKitGTK: the
elements name the keypad's keys.
"""
import collections
import os
import sys
import tempfile
import time
from contextlib import closing

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'xvfb'))
import pyatspi  # noqa: E402
import screen_reader  # noqa: E402

from browser import wait_until  # noqa: E402
from lesson import KEYS, PARABOLA, PLANE, Page, Program, Site, expect_same, fail, finish  # noqa: E402

# What either side calls each kind of control. The desktop's roles are
# AT-SPI's own, whose names differ between releases ("push button" in
# Debian 12, "button" in 13).
DESKTOP_ROLES = {pyatspi.ROLE_FRAME: 'window', pyatspi.ROLE_PUSH_BUTTON: 'button', pyatspi.ROLE_LABEL: 'text',
                 pyatspi.ROLE_IMAGE: 'image', pyatspi.ROLE_SCROLL_BAR: 'slider', pyatspi.ROLE_PANEL: 'group',
                 pyatspi.ROLE_DIALOG: 'box', pyatspi.ROLE_ALERT: 'box'}
PAGE_ROLES = {'region': 'window', 'button': 'button', 'status': 'text', 'StaticText': 'text', 'image': 'image',
              'slider': 'slider', 'group': 'group', 'alertdialog': 'box'}
TAB_STOPS = 22


def spaces(text):
    """Runs of ASCII blanks as one, none at the ends, as a page shows a text."""
    return ' '.join(part for part in (text or '').split(' ') if part)


def desktop_tree(frame):
    """(role, name, text, checked, description) of every named control."""
    heard = []
    for node in [frame, *screen_reader.descendants(frame)]:
        role = DESKTOP_ROLES.get(node.getRole())
        if not role or not node.name:
            continue
        try:
            text = node.queryText().getText(0, -1)
        except NotImplementedError:
            text = node.name
        checked = node.getState().contains(pyatspi.STATE_CHECKED)
        heard.append((role, spaces(node.name), spaces(text if role == 'text' else ''), checked, node.description))
    return collections.Counter(heard)


def page_tree(browser, window):
    """The same of the page's tree under the window of that role; a text's
    words are a child of its element."""
    nodes = {node['nodeId']: node for node in browser.accessible_nodes()}

    def role_of(node):
        return node.get('role', {}).get('value') if node and not node.get('ignored') else None

    def under(node):
        return [node] + [below for child in node.get('childIds', []) if child in nodes for below in under(nodes[child])]

    heard = []
    for node in under(next((node for node in nodes.values() if role_of(node) == window), {})):
        role, own = PAGE_ROLES.get(role_of(node)), spaces(node.get('name', {}).get('value', ''))
        words = [nodes[child]['name']['value'] for child in node.get('childIds', [])
                 if role_of(nodes.get(child)) == 'StaticText']
        text = spaces(words[0]) if words else own if role_of(node) == 'StaticText' else ''
        inside = role_of(nodes.get(node.get('parentId'))) in ('button', 'status')
        if role and (own or text) and not (role_of(node) == 'StaticText' and inside):
            pressed = any(item['name'] == 'pressed' and item['value'].get('value') == 'true'
                          for item in node.get('properties', []))
            description = node.get('description', {}).get('value', '')
            heard.append((role, own or text, text if role == 'text' else '', pressed, description))
    return collections.Counter(heard)


def same_trees(page, frame, when, window='region'):
    deadline = time.time() + 5
    while True:
        mine, theirs = page_tree(page.browser, window), desktop_tree(frame)
        if mine == theirs or time.time() > deadline:
            break
        time.sleep(0.3)
    for node in sorted((mine - theirs).elements()):
        fail(f'{when}: only the page has {node}')
    for node in sorted((theirs - mine).elements()):
        fail(f'{when}: only the desktop has {node}')


def focus_order(page, program, frame):
    """The controls Tab visits, from the first, on both."""
    def desktop_focused():
        return next((node.name for node in screen_reader.descendants(frame)
                     if node.getState().contains(pyatspi.STATE_FOCUSED)), None)

    for _ in range(TAB_STOPS):
        seen = (page.browser.focused_name(), desktop_focused())
        if seen[0] != seen[1]:
            fail(f'Tab reached {seen[0]!r} in the page but {seen[1]!r} on the desktop')
        for window in (page, program):
            window.key('Tab')
        time.sleep(0.3)
        screen_reader.pump()


def chromium(program_path, site, keep):
    with closing(Page(site, 'chromium', 'mouse')) as page, closing(Program(program_path, accessible=True)) as program:
        frame = screen_reader.wait_for("the program's frame", screen_reader.program_frame)
        if not page.browser.evaluate('document.activeElement.getAttribute("role") === "slider"'):
            fail('the page did not give the keyboard to the zoom bar when it opened')
        same_trees(page, frame, 'at the start')
        for caption in PARABOLA.split():
            page.browser.press_accessible('button', caption)
            screen_reader.press(screen_reader.named(frame, pyatspi.ROLE_PUSH_BUTTON, caption))
            time.sleep(screen_reader.PRESS_S)
        same_trees(page, frame, 'with the conditions entered')
        expect_same(page, program, 'the conditions entered by a screen reader', keep)
        for window in (page, program):
            window.click((PLANE[0] + 396, PLANE[1] + 297))
        told = screen_reader.wait_for('the probe\'s result', lambda: next(
            (node.name for node in screen_reader.descendants(frame) if node.name.startswith('点Ｐ')), None))
        if not page.browser.wait_for(f'[...document.querySelectorAll("[role=status]")].some(e => e.textContent === '
                                     f'{told!r})', 5):
            fail(f'after a probe no live region of the page holds {told!r}')
        for window in (page, program):
            window.click((PLANE[0] + 330, PLANE[1] + 297))
        box = screen_reader.wait_for('the error box', lambda: next(
            (window for window in frame.parent if window and window.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT)),
            None))
        same_trees(page, box, 'with the error box open', 'alertdialog')
        if page.browser.accessible_nodes(lambda node: node['role'].get('value') == 'button' and
                                         node['name'].get('value') == '０'):
            fail('with the error box open the keypad can still be reached')
        # A key right after OK is the window's at once, as on the desktop.
        page.key('Return')
        page.key('Tab')
        program.key('Return')
        wait_until(lambda: not program.error_box_shown(), 10, 'the desktop\'s box to close')
        program.key('Tab')
        focus_order(page, program, frame)


def webkit(site):
    """WebKitGTK tells screen readers over AT-SPI, as Safari tells VoiceOver."""
    with closing(Page(site, 'webkit', 'mouse')):
        browser = screen_reader.wait_for('WebKit\'s tree', lambda: next(
            (app for app in pyatspi.Registry.getDesktop(0) if app and app.name == 'MiniBrowser'), None))
        read = {(node.getRole(), node.name) for node in screen_reader.descendants(browser)}
        for role, captions in ((pyatspi.ROLE_PUSH_BUTTON, KEYS),
                               (pyatspi.ROLE_TOGGLE_BUTTON, ('定直線の方程式：', 'X座標', 'Y座標', 'ＰＦ', 'ＰＨ'))):
            for caption in captions:
                if (role, caption) not in read:
                    fail(f'WebKit does not read a {pyatspi.roleToString(role)} {caption!r}')


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    program_path, site_folder, browser = sys.argv[1:]
    keep = tempfile.mkdtemp(prefix='kavrel-screen-reader.')
    site = Site(site_folder)
    if browser == 'webkit':
        webkit(site)
    else:
        chromium(program_path, site, keep)
    return finish(keep, browser, 'screen reader')


if __name__ == '__main__':
    sys.exit(main())
