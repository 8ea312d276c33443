#!/usr/bin/python3
"""Makes one small font for each way a font can say it draws symbols, and text fonts that must not
count as symbol fonts: a Microsoft symbol character map, a bare CFF font with a custom encoding
(FreeType's Adobe custom map, as Type 1 symbol fonts have), the OS/2 class "symbolic", mostly
private-use icons, mostly symbols, and text with some symbols.

usage: make_symbol_fonts.py OUTPUT_FOLDER
"""
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.t2CharStringPen import T2CharStringPen
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable

LATIN = list(range(0x41, 0x5B)) + list(range(0x61, 0x7B))  # 52 letters
ARROWS_AND_MATHS = list(range(0x2190, 0x21C0)) + list(range(0x2200, 0x2230))  # 96 symbols


def box(pen):
    pen.moveTo((50, 0))
    pen.lineTo((50, 600))
    pen.lineTo((450, 600))
    pen.lineTo((450, 0))
    pen.closePath()


def truetype(path, family, characters, family_class=0x0800, microsoft_symbol=False):
    """A TrueType font drawing a box for each character (and the space)."""
    characters = [0x20] + characters
    names = ['.notdef'] + ['g%d' % i for i in range(len(characters))]
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder(names)
    builder.setupCharacterMap({c: names[i + 1] for i, c in enumerate(characters)})
    glyphs = {}
    for name in names:
        pen = TTGlyphPen(None)
        if name not in ('.notdef', 'g0'):
            box(pen)
        glyphs[name] = pen.glyph()
    builder.setupGlyf(glyphs)
    builder.setupHorizontalMetrics({name: (500, 50) for name in names})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({'familyName': family, 'styleName': 'Regular'})
    builder.setupOS2(sFamilyClass=family_class, usWinAscent=800, usWinDescent=200)
    builder.setupPost()
    if microsoft_symbol:
        # Only the symbol map, its characters at U+F020 and up, as Windows symbol fonts have.
        subtable = CmapSubtable.newSubtable(4)
        subtable.platformID, subtable.platEncID, subtable.language = 3, 0, 0
        subtable.cmap = {0xF000 + (c & 0xFF): names[i + 1] for i, c in enumerate(characters)}
        builder.font['cmap'].tables = [subtable]
    builder.save(path)


def bare_cff_custom_encoding(path, family):
    """A bare CFF font (no OpenType wrapper) whose encoding is its own: letters' codes reach
    symbols, as in the URW symbol fonts."""
    names = ['.notdef', 'space', 'alpha', 'beta', 'universal', 'arrowright']
    builder = FontBuilder(1000, isTTF=False)
    builder.setupGlyphOrder(names)
    builder.setupCharacterMap({0x20: 'space', 0x3B1: 'alpha', 0x3B2: 'beta', 0x2200: 'universal',
                               0x2192: 'arrowright'})
    charstrings = {}
    for name in names:
        pen = T2CharStringPen(500, None)
        if name not in ('.notdef', 'space'):
            box(pen)
        charstrings[name] = pen.getCharString()
    builder.setupCFF(family.replace(' ', ''), {'FullName': family, 'FamilyName': family},
                     charstrings, {})
    cff = builder.font['CFF '].cff
    encoding = ['.notdef'] * 256
    for code, name in ((0x20, 'space'), (0x61, 'alpha'), (0x62, 'beta'), (0x22, 'universal'),
                       (0xAE, 'arrowright')):
        encoding[code] = name
    cff.topDictIndex[0].Encoding = encoding
    with open(path, 'wb') as out:
        cff.compile(out, builder.font)


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    truetype(os.path.join(out, 'text.ttf'), 'Plain Text', LATIN)
    truetype(os.path.join(out, 'text-some-symbols.ttf'), 'Text Some Symbols',
             LATIN + ARROWS_AND_MATHS[:40])
    truetype(os.path.join(out, 'mostly-symbols.ttf'), 'Mostly Symbols',
             LATIN[:10] + ARROWS_AND_MATHS)
    truetype(os.path.join(out, 'icons.ttf'), 'Private Icons',
             LATIN[:20] + list(range(0xE000, 0xE040)))
    truetype(os.path.join(out, 'symbolic-class.ttf'), 'Symbolic Class', LATIN,
             family_class=0x0C00)
    truetype(os.path.join(out, 'microsoft-symbol.ttf'), 'Microsoft Symbol', LATIN,
             microsoft_symbol=True)
    bare_cff_custom_encoding(os.path.join(out, 'custom-encoding.cff'), 'Custom Encoding')


if __name__ == '__main__':
    main()
