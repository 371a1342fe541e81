# SPDX-License-Identifier: GPL-3.0-or-later
"""The desktop window as the program itself builds it, for the drivers: its
caption and client area, its controls' places and its keys' centres, and
the toolkit's fixed colours. tests/facts/WriteWindowFacts.cpp reads them off
the real window into the build folder; KAVREL_WINDOW_FACTS names that file
(ctest sets it), build/kavrel-window.json by default."""
import json
import os

PATH = os.environ.get('KAVREL_WINDOW_FACTS') or os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..',
                                                             'build', 'kavrel-window.json')
with open(PATH, encoding='utf-8') as facts_file:
    FACTS = json.load(facts_file)

CAPTION = FACTS['caption']
CLIENT = tuple(FACTS['client'])
COLOURS = {name: tuple(rgb) for name, rgb in FACTS['colours'].items()}
CONTROLS = {name: tuple(rect) for name, rect in FACTS['controls'].items()}
# Every push button's centre, by caption: the keypad's in reading order,
# then "再試行" and "終わる" beside it.
_KEYPAD = CONTROLS['GroupBox1']
KEYS = dict(sorted(((caption, tuple(at)) for caption, at in FACTS['keys'].items()),
                   key=lambda key: (key[1][0] >= _KEYPAD[0] + _KEYPAD[2], key[1][1], key[1][0])))
PLANE = CONTROLS['PaintBox1']
# The zoom bar's parts, at its middle row: the arrows' middles, a point of
# the track left of the thumb, and the thumb at the start position.
_BAR = CONTROLS['ScrollBar1']
ZOOM = {part: (_BAR[0] + x, _BAR[1] + _BAR[3] // 2)
        for part, x in (('left arrow', 8), ('right arrow', _BAR[2] - 8), ('track', 152), ('thumb', 282))}
