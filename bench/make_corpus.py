#!/usr/bin/python3
"""Makes a folder of N distinct font families for the benchmark, once.

Each family is a Regular and a Bold file copied from one of Debian's Liberation or DejaVu
fonts, cut down to Latin-1 (the sample is Latin, and 20,000 whole DejaVu files would fill
14 GB) and renamed with fontTools. The real Liberation fonts (a run-time dependency of Glyphor,
package fonts-liberation2) and DejaVu Sans are copied too, so that "Arial", "Times New Roman",
"Courier New" and the default sans-serif resolve as on a real desktop; they count among the N
families.

A bare corpus has neither the real Liberation and DejaVu fonts nor fontconfig's alias rules, as on
a desktop that has other fonts only: every name the windows ask for is then missing.

The folder holds fonts/, fonts.conf (that folder only, with its cache inside the corpus) and a
stamp; a folder whose stamp matches is reused as it is.
"""

import argparse
import io
import json
import multiprocessing
import os
import random
import shutil
import subprocess
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

VERSION = 2
HERE = os.path.dirname(os.path.abspath(__file__))
DEJAVU = "/usr/share/fonts/truetype/dejavu"
LIBERATION = "/usr/share/fonts/truetype/liberation2"

# (regular file, bold file, word that ends the family names made from it)
BASES = [
    (f"{LIBERATION}/LiberationSans-Regular.ttf", f"{LIBERATION}/LiberationSans-Bold.ttf", "Sans"),
    (f"{LIBERATION}/LiberationSerif-Regular.ttf", f"{LIBERATION}/LiberationSerif-Bold.ttf", "Serif"),
    (f"{LIBERATION}/LiberationMono-Regular.ttf", f"{LIBERATION}/LiberationMono-Bold.ttf", "Mono"),
    (f"{DEJAVU}/DejaVuSans.ttf", f"{DEJAVU}/DejaVuSans-Bold.ttf", "Sans"),
    (f"{DEJAVU}/DejaVuSerif.ttf", f"{DEJAVU}/DejaVuSerif-Bold.ttf", "Serif"),
    (f"{DEJAVU}/DejaVuSansMono.ttf", f"{DEJAVU}/DejaVuSansMono-Bold.ttf", "Mono"),
    # fonts-dejavu-extra, used when present
    (f"{DEJAVU}/DejaVuSansCondensed.ttf", f"{DEJAVU}/DejaVuSansCondensed-Bold.ttf", "Condensed"),
    (f"{DEJAVU}/DejaVuSerifCondensed.ttf", f"{DEJAVU}/DejaVuSerifCondensed-Bold.ttf", "Text"),
]

# Copied whole: the families that the program's fixed fonts and fontconfig's defaults resolve to.
REAL_FILES = [
    f"{LIBERATION}/LiberationSans-Regular.ttf",
    f"{LIBERATION}/LiberationSans-Bold.ttf",
    f"{LIBERATION}/LiberationSerif-Regular.ttf",
    f"{LIBERATION}/LiberationSerif-Bold.ttf",
    f"{LIBERATION}/LiberationMono-Regular.ttf",
    f"{LIBERATION}/LiberationMono-Bold.ttf",
    f"{DEJAVU}/DejaVuSans.ttf",
    f"{DEJAVU}/DejaVuSans-Bold.ttf",
]
REAL_FAMILIES = ["Liberation Sans", "Liberation Serif", "Liberation Mono", "DejaVu Sans"]

# Basic Latin, Latin-1 Supplement and the letters and signs that Windows-1252 adds.
LATIN = (list(range(0x20, 0x7F)) + list(range(0xA0, 0x100))
         + [0x152, 0x153, 0x160, 0x161, 0x178, 0x17D, 0x17E, 0x192, 0x2C6, 0x2DC,
            0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C, 0x201D, 0x201E, 0x2020,
            0x2021, 0x2022, 0x2026, 0x2030, 0x2039, 0x203A, 0x20AC, 0x2122])

# Words of every initial and of many lengths, so that names sort and elide like real ones.
WORDS = """
Abbey Acorn Adria Aegean Alder Almanac Amber Anchor Apex Arbor Argent Atlas Aurora Avalon
Badger Baltic Banner Baroque Basalt Beacon Birch Bishop Bolt Boreal Bramble Brook Cadence
Cameo Canopy Cardinal Cascade Cedar Chalk Cinder Citadel Clover Cobalt Comet Copper Coral
Dahlia Delta Dorian Drift Dune Ember Emerald Empire Epoch Estuary Falcon Fathom Fennel Fern
Fjord Flint Foundry Fresco Gable Garnet Glacier Granite Grove Harbor Hazel Heron Hollow
Horizon Iris Ivory Jade Jasper Juniper Kestrel Kiln Lagoon Lantern Laurel Ledger Linden
Lotus Lumen Magnolia Maple Marble Meadow Meridian Mosaic Nectar Nimbus Noble Nomad Oak
Obsidian Onyx Opal Orchard Osprey Pagoda Paragon Pebble Pilgrim Pine Prairie Quarry Quartz
Quill Quince Raven Reef Ridge Rowan Saffron Sable Sequoia Sierra Solstice Spruce Summit
Tamarind Tapestry Thistle Timber Topaz Tundra Umber Umbra Union Valley Vellum Velvet Verdant
Vesper Willow Winter Wren Xenon Xylo Yarrow Yew Yonder Zenith Zephyr Zinnia
""".split()


