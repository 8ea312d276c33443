#!/usr/bin/python3
"""Makes the fonts whose names and foundries have tripped font lists up: a comma, quotes and
brackets in the family name, an accented first letter, and one family from two foundries (one of
which has only an italic face). Each is a renamed copy of a Debian font.

usage: make_odd_fonts.py OUTPUT_FOLDER
"""
import os
import sys

from fontTools.ttLib import TTFont

LIBERATION = '/usr/share/fonts/truetype/liberation2/'
DEJAVU = '/usr/share/fonts/truetype/dejavu/'

# (file name, source font, family name, style name, OS/2 vendor id: fontconfig's foundry)
FONTS = [
    ('comma.ttf', LIBERATION + 'LiberationSerif-Regular.ttf', 'Comma, Family', 'Regular', 'GLYA'),
    ('quoted.ttf', LIBERATION + 'LiberationMono-Regular.ttf', '"Quoted"', 'Regular', 'GLYA'),
    ('brack.ttf', DEJAVU + 'DejaVuSerif.ttf', 'Brack [Foundry]', 'Book', 'GLYA'),
    ('accent.ttf', LIBERATION + 'LiberationSerif-Regular.ttf', 'Éàü Accent', 'Regular', 'GLYA'),
    ('duo-regular.ttf', LIBERATION + 'LiberationMono-Regular.ttf', 'Duo Sans', 'Regular', 'DUOA'),
    ('duo-italic.ttf', LIBERATION + 'LiberationSans-Italic.ttf', 'Duo Sans', 'Italic', 'DUOB'),
]


def renamed(source, family, style, vendor='GLYA'):
    """A copy of the source font, in memory, under another family name."""
    font = TTFont(source)
    names = font['name']
    # Typographic names would take precedence over the family name; drop them.
    names.names = [n for n in names.names if n.nameID not in (16, 17, 21, 22)]
    postscript = ''.join(c for c in f'{family}-{style}' if c.isascii() and c.isalnum() or c == '-')
    for name_id, value in ((1, family), (2, style), (3, f'{vendor}: {family} {style}'),
                           (4, f'{family} {style}'), (6, postscript)):
        names.setName(value, name_id, 3, 1, 0x409)
        names.setName(value, name_id, 1, 0, 0)
    font['OS/2'].achVendID = vendor
    return font


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for file_name, source, family, style, vendor in FONTS:
        renamed(source, family, style, vendor).save(os.path.join(out, file_name))


if __name__ == '__main__':
    main()
