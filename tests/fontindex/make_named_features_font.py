#!/usr/bin/python3
"""Writes a font whose stylistic set and character variant have names of their own, in French
and English, for the font index to read.

usage: make_named_features_font.py SOURCE.ttf OUT.ttf
"""
import sys

from fontTools.feaLib.builder import addOpenTypeFeaturesFromString
from fontTools.ttLib import TTFont

FEATURES = """
languagesystem DFLT dflt;
languagesystem latn dflt;
feature ss01 {
    featureNames {
        name "Alternate a";
        name 3 1 0x040C "Variante de a";
    };
    sub a by b;
} ss01;
feature cv01 {
    cvParameters {
        FeatUILabelNameID {
            name "Single-storey g";
        };
    };
    sub g by q;
} cv01;
feature smcp {
    sub c by d;
} smcp;
"""


def main():
    font = TTFont(sys.argv[1])
    for table in ('GSUB', 'GPOS', 'GDEF'):
        if table in font:
            del font[table]
    addOpenTypeFeaturesFromString(font, FEATURES)
    font.save(sys.argv[2])


if __name__ == '__main__':
    main()