def bases():
    return [b for b in BASES if os.path.exists(b[0]) and os.path.exists(b[1])]


def family_names(count, suffixes):
    """count distinct names (ignoring case), the same ones on every run."""
    rng = random.Random(20240611)
    taken = {f.lower() for f in REAL_FAMILIES}
    names = []
    while len(names) < count:
        words = rng.sample(WORDS, rng.choice((1, 2, 2, 3)))
        name = " ".join(words + [suffixes[len(names) % len(suffixes)]])
        if name.lower() not in taken:
            taken.add(name.lower())
            names.append(name)
    return names


def latin_subset(path):
    options = subset.Options()
    options.notdef_outline = True
    options.drop_tables += ["FFTM"]  # FontForge's time stamps
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    font = TTFont(path)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=LATIN)
    subsetter.subset(font)
    out = io.BytesIO()
    font.save(out)
    return out.getvalue()


def rename(data, family, style):
    """The font in data, saved under a new family name; only its name table is rebuilt."""
    font = TTFont(io.BytesIO(data), recalcBBoxes=False, recalcTimestamp=False)
    table = font["name"]
    full = family if style == "Regular" else f"{family} {style}"
    postscript = f"{family.replace(' ', '')}-{style}"
    strings = {1: family, 2: style, 3: f"Glyphor bench: {full}", 4: full, 6: postscript,
               16: family, 17: style}
    table.removeNames(nameID=16)
    table.removeNames(nameID=17)
    table.removeNames(nameID=21)
    table.removeNames(nameID=22)
    for record in list(table.names):
        if record.nameID in strings:
            record.string = strings[record.nameID]
    for name_id in (16, 17):
        table.setName(strings[name_id], name_id, 3, 1, 0x409)
    out = io.BytesIO()
    font.save(out)
    return out.getvalue()


_base_data = []


def _load_bases(data):
    _base_data.extend(data)


def _make_family(job):
    index, family, fonts_dir = job
    base = _base_data[index % len(_base_data)]
    stem = family.replace(" ", "")
    for style, data in (("Regular", base[0]), ("Bold", base[1])):
        with open(os.path.join(fonts_dir, f"{stem}-{style}.ttf"), "wb") as f:
            f.write(rename(data, family, style))


FONTS_CONF = """<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<!-- The benchmark's fonts only; the includes add aliases (Arial, sans-serif), no fonts. -->
<fontconfig>
  <dir>{fonts}</dir>
  <cachedir>{cache}</cachedir>
{aliases}</fontconfig>
"""
ALIASES = """\
  <include ignore_missing="yes">/etc/fonts/conf.d/30-metric-aliases.conf</include>
  <include ignore_missing="yes">/etc/fonts/conf.d/45-latin.conf</include>
  <include ignore_missing="yes">/etc/fonts/conf.d/49-sansserif.conf</include>
  <include ignore_missing="yes">/etc/fonts/conf.d/60-latin.conf</include>
"""


def make_corpus(count, folder=None, log=print, bare=False):
    """Returns the path of the fonts.conf of a corpus of count families, made if needed."""
    name = f"N{count}-bare" if bare else f"N{count}"
    folder = os.path.abspath(folder or os.path.join(HERE, "corpus", name))
    used = bases()
    stamp = {"version": VERSION, "families": count, "folder": folder,
             "bases": [b[0] for b in used], "bare": bare}
    stamp_path = os.path.join(folder, "stamp.json")
    conf = os.path.join(folder, "fonts.conf")
    try:
        with open(stamp_path) as f:
            if json.load(f) == stamp:
                return conf
    except (OSError, ValueError):
        pass

    real_files = [] if bare else REAL_FILES
    made = count - (0 if bare else len(REAL_FAMILIES))
    if made < 1:
        raise ValueError(f"a corpus holds at least {len(REAL_FAMILIES) + 1} families")
    log(f"making the {'bare ' if bare else ''}corpus of {count} families in {folder}")
    shutil.rmtree(folder, ignore_errors=True)
    fonts_dir = os.path.join(folder, "fonts")
    os.makedirs(fonts_dir)
    for path in real_files:
        shutil.copy(path, fonts_dir)

    base_data = [(latin_subset(regular), latin_subset(bold)) for regular, bold, _ in used]
    names = family_names(made, [suffix for _, _, suffix in used])
    jobs = [(k, name, fonts_dir) for k, name in enumerate(names)]
    with multiprocessing.Pool(min(2, os.cpu_count() or 1), _load_bases, (base_data,)) as pool:
        for _ in pool.imap_unordered(_make_family, jobs, chunksize=64):
            pass

    with open(conf, "w") as f:
        f.write(FONTS_CONF.format(fonts=fonts_dir, cache=os.path.join(folder, "cache"),
                                  aliases="" if bare else ALIASES))
    subprocess.run(["fc-cache", "-f"], check=True,
                   env=dict(os.environ, FONTCONFIG_FILE=conf))
    with open(stamp_path, "w") as f:
        json.dump(stamp, f)
    return conf


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("count", type=int, help="number of families")
    parser.add_argument("--folder", help="default: bench/corpus/N<count>")
    args = parser.parse_args()
    print(make_corpus(args.count, args.folder))


if __name__ == "__main__":
    sys.exit(main())
