#!/usr/bin/python3
"""Makes fonts for the filters that test what a font holds: a family lacking only the euro sign
(and Latin-only), one whose bold face lacks only "é" while its regular face has it, one with
Vietnamese, a monospaced one, and one with a real italic face. Each is a cut-down, renamed copy of
a Liberation font.

usage: make_coverage_fonts.py OUTPUT_FOLDER
"""
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

LIBERATION = '/usr/share/fonts/truetype/liberation2/'
LATIN = set(range(0x20, 0x7F)) | set(range(0xA0, 0x100)) | {0x20AC}
VIETNAMESE = (set(range(0x100, 0x180)) | set(range(0x1A0, 0x1B1)) | set(range(0x300, 0x370))
              | {0x20AB} | set(range(0x1EA0, 0x1EFA)))

# (file name, source face, family, style, the code points added to Latin, those left out)
FONTS = [
    ('lacks-euro.ttf', 'LiberationSans-Regular.ttf', 'Cover Lacks Euro', 'Regular', set(),
     {0x20AC}),
    ('duo-regular.ttf', 'LiberationSans-Regular.ttf', 'Cover Duo', 'Regular', set(), set()),
    ('duo-bold.ttf', 'LiberationSans-Bold.ttf', 'Cover Duo', 'Bold', set(), {0xE9}),
    ('viet.ttf', 'LiberationSerif-Regular.ttf', 'Cover Viet', 'Regular', VIETNAMESE, set()),
    ('mono.ttf', 'LiberationMono-Regular.ttf', 'Cover Mono', 'Regular', set(), set()),
    ('trio-regular.ttf', 'LiberationSans-Regular.ttf', 'Cover Trio', 'Regular', set(), set()),
    ('trio-italic.ttf', 'LiberationSans-Italic.ttf', 'Cover Trio', 'Italic', set(), set()),
]


# What some say of their kind, for the classification: (OS/2 family class, PANOSE family kind,
# PANOSE serif style). Liberation's own values: a sans serif class (8) or a serif one (1).
KINDS = {
    'Cover Viet': (0x0100, 2, 2),  # old-style serif
    'Cover Trio': (0x0800, 2, 11),  # sans serif
    'Cover Mono': (0, 3, 0),  # no class; PANOSE says hand written
    'Cover Duo': (0x0900, 4, 0),  # ornamental
    'Cover Lacks Euro': (0, 0, 0),  # says nothing
}


def made(source, family, style, added, left_out):
    font = TTFont(LIBERATION + source)
    options = subset.Options()
    options.name_IDs = ['*']
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=sorted((LATIN | added) - left_out))
    subsetter.subset(font)
    names = font['name']
    names.names = [n for n in names.names if n.nameID not in (16, 17, 21, 22)]
    postscript = f'{family}-{style}'.replace(' ', '')
    for name_id, value in ((1, family), (2, style), (3, f'Glyphor test: {family} {style}'),
                           (4, f'{family} {style}'), (6, postscript)):
        names.setName(value, name_id, 3, 1, 0x409)
    family_class, panose_family, panose_serif = KINDS[family]
    os2 = font['OS/2']
    os2.sFamilyClass = family_class
    os2.panose.bFamilyType = panose_family
    os2.panose.bSerifStyle = panose_serif
    return font


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for file_name, source, family, style, added, left_out in FONTS:
        made(source, family, style, added, left_out).save(os.path.join(out, file_name))


if __name__ == '__main__':
    main()
