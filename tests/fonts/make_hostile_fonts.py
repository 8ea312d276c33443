#!/usr/bin/python3
"""Makes fonts that anyone could put on a machine and that a font viewer must survive: cut and
empty files, names of 10,000 characters, with control characters, quotes and markup, right to
left and emoji; a symbol font, a font with no character map, a bitmap-only font, a variable font,
a collection, two files that claim one family, a font whose licence forbids embedding it, and
fonts whose substitution, positioning, axes or axis mapping tables are damaged. Made from Debian's
fonts with fontTools.

usage: make_hostile_fonts.py OUTPUT_FOLDER
Prints the family names a font list should show, one per line (as Python string literals).
"""
import os
import random
import struct
import sys

from fontTools.ttLib import TTCollection, TTFont, newTable
from fontTools.ttLib.tables.DefaultTable import DefaultTable
from fontTools.ttLib.tables._c_m_a_p import CmapSubtable
from fontTools.ttLib.tables._f_v_a_r import Axis, NamedInstance

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_odd_fonts import DEJAVU, LIBERATION, renamed  # noqa: E402

SANS = LIBERATION + 'LiberationSans-Regular.ttf'
SERIF = DEJAVU + 'DejaVuSerif.ttf'

# (file name, family name) of renamed copies.
LONG_NAME = 'Long' + 'x' * 9996
NAMED = [
    ('control.ttf', 'Ctrl\x01\x07\x1b Name'),
    ('quotes.ttf', 'Quote "Dbl" \'Sgl\''),
    ('markup.ttf', '<b>Markup</b> & <script>alert(1)</script>'),
    ('rtl.ttf', 'עברית Arabic عربي'),
    ('emoji.ttf', 'Emoji \U0001F600 Face'),
]


def hostile(source, family, style='Regular'):
    """A renamed copy with Windows name records only: the Macintosh ones cannot hold names
    outside Mac Roman."""
    font = renamed(source, family, style)
    font['name'].names = [n for n in font['name'].names if n.platformID == 3]
    return font


def long_name_font(out):
    """A family name of 10,000 characters: the name table holds it twice at most (family and
    full name, Windows records only), as its offsets are 16-bit."""
    font = hostile(SANS, LONG_NAME)
    names = font['name']
    names.setName('Long Regular', 3, 3, 1, 0x409)
    names.setName('Long-Regular', 6, 3, 1, 0x409)
    font.save(os.path.join(out, 'long.ttf'))
    return LONG_NAME


def symbol_font(out):
    """Glyphs reached through the Windows symbol encoding (U+F020 and up) only."""
    font = renamed(SANS, 'Symbolic Pi', 'Regular')
    best = font.getBestCmap()
    table = font['cmap']
    subtable = CmapSubtable.newSubtable(4)
    subtable.platformID, subtable.platEncID, subtable.language = 3, 0, 0
    subtable.cmap = {0xF000 + code: best[code] for code in range(0x20, 0x7F) if code in best}
    table.tables = [subtable]
    font['OS/2'].ulCodePageRange1 = 1 << 31
    font.save(os.path.join(out, 'symbol.ttf'))
    return 'Symbolic Pi'


def no_cmap_font(out):
    font = renamed(SERIF, 'No Charmap', 'Book')
    del font['cmap']
    font.save(os.path.join(out, 'nocmap.ttf'))
    return 'No Charmap'


def variable_font(out, family='Variable Weight', file_name='variable.ttf'):
    """A weight axis with two named instances (and no variations to apply)."""
    font = renamed(SANS, family, 'Regular')
    fvar = newTable('fvar')
    axis = Axis()
    axis.axisTag, axis.minValue, axis.defaultValue, axis.maxValue = 'wght', 100, 400, 900
    axis.axisNameID = font['name'].addName('Weight')
    fvar.axes = [axis]
    fvar.instances = []
    for weight, style in ((400, 'Regular'), (700, 'Bold')):
        instance = NamedInstance()
        instance.subfamilyNameID = font['name'].addName(style)
        instance.coordinates = {'wght': weight}
        fvar.instances.append(instance)
    font['fvar'] = fvar
    gvar = newTable('gvar')
    gvar.version, gvar.reserved = 1, 0
    gvar.variations = {name: [] for name in font.getGlyphOrder()}
    font['gvar'] = gvar
    font.save(os.path.join(out, file_name))
    return family


def raw(tag, data):
    table = DefaultTable(tag)
    table.data = data
    return table


