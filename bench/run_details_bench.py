#!/usr/bin/python3
"""Measures the details window and the font index at full size.

For each corpus size it runs glyphor-details-bench under an Xvfb of its own, with the corpus and
one font of 60,000 characters made for it: the font index built on its thread while a font list is
paged down (and the same paging without it), read back as at the next start, the details window
opened, switched from family to family, and its character grid scrolled page by page through the
wide font. Writes bench/RESULTS-details.md. --quick is the check that CI runs: 200 families and a
font of 2,000 characters, one run; it fails when a figure is missing, never on a time.
"""

import argparse
import datetime
import os
import statistics
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen

from make_corpus import make_corpus
from run_bench import log, machine, measure_all, number, run_once

HERE = os.path.dirname(os.path.abspath(__file__))
WIDE_FAMILY = "Glyphor Bench Wide"
# key, label, unit, limit (ms, MiB or s as the unit says), on the median
FIGURES = [
    ("index_build", "Font index built, every face read, on its thread", "s", 30),
    ("page_alone", "Page Down, one page painted, nothing else running (median)", "ms", None),
    ("page_while_indexing", "Page Down while the index is built (median)", "ms", 16),
    ("page_while_indexing_slowest", "Page Down while the index is built, the slowest", "ms",
     None),
    ("index_read_back", "Index read back, as at the next start, its answers in place", "ms", 50),
    ("index_checked", "Index read back and every face checked against its file", "ms", None),
    ("index_rss", "Memory the index took (VmRSS, before and after)", "MiB", 20),
    ("index_file", "Index file", "MiB", None),
    ("details_open", "Details window opened and painted", "ms", 100),
    ("details_switch", "Details window following another family (median)", "ms", 50),
    ("details_switch_slowest", "Details window following another family, the slowest", "ms",
     None),
    ("grid_first_page", "Characters of the wide font, first page painted", "ms", 100),
    ("grid_page", "Characters of the wide font, a page scrolled (median)", "ms", 16),
    ("grid_page_slowest", "Characters of the wide font, the slowest page", "ms", None),
]


def make_wide_font(folder, characters):
    """A font with one simple glyph for each of that many characters, from U+4E00 on."""
    path = os.path.join(folder, "wide-%d.ttf" % characters)
    if os.path.exists(path):
        return path
    os.makedirs(folder, exist_ok=True)
    codes = list(range(0x4E00, 0xA000)) + list(range(0x20000, 0x2A6E0)) + \
        list(range(0x2A700, 0x2B730))
    codes = codes[:characters]
    pen = TTGlyphPen(None)
    pen.moveTo((100, 0))
    pen.lineTo((100, 700))
    pen.lineTo((900, 700))
    pen.lineTo((900, 0))
    pen.closePath()
    box = pen.glyph()
    names = [".notdef"] + ["g%d" % i for i in range(len(codes))]
    builder = FontBuilder(1000, isTTF=True)
    builder.setupGlyphOrder(names)
    builder.setupCharacterMap({code: "g%d" % i for i, code in enumerate(codes)})
    builder.setupGlyf({name: box for name in names})
    builder.setupHorizontalMetrics({name: (1000, 100) for name in names})
    builder.setupHorizontalHeader(ascent=880, descent=-120)
    builder.setupNameTable({"familyName": WIDE_FAMILY, "styleName": "Regular"})
    builder.setupOS2(sTypoAscender=880, usWinAscent=880, usWinDescent=120)
    builder.setupPost()
    builder.save(path)
    return path


def fonts_conf(corpus_conf, wide_folder, folder):
    path = os.path.join(folder, "details-fonts.conf")
    with open(path, "w") as f:
        f.write('<?xml version="1.0"?>\n<fontconfig>\n'
                f'  <include>{corpus_conf}</include>\n  <dir>{wide_folder}</dir>\n'
                f'  <cachedir>{os.path.join(wide_folder, "cache")}</cachedir>\n</fontconfig>\n')
    return path


def value(report, key, unit):
    if key.endswith("_ns") or key + "_ns" in report:
        raw = report.get(key + "_ns")
        return None if raw is None else raw / (1e9 if unit == "s" else 1e6)
    raw = report.get(key + "_kb")
    return None if raw is None else raw / 1024


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quick", action="store_true")
    parser.add_argument("--sizes", default="3000,10000")
    parser.add_argument("--reps", type=int, default=3)
    parser.add_argument("--build-dir", default=os.path.join(os.path.dirname(HERE), "build"))
    args = parser.parse_args()
    sizes = [200] if args.quick else [int(s) for s in args.sizes.split(",") if s]
    reps = 1 if args.quick else args.reps
    wide_characters = 2000 if args.quick else 60000
    executable = os.path.abspath(os.path.join(args.build_dir, "bench", "glyphor-details-bench"))
    if not os.access(executable, os.X_OK):
        sys.exit(f"{executable} is missing: build it first")
    wide_folder = os.path.join(HERE, "corpus", "wide-%d" % wide_characters)
    make_wide_font(wide_folder, wide_characters)

    def measure_case(count, env):
        conf = fonts_conf(make_corpus(count, log=log), wide_folder,
                          os.path.join(HERE, "corpus"))
        env = dict(env, GLYPHOR_BENCH_WIDE_FAMILY=WIDE_FAMILY)
        reports = []
        for rep in range(reps):
            report = run_once(executable, conf, env)
            if "error" in report:
                log(f"  N={count} run {rep + 1}: {report['error']}")
            reports.append(report)
        lines = [f"### {count} families", "",
                 "| Figure | min | median | Limit |", "| --- | ---: | ---: | --- |"]
        complete = True
        for key, label, unit, limit in FIGURES:
            values = [value(r, key, unit) for r in reports]
            values = [v for v in values if v is not None]
            complete &= len(values) == len(reports) and bool(values)
            low = min(values) if values else None
            mid = statistics.median(values) if values else None
            verdict = "" if limit is None else (
                f"≤ {limit} {unit}: " + ("met" if mid is not None and mid <= limit else "over"))
            lines.append(f"| {label} | {number(low, unit)} | {number(mid, unit)} | {verdict} |")
        first = reports[0] if reports else {}
        lines += ["", f"- {first.get('families', '?')} families, {first.get('index_faces', '?')} "
                  f"faces indexed; the wide font has {first.get('grid_characters', '?')} "
                  "characters", ""]
        return lines, complete, {"glyphor": reports}

    display, load, sections, all_reports, complete = measure_all(sizes, measure_case, reps)
    if not args.quick:
        with open(os.path.join(HERE, "RESULTS-details.md"), "w") as f:
            f.write("# Benchmark: the details window and the font index\n\n"
                    f"Run on {datetime.date.today().isoformat()} with "
                    f"`bench/run_details_bench.py --sizes {args.sizes} --reps {reps}`.\n\n"
                    f"Machine: {machine(display, all_reports, load)}.\n\n"
                    "One program (bench/details/details_bench.cpp) with the corpus and a font of "
                    f"{wide_characters:,} characters made for it: a font list paged down alone, "
                    "then while the font index reads every face on its idle-priority thread; the "
                    "index read back as at the next start; the details window opened on a family "
                    "in the middle of the list, switched to 20 others, and its character grid "
                    "scrolled 200 pages through the wide font. Limits apply to the medians.\n\n"
                    + "\n".join(sections))
    if not complete:
        sys.exit("some figures are missing")
    log("all figures present")


if __name__ == "__main__":
    main()
