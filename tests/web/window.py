# SPDX-License-Identifier: GPL-3.0-or-later
"""The desktop window as the program itself builds it, for the drivers: its
caption, client area and colour, its controls' places and names, and the
toolkit's fixed colours. tests/facts/WriteWindowFacts.cpp reads them off
the real window into the build folder; KAVREL_WINDOW_FACTS names that file
(ctest sets it), build/kavrel-window.json by default."""
import json
import os

PATH = os.environ.get('KAVREL_WINDOW_FACTS') or os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..',
                                                             'build', 'kavrel-window.json')
try:
    with open(PATH, encoding='utf-8') as facts_file:
        FACTS = json.load(facts_file)
except OSError as error:
    raise SystemExit(f'the window\'s facts are missing ({error}); build the tests first') from error

CAPTION = FACTS['caption']
CLIENT = tuple(FACTS['client'])
WINDOW_COLOUR = tuple(FACTS['colour'])
COLOURS = {name: tuple(rgb) for name, rgb in FACTS['colours'].items()}
CONTROLS = {name: tuple(control['rect']) for name, control in FACTS['controls'].items()}


def centre(rect):
    return rect[0] + rect[2] // 2, rect[1] + rect[3] // 2


# Every push button's centre, by caption: the keypad's, "再試行" and "終わる".
KEYS = {control['read']: centre(control['rect']) for control in FACTS['controls'].values()
        if control['kind'] == 'TButton'}
PLANE = CONTROLS['PaintBox1']
# The zoom bar's parts, at its middle row: the arrows' middles, a point of
# the track left of the thumb, and the thumb at the start position.
_BAR = CONTROLS['ScrollBar1']
ZOOM = {part: (_BAR[0] + x, _BAR[1] + _BAR[3] // 2)
        for part, x in (('left arrow', 8), ('right arrow', _BAR[2] - 8), ('track', 152), ('thumb', 282))}