def damaged_layout(out):
    """GSUB's lists pointing past its end and its lookups noise; GPOS cut in half."""
    font = renamed(SANS, 'Damaged Layout', 'Regular')
    substitutions = font['GSUB'].compile(font)
    noise = random.Random(37)
    substitutions = (substitutions[:4] + struct.pack('>HHH', 10, 0xFFF0, 12)
                     + bytes(noise.randrange(256) for _ in range(len(substitutions) - 10)))
    positioning = font['GPOS'].compile(font)
    font['GSUB'] = raw('GSUB', substitutions)
    font['GPOS'] = raw('GPOS', positioning[:len(positioning) // 2])
    font.save(os.path.join(out, 'damaged-layout.ttf'))
    return 'Damaged Layout'


def damaged_axes(out):
    """A variable font whose axes claim far more records than the table holds; another whose
    axis range is upside down, with an axis mapping table whose maps claim thousands of pairs."""
    families = [variable_font(out, 'Damaged Axes', 'damaged-axes.ttf'),
                variable_font(out, 'Damaged Mapping', 'damaged-mapping.ttf')]
    path = os.path.join(out, 'damaged-axes.ttf')
    font = TTFont(path)
    axes = font['fvar'].compile(font)
    font['fvar'] = raw('fvar', axes[:8] + struct.pack('>H', 0x7FFF) + axes[10:])
    font.save(path)
    path = os.path.join(out, 'damaged-mapping.ttf')
    font = TTFont(path)
    axis = font['fvar'].axes[0]
    axis.minValue, axis.maxValue = 900, 100
    # Version 1.0, one axis map of 0x4000 pairs, only two of them there.
    font['avar'] = raw('avar', struct.pack('>HHHHH', 1, 0, 0, 1, 0x4000)
                       + struct.pack('>hhhh', -0x4000, 0x4000, 0x4000, -0x4000))
    font.save(path)
    return families


def collection(out):
    fonts = [renamed(SANS, 'Collected One', 'Regular'), renamed(SERIF, 'Collected Two', 'Book')]
    collection = TTCollection()
    collection.fonts = fonts
    collection.save(os.path.join(out, 'collection.ttc'))
    return ['Collected One', 'Collected Two']


def twins(out):
    renamed(SANS, 'Twin Family', 'Regular').save(os.path.join(out, 'twin-1.ttf'))
    renamed(SERIF, 'Twin Family', 'Book').save(os.path.join(out, 'twin-2.ttf'))
    return 'Twin Family'


def bitmap_font(out):
    """A BDF font: bitmaps only, no outlines."""
    glyphs = []
    for code in range(0x20, 0x7F):
        glyphs.append('STARTCHAR U+%04X\nENCODING %d\nSWIDTH 500 0\nDWIDTH 8 0\nBBX 8 8 0 0\n'
                      'BITMAP\n%s\nENDCHAR\n' % (code, code, '\n'.join(['FF', '81'] * 4)))
    with open(os.path.join(out, 'bitmap.bdf'), 'w', encoding='ascii') as bdf:
        bdf.write('STARTFONT 2.1\nFONT -glyphor-Bitmap Blocks-Medium-R-Normal--8-80-75-75-C-80-'
                  'ISO10646-1\nSIZE 8 75 75\nFONTBOUNDINGBOX 8 8 0 0\nSTARTPROPERTIES 3\n'
                  'FAMILY_NAME "Bitmap Blocks"\nFONT_ASCENT 8\nFONT_DESCENT 0\nENDPROPERTIES\n'
                  'CHARS %d\n%sENDFONT\n' % (len(glyphs), ''.join(glyphs)))
    return 'Bitmap Blocks'


def restricted_font(out):
    """Restricted licence embedding (fsType 2): a document may not carry the font."""
    font = renamed(SANS, 'Restricted Licence', 'Regular')
    font['OS/2'].fsType = 2
    font.save(os.path.join(out, 'restricted.ttf'))
    return 'Restricted Licence'


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    families = []
    for file_name, family in NAMED:
        hostile(SANS, family).save(os.path.join(out, file_name))
        families.append(family)
    with open(SANS, 'rb') as source:
        head = source.read(2000)
    with open(os.path.join(out, 'truncated.ttf'), 'wb') as cut:
        cut.write(head)
    open(os.path.join(out, 'empty.ttf'), 'wb').close()
    families += [long_name_font(out), symbol_font(out), no_cmap_font(out), variable_font(out), twins(out),
                 bitmap_font(out), restricted_font(out), damaged_layout(out)] + collection(out)
    families += damaged_axes(out)
    for family in families:
        print(repr(family))


if __name__ == '__main__':
    main()
