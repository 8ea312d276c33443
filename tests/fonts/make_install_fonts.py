#!/usr/bin/python3
"""Makes the fonts the installer tests install: a family in two files (regular and bold), a
collection holding two families, and another family's file to stand in the way of the first.
Renamed copies of Liberation fonts.

usage: make_install_fonts.py OUTPUT_FOLDER
"""
import os
import sys

from fontTools.ttLib import TTCollection

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_odd_fonts import LIBERATION, renamed  # noqa: E402

SANS = LIBERATION + 'LiberationSans-'


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    renamed(SANS + 'Regular.ttf', 'Glyphor Essai', 'Regular').save(
        os.path.join(out, 'essai-regular.ttf'))
    renamed(SANS + 'Bold.ttf', 'Glyphor Essai', 'Bold').save(os.path.join(out, 'essai-bold.ttf'))
    renamed(SANS + 'Italic.ttf', 'Glyphor Autre', 'Italic').save(os.path.join(out, 'autre.ttf'))
    collection = TTCollection()
    collection.fonts = [renamed(SANS + 'Regular.ttf', 'Recueil Un', 'Regular'),
                        renamed(SANS + 'Bold.ttf', 'Recueil Deux', 'Bold')]
    collection.save(os.path.join(out, 'recueil.ttc'))


if __name__ == '__main__':
    main()
