#!/usr/bin/python3
"""Makes the seeds of the font renaming's fuzz target: small fonts cut from the test fonts with
fontTools (two glyphs each, so that the fuzzer's changes land in the tables' headers and the name
table rather than in outlines), a CFF font, a collection, a cut file and a file of a name table
alone. Made when the fuzz target is built, so that no font binary is kept in the sources.

usage: make_fontrename_seeds.py OUTPUT_FOLDER
"""
import io
import os
import struct
import sys

from fontTools import subset
from fontTools.fontBuilder import FontBuilder
from fontTools.pens.t2CharStringPen import T2CharStringPen
from fontTools.ttLib import TTCollection, TTFont

LIBERATION = '/usr/share/fonts/truetype/liberation2/'
DEJAVU = '/usr/share/fonts/truetype/dejavu/'


def small(source, text='Ag', windows_only=False):
    """The source font cut to the glyphs of text, without hinting or layout tables; its names
    kept, typographic family names included."""
    options = subset.Options()
    options.name_IDs = ['*']
    options.name_languages = ['*']
    options.name_legacy = True
    options.hinting = False
    options.layout_features = []
    options.drop_tables += ['GSUB', 'GPOS', 'GDEF', 'kern', 'DSIG', 'gasp', 'FFTM']
    font = TTFont(source)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    names = font['name']
    # The licence texts would make up most of the file.
    names.names = [n for n in names.names if n.nameID not in (13, 14)
                   and (n.platformID == 3 or not windows_only)]
    return font


def cff_font():
    """A CFF-flavoured OpenType font of two glyphs, with typographic and WWS family names."""
    builder = FontBuilder(1000, isTTF=False)
    builder.setupGlyphOrder(['.notdef', 'A'])
    builder.setupCharacterMap({ord('A'): 'A'})
    strings = {}
    for glyph in ('.notdef', 'A'):
        pen = T2CharStringPen(500, None)
        pen.moveTo((50, 0))
        pen.lineTo((450, 0))
        pen.lineTo((250, 700))
        pen.closePath()
        strings[glyph] = pen.getCharString()
    builder.setupCFF('SeedCFF-Regular', {'FullName': 'Seed CFF Regular'}, strings, {})
    builder.setupHorizontalMetrics({'.notdef': (500, 50), 'A': (500, 50)})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({'familyName': 'Seed CFF', 'styleName': 'Regular',
                            'typographicFamily': 'Seed CFF Family',
                            'typographicSubfamily': 'Regular',
                            'wwsFamilyName': 'Seed CFF WWS'})
    builder.setupOS2()
    builder.setupPost()
    return builder.font


def name_only(font):
    """A file of the font's name table alone: the smallest input the renaming accepts."""
    name = font['name'].compile(font)
    header = struct.pack('>IHHHH', 0x00010000, 1, 16, 0, 0)
    record = struct.pack('>4sIII', b'name', 0, 12 + 16, len(name))
    return header + record + name


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    sans = small(LIBERATION + 'LiberationSans-Regular.ttf')
    seeds = {
        'liberation-sans.ttf': sans,
        'dejavu-typographic.ttf': small(DEJAVU + 'DejaVuSans-Bold.ttf', windows_only=True),
        'cff.otf': cff_font(),
    }
    for file_name, font in seeds.items():
        font.save(os.path.join(out, file_name))
    collection = TTCollection()
    collection.fonts = [small(LIBERATION + 'LiberationSerif-Regular.ttf', 'a', True),
                        small(LIBERATION + 'LiberationMono-Regular.ttf', 'a', True)]
    collection.save(os.path.join(out, 'collection.ttc'))
    whole = io.BytesIO()
    sans.save(whole)
    with open(os.path.join(out, 'cut.ttf'), 'wb') as cut:
        cut.write(whole.getvalue()[:len(whole.getvalue()) // 2])
    with open(os.path.join(out, 'name-only.ttf'), 'wb') as names:
        names.write(name_only(TTFont(os.path.join(out, 'dejavu-typographic.ttf'))))


if __name__ == '__main__':
    main()
