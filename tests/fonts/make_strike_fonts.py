#!/usr/bin/python3
"""Makes fonts whose glyphs come as bitmap strikes: a TrueType font with outlines and a 1-bit
strike at 16 pixels per em beside them ("Strike Outline"), and a character-cell family in three
BDF files of one size each, 10, 16 and 24 pixels ("Strike Cells"), as X11's bitmap fonts
(Fixed, Terminus) come; as with theirs, the smallest size holds fewer characters (ASCII only).

Each glyph of the strikes is a solid block as high as the strike's ascent, so that the height of
the ink tells which strike drew it.

usage: make_strike_fonts.py OUTPUT_FOLDER
"""
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

STRIKE_PPEM = 16
CELL_SIZES = (10, 16, 24)
# Latin, Greek and Cyrillic letters: the larger cells' files cover French, Greek and Russian.
ASCII = list(range(0x20, 0x7F))
CELL_CHARACTERS = (ASCII + list(range(0xA0, 0x180)) + list(range(0x370, 0x3D0))
                   + list(range(0x400, 0x460)))


def bar(pen):
    """An upright bar, 200 units wide and 700 high: slanted, its top leans right."""
    pen.moveTo((100, 0))
    pen.lineTo((100, 700))
    pen.lineTo((300, 700))
    pen.lineTo((300, 0))
    pen.closePath()


def metrics_xml(ascender, descender, width):
    fields = ('<ascender value="%d"/><descender value="%d"/><widthMax value="%d"/>'
              '<caretSlopeNumerator value="0"/><caretSlopeDenominator value="0"/>'
              '<caretOffset value="0"/><minOriginSB value="0"/><minAdvanceSB value="0"/>'
              '<maxBeforeBL value="0"/><minAfterBL value="0"/><pad1 value="0"/><pad2 value="0"/>'
              % (ascender, descender, width))
    return ('<sbitLineMetrics direction="hori">%s</sbitLineMetrics>'
            '<sbitLineMetrics direction="vert">%s</sbitLineMetrics>' % (fields, fields))


def strike_outline_font(out):
    order = ['.notdef', 'space', 'I']
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder(order)
    builder.setupCharacterMap({0x20: 'space', 0x49: 'I'})
    pen = TTGlyphPen(None)
    bar(pen)
    builder.setupGlyf({'.notdef': TTGlyphPen(None).glyph(), 'space': TTGlyphPen(None).glyph(),
                       'I': pen.glyph()})
    builder.setupHorizontalMetrics({'.notdef': (500, 0), 'space': (500, 0), 'I': (500, 100)})
    builder.setupHorizontalHeader(ascent=800, descent=-200)
    builder.setupNameTable({'familyName': 'Strike Outline', 'styleName': 'Regular'})
    builder.setupOS2(sTypoAscender=800, sTypoDescender=-200, usWinAscent=800, usWinDescent=200)
    builder.setupPost()
    # The strike's "I": a block 4 pixels wide and 12 high, upright.
    xml = ('<?xml version="1.0" encoding="UTF-8"?><ttFont>'
           '<EBLC><header version="2.0"/><strike index="0"><bitmapSizeTable>%s'
           '<colorRef value="0"/><startGlyphIndex value="2"/><endGlyphIndex value="2"/>'
           '<ppemX value="%d"/><ppemY value="%d"/><bitDepth value="1"/><flags value="1"/>'
           '</bitmapSizeTable><eblc_index_sub_table_1 imageFormat="1" firstGlyphIndex="2" '
           'lastGlyphIndex="2"><glyphLoc name="I"/></eblc_index_sub_table_1></strike></EBLC>'
           '<EBDT><header version="2.0"/><strikedata index="0"><ebdt_bitmap_format_1 name="I">'
           '<SmallGlyphMetrics><height value="12"/><width value="4"/><BearingX value="2"/>'
           '<BearingY value="12"/><Advance value="8"/></SmallGlyphMetrics>'
           '<rawimagedata>%s</rawimagedata></ebdt_bitmap_format_1></strikedata></EBDT>'
           '</ttFont>' % (metrics_xml(13, -3, 8), STRIKE_PPEM, STRIKE_PPEM, ' '.join(['F0'] * 12)))
    ttx = os.path.join(out, 'strike-outline.ttx')
    with open(ttx, 'w', encoding='ascii') as f:
        f.write(xml)
    builder.font.importXML(ttx)
    os.remove(ttx)
    builder.font.save(os.path.join(out, 'strike-outline.ttf'))


def cell_font(out, size):
    ascent = size * 3 // 4
    descent = size - ascent
    width = size // 2
    row = '%0*X' % ((width + 7) // 8 * 2, ((1 << width) - 1) << ((8 - width % 8) % 8))
    glyphs = []
    for code in ASCII if size == CELL_SIZES[0] else CELL_CHARACTERS:
        glyphs.append('STARTCHAR U+%04X\nENCODING %d\nSWIDTH 500 0\nDWIDTH %d 0\nBBX %d %d 0 0\n'
                      'BITMAP\n%s\nENDCHAR\n'
                      % (code, code, width, width, ascent, '\n'.join([row] * ascent)))
    with open(os.path.join(out, 'cells-%d.bdf' % size), 'w', encoding='ascii') as bdf:
        bdf.write('STARTFONT 2.1\nFONT -glyphor-Strike Cells-Medium-R-Normal--%d-%d-75-75-C-%d-'
                  'ISO10646-1\nSIZE %d 75 75\nFONTBOUNDINGBOX %d %d 0 %d\nSTARTPROPERTIES 6\n'
                  'FAMILY_NAME "Strike Cells"\nSPACING "C"\nCHARSET_REGISTRY "ISO10646"\n'
                  'CHARSET_ENCODING "1"\nFONT_ASCENT %d\n'
                  'FONT_DESCENT %d\nENDPROPERTIES\nCHARS %d\n%sENDFONT\n'
                  % (size, size * 10, width * 10, size, width, size, -descent, ascent,
                     descent, len(glyphs), ''.join(glyphs)))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    strike_outline_font(out)
    for size in CELL_SIZES:
        cell_font(out, size)


if __name__ == '__main__':
    main()
