#!/usr/bin/python3
"""Makes fonts whose character sets differ by one character, for the "can write the sample"
filter: a family lacking only the euro sign, and one whose bold face lacks only "é" while its
regular face has it. Each is a cut-down, renamed copy of Liberation Sans.

usage: make_coverage_fonts.py OUTPUT_FOLDER
"""
import os
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

LIBERATION = '/usr/share/fonts/truetype/liberation2/'
LATIN = set(range(0x20, 0x7F)) | set(range(0xA0, 0x100)) | {0x20AC}

# (file name, source face, family, style, the code points left out)
FONTS = [
    ('lacks-euro.ttf', 'LiberationSans-Regular.ttf', 'Cover Lacks Euro', 'Regular', {0x20AC}),
    ('duo-regular.ttf', 'LiberationSans-Regular.ttf', 'Cover Duo', 'Regular', set()),
    ('duo-bold.ttf', 'LiberationSans-Bold.ttf', 'Cover Duo', 'Bold', {0xE9}),
]


def made(source, family, style, left_out):
    font = TTFont(LIBERATION + source)
    options = subset.Options()
    options.name_IDs = ['*']
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=sorted(LATIN - left_out))
    subsetter.subset(font)
    names = font['name']
    names.names = [n for n in names.names if n.nameID not in (16, 17, 21, 22)]
    postscript = f'{family}-{style}'.replace(' ', '')
    for name_id, value in ((1, family), (2, style), (3, f'Glyphor test: {family} {style}'),
                           (4, f'{family} {style}'), (6, postscript)):
        names.setName(value, name_id, 3, 1, 0x409)
    return font


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    for file_name, source, family, style, left_out in FONTS:
        made(source, family, style, left_out).save(os.path.join(out, file_name))


if __name__ == '__main__':
    main()
