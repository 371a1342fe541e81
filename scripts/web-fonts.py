#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Makes the faces of the web site: the fonts the program draws with on the
desktop, cut down to the characters it can show (those of its texts in the
sources, and printable ASCII), with their licences beside them.

    web-fonts.py <sources folder> <fonts folder of the site>

The IPA Font License makes such a subset a derived font: it may not carry
the IPA name as its font or file name, it is under the same licence, and it
comes with the means to put the original back (README in the folder).
"""
import pathlib
import re
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

IPA = pathlib.Path('/usr/share/fonts/opentype')
DEJAVU = pathlib.Path('/usr/share/fonts/truetype/dejavu')
# Source, family in the site, file in the site.
FACES = [
    (IPA / 'ipafont-gothic/ipagp.ttf', 'Kavrel P Gothic', 'kavrel-pgothic.ttf'),
    (IPA / 'ipafont-mincho/ipam.ttf', 'Kavrel Mincho', 'kavrel-mincho.ttf'),
    (IPA / 'ipafont-mincho/ipamp.ttf', 'Kavrel P Mincho', 'kavrel-pmincho.ttf'),
    # The credit's face, the one the program draws in italic; the desktop
    # draws it with the italic face itself, where a synthesised slant of the
    # upright one would differ. Nothing is drawn in the upright face.
    (DEJAVU / 'DejaVuSerif-Italic.ttf', 'DejaVu Serif', 'dejavu-serif-italic.ttf'),
]
LICENCES = [
    (pathlib.Path('/usr/share/doc/fonts-ipafont-gothic/copyright'), 'LICENSE-IPA.txt'),
    (pathlib.Path('/usr/share/doc/fonts-dejavu-extra/copyright'), 'LICENSE-DejaVu.txt'),
]
# Light hinting, which the desktop's font configuration asks for, is
# FreeType's auto-hinter: it measures a script's heights on the characters
# below (its blue zones and standard characters for CJK ideographs, from
# FreeType's afblue.dat and afscript.h). A subset without them would be
# hinted otherwise than the whole face is on the desktop.
AUTOHINTER_REFERENCE = (
    '他们你來們到和地对對就席我时時會来為能舰說说这這齊军同已愿既星是景民照现現理用置要軍那配里開雷露面顾'
    '个为人他以们你來個們到和大对對就我时時有来為要說说主些因它想意理生當看着置者自著裡过还进進過道還里面'
    '些们你來們到和地她将將就年得情最样樣理能說说这這通即吗吧听呢品响嗎师師收断斷明眼間间际陈限除陳随際隨'
    '事前學将將情想或政斯新样樣民沒没然特现現球第經谁起例別别制动動吗嗎增指明朝期构物确种調调費费那都間间'
    '田囗'
)
README = '''The faces of Kavrel's web site

These fonts are subsets of the IPA fonts (IPAPGothic, IPAMincho,
IPAPMincho; IPA Font License Agreement v1.0, LICENSE-IPA.txt) and of
DejaVu Serif Italic (LICENSE-DejaVu.txt), cut down to the characters the
program can show. As the IPA Font License asks of such derived fonts,
they carry names of their own and are under the same licence.

Made by scripts/web-fonts.py of Kavrel's sources with fontTools' subsetter,
from the fonts of Debian's packages fonts-ipafont-gothic,
fonts-ipafont-mincho and fonts-dejavu-extra, keeping these characters:

{characters}

To put the original fonts back, replace each file by the original and give
it the file name used here:

    kavrel-pgothic.ttf  <- ipagp.ttf  (IPAPGothic)
    kavrel-mincho.ttf   <- ipam.ttf   (IPAMincho)
    kavrel-pmincho.ttf  <- ipamp.ttf  (IPAPMincho)
    dejavu-serif-italic.ttf <- DejaVuSerif-Italic.ttf

and in src/toolkit/InstalledFacesWeb.cpp name the original families
(IPAPGothic, IPAMincho, IPAPMincho) instead of the Kavrel ones. The
originals are at https://moji.or.jp/ipafont/ and in the Debian packages
above.
'''


def characters_shown(sources):
    """Every character of the string literals in the sources, ASCII, and
    the auto-hinter's reference characters."""
    literal = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
    shown = {chr(c) for c in range(0x20, 0x7f)} | set(AUTOHINTER_REFERENCE)
    for path in sorted(sources.rglob('*')):
        if path.suffix in ('.cpp', '.h'):
            for text in literal.findall(path.read_text(encoding='utf-8')):
                shown.update(text)
    return ''.join(sorted(shown))


def rename(font, family):
    """Gives the face its own name in every record that names it."""
    style = font['name'].getDebugName(2) or 'Regular'
    names = {1: family, 3: f'{family} {style} (Kavrel subset)', 4: family, 6: family.replace(' ', '')}
    table = font['name']
    table.names = [record for record in table.names if record.nameID not in (1, 3, 4, 6, 16, 17)]
    for name_id, text in names.items():
        table.setName(text, name_id, 3, 1, 0x409)
        table.setName(text, name_id, 1, 0, 0)


def main(sources, out):
    out.mkdir(parents=True, exist_ok=True)
    # The site keeps only these faces: its service worker keeps every one.
    for old in out.glob('*.ttf*'):
        old.unlink()
    text = characters_shown(sources)
    options = subset.Options()
    options.name_IDs = ['*']
    options.name_languages = ['*']
    options.hinting = True
    options.notdef_outline = True
    for source, family, file_name in FACES:
        # The glyphs' boxes as the face has them: FreeType places an outline
        # by its box, and DejaVu's boxes, recomputed, shift some glyphs by a
        # unit, enough to shade the credit's italic otherwise than on the
        # desktop.
        font = TTFont(source, recalcBBoxes=False)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        if family != font['name'].getDebugName(1):
            rename(font, family)
        font.save(out / file_name)
    for source, file_name in LICENCES:
        (out / file_name).write_bytes(source.read_bytes())
    (out / 'README.txt').write_text(README.format(characters=text), encoding='utf-8')


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2]))
