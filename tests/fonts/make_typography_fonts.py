#!/usr/bin/python3
"""Makes fonts that answer a line's typography, each glyph a few rectangles whose edges and
advances fall on whole pixels at 16 pixels per em (64 units of an em of 1,024: FreeType scales
such an em without rounding), so that two rasterisers drawing the same glyphs at the same places
give the same pixels:

- "Typo Features": small capitals (smcp) for a and b, a stylistic set (ss01, named
  "Alternate A") for a, and a Turkish form of i (locl under TRK);
- "Typo Plain": the same glyphs with no layout table at all;
- "Typo Weight": variable, a weight axis (100 to 900, 400 by default) widening every glyph, and
  an optical size axis (8 to 72, 8 by default) lowering their tops; named instances Regular
  (400) and Bold (650);
- "Typo Weight Narrow": variable, weight from 400 to 700 only.

usage: make_typography_fonts.py OUTPUT_FOLDER
"""
import os
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables.TupleVariation import TupleVariation

PIXEL = 64  # units of the em at 16 pixels per em
ADVANCE = 10 * PIXEL
# At their peaks, glyphs and advances 40% wider (4 pixels), tops 40% lower.
WIDENING = 0.4
LOWERING = -0.4

# Each glyph as rectangles (left, bottom, right, top) in pixels.
GLYPHS = {
    '.notdef': [(1, 0, 9, 2), (1, 12, 9, 14)],
    'space': [],
    'a': [(2, 0, 8, 10)],
    'b': [(2, 0, 4, 14), (5, 0, 8, 6)],
    'i': [(4, 0, 6, 10), (4, 12, 6, 14)],
    'a.sc': [(2, 0, 8, 7)],
    'b.sc': [(2, 0, 4, 7), (5, 0, 8, 4)],
    'a.ss01': [(2, 0, 4, 10), (6, 0, 8, 10)],
    'i.trk': [(4, 0, 6, 10), (3, 12, 7, 13)],
}
CHARACTERS = {0x20: 'space', 0x61: 'a', 0x62: 'b', 0x69: 'i'}

FEATURES = """
languagesystem DFLT dflt;
languagesystem latn dflt;
languagesystem latn TRK;
feature smcp { sub a by a.sc; sub b by b.sc; } smcp;
feature ss01 {
    featureNames { name "Alternate A"; };
    sub a by a.ss01;
} ss01;
feature locl { script latn; language TRK exclude_dflt; sub i by i.trk; } locl;
"""


def units(rectangles):
    return [tuple(PIXEL * edge for edge in rectangle) for rectangle in rectangles]


def outline(rectangles):
    pen = TTGlyphPen(None)
    for left, bottom, right, top in units(rectangles):
        pen.moveTo((left, bottom))
        pen.lineTo((left, top))
        pen.lineTo((right, top))
        pen.lineTo((right, bottom))
        pen.closePath()
    return pen.glyph()


def builder(family, style='Regular'):
    made = FontBuilder(16 * PIXEL, isTTF=True)
    made.setupGlyphOrder(list(GLYPHS))
    made.setupCharacterMap(CHARACTERS)
    made.setupGlyf({name: outline(rectangles) for name, rectangles in GLYPHS.items()})
    made.setupHorizontalMetrics({
        name: (ADVANCE if rectangles else ADVANCE // 2,
               PIXEL * min((r[0] for r in rectangles), default=0))
        for name, rectangles in GLYPHS.items()})
    made.setupHorizontalHeader(ascent=14 * PIXEL, descent=-2 * PIXEL)
    made.setupNameTable({'familyName': family, 'styleName': style})
    made.setupOS2(sTypoAscender=14 * PIXEL, sTypoDescender=-2 * PIXEL, usWinAscent=14 * PIXEL,
                  usWinDescent=2 * PIXEL)
    made.setupPost()
    return made


def deltas(rectangles, x_ratio, y_ratio):
    """Each point moved by its own coordinates times the ratios, in whole pixels, then the four
    phantom points: the advance grows as the glyphs widen. Whole pixels at the peak give whole
    units at the coordinates the tests draw (a half, a quarter, sixteenths of the way), which
    FreeType rounds its deltas to and HarfBuzz does not."""
    def moved(value, ratio):
        return PIXEL * round(value * ratio / PIXEL)
    points = []
    for left, bottom, right, top in units(rectangles):
        for x, y in ((left, bottom), (left, top), (right, top), (right, bottom)):
            points.append((moved(x, x_ratio), moved(y, y_ratio)))
    return points + [(0, 0), (moved(ADVANCE, x_ratio), 0), (0, 0), (0, 0)]


def variable(out, file_name, family, weights, bold, optical):
    """weights: the weight axis's minimum, default and maximum; bold: the Bold instance's weight;
    optical: an optical size axis."""
    made = builder(family)
    axes = [('wght',) + weights + ('Weight',)]
    if optical:
        axes.append(('opsz', 8, 8, 72, 'Optical size'))
    instances = [{'location': dict({'wght': weight}, **({'opsz': 8} if optical else {})),
                  'stylename': style}
                 for weight, style in ((400, 'Regular'), (bold, 'Bold'))]
    made.setupFvar(axes, instances)
    variations = {}
    for name, rectangles in GLYPHS.items():
        variations[name] = []
        if not rectangles:
            continue
        variations[name].append(
            TupleVariation({'wght': (0, 1, 1)}, deltas(rectangles, WIDENING, 0)))
        if optical:
            variations[name].append(
                TupleVariation({'opsz': (0, 1, 1)}, deltas(rectangles, 0, LOWERING)))
    made.setupGvar(variations)
    made.save(os.path.join(out, file_name))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    featured = builder('Typo Features')
    featured.addOpenTypeFeatures(FEATURES)
    featured.save(os.path.join(out, 'typo-features.ttf'))
    builder('Typo Plain').save(os.path.join(out, 'typo-plain.ttf'))
    # The weights the tests draw lie at a half or a quarter of the way to the maximum, which
    # FreeType and HarfBuzz hold alike: advances 2 and 1 pixels wider.
    variable(out, 'typo-weight.ttf', 'Typo Weight', (100, 400, 900), 650, True)
    variable(out, 'typo-weight-narrow.ttf', 'Typo Weight Narrow', (400, 400, 700), 700, False)


if __name__ == '__main__':
    main()
