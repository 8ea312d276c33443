#!/usr/bin/python3
"""Measures Glyphor's printed catalogue against the printing floor, side by side.

For each corpus size it runs, in turn and several times each, glyphor-print-bench (the real
program printing its catalogue to a PDF file, the print dialog skipped) and glyphor-print-floor (a
bare painter loop drawing each family's name in its own font to a PDF file), under an Xvfb of its
own, and prints the min and median of each figure and the ratio Glyphor / floor of the medians.
The section "Printing the catalogue" of bench/RESULTS.md is written anew. --quick is the check
that CI runs: 200 families, one run each; it fails when a figure is missing, never on a time.
"""

import argparse
import datetime
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile

from make_corpus import make_corpus
from run_bench import (PRINT_SECTION, log, machine, measure_all, number, ratio_cells, run_once,
                       stats)

HERE = os.path.dirname(os.path.abspath(__file__))
PROGRAMS = ("glyphor", "floor")
EXECUTABLES = {"glyphor": "glyphor-print-bench", "floor": "glyphor-print-floor"}

# key, label, unit, goals by size (largest ratio Glyphor / floor; None: shown for the record)
FIGURES = [
    ("per_1000", "Time per 1,000 fonts", "s", {3000: 0.25, 10000: 0.2}),
    ("seconds", "Time for the whole list", "s", None),
    ("vmhwm", "Peak memory (VmHWM)", "MiB", {3000: 0.5, 10000: 0.3}),
    ("growth_per_1000", "Memory added while printing, per 1,000 fonts", "MiB", None),
    ("pdf_mib", "PDF size", "MiB", {3000: 1.0, 10000: 1.0}),
    ("pages", "Pages", "", None),
]

# Where Glyphor's time goes (its own report, in ns): key, label.
BREAKDOWN = [
    ("face_opening_ns", "Finding and opening faces"),
    ("shaping_ns", "Shaping (HarfBuzz)"),
    ("drawing_ns", "Drawing and writing the pages"),
    ("subsetting_ns", "Embedding the font subsets, closing the file"),
]


def pdf_pages(path):
    try:
        info = subprocess.run(["pdfinfo", path], capture_output=True, text=True).stdout
    except OSError:
        return None
    match = re.search(r"^Pages:\s+(\d+)$", info, re.M)
    return int(match.group(1)) if match else None


def figures(report, pdf):
    """The figures of one run; a figure the run lacks is None."""
    if "error" in report or report.get("t_end") is None or not report.get("fonts"):
        return {key: None for key, *_ in FIGURES}
    fonts = report["fonts"]
    seconds = (report["t_end"] - report["t_start"]) / 1e9
    growth = (report["vmhwm_kb"] - report["vmrss_before_kb"]) / 1024
    exists = os.path.exists(pdf)
    return {
        "seconds": seconds,
        "per_1000": seconds * 1000 / fonts,
        "vmhwm": report["vmhwm_kb"] / 1024,
        "growth_per_1000": growth * 1000 / fonts,
        "pdf_mib": os.path.getsize(pdf) / 1024 / 1024 if exists else None,
        "pages": pdf_pages(pdf) if exists else None,
        "fonts": fonts,
    }


def measure(count, executables, reps, env, log):
    fonts_conf = make_corpus(count, log=log)
    runs = {name: [] for name in executables}
    reports = {name: [] for name in executables}
    with tempfile.TemporaryDirectory(prefix="glyphor-print-bench-") as out:
        for rep in range(reps):
            order = list(executables) if rep % 2 == 0 else list(executables)[::-1]
            for name in order:
                pdf = os.path.join(out, f"{name}.pdf")
                if os.path.exists(pdf):
                    os.remove(pdf)
                report = run_once(executables[name], fonts_conf,
                                  dict(env, GLYPHOR_PRINT_BENCH_PDF=pdf))
                if "error" in report:
                    log(f"  N={count} {name} run {rep + 1}: {report['error']}")
                reports[name].append(report)
                runs[name].append(figures(report, pdf))
    return runs, reports


def tables(count, runs, reports):
    complete = True
    lines = [f"### {count} families", "",
             "| Figure | Glyphor min | Glyphor median | Floor min | Floor median "
             "| Glyphor / floor | Budget |",
             "| --- | ---: | ---: | ---: | ---: | ---: | --- |"]
    for key, label, unit, goals in FIGURES:
        budget = goals.get(count) if goals else None
        row = [label]
        medians = {}
        for name in PROGRAMS:
            low, mid = stats(runs[name], key)
            complete &= mid is not None
            medians[name] = mid
            row += [number(low, unit), number(mid, unit)]
        row += ratio_cells(medians, budget)
        lines.append("| " + " | ".join(row) + " |")
    notes = []
    for name in PROGRAMS:
        first = next((r for r in runs[name] if r.get("fonts")), None)
        if first:
            notes.append(f"{name.capitalize()}: {first['fonts']} fonts printed")
    for report in reports["glyphor"][:1]:
        if report.get("message"):
            notes.append(f"Glyphor's closing message: \"{report['message']}\"")
    lines += [""] + [f"- {n}" for n in notes] + [""] + breakdown(reports["glyphor"])
    return lines, complete


def breakdown(reports):
    """Glyphor's time per 1,000 fonts, by what it was spent on: the medians of the runs."""
    runs = [r for r in reports if r.get("fonts") and "error" not in r]
    if not runs:
        return []
    lines = ["Where Glyphor's time goes, per 1,000 fonts (median of the runs):", "",
             "| Part | Time per 1,000 fonts |", "| --- | ---: |"]
    for key, label in BREAKDOWN:
        values = [r[key] / 1e9 * 1000 / r["fonts"] for r in runs if r.get(key) is not None]
        lines.append(f"| {label} | {number(statistics.median(values) if values else None, 's')} |")
    return lines + [""]


def write_results(text):
    """Puts the section in place of the one RESULTS.md has, or at its end."""
    path = os.path.join(HERE, "RESULTS.md")
    try:
        with open(path) as f:
            current = f.read()
    except FileNotFoundError:
        current = ""
    kept = current.split(PRINT_SECTION, 1)[0].rstrip("\n")
    with open(path, "w") as f:
        f.write((kept + "\n\n" if kept else "") + text)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quick", action="store_true",
                        help="200 families, one run each; fails when a figure is missing")
    parser.add_argument("--sizes", default="3000,10000", help="families per corpus")
    parser.add_argument("--reps", type=int, default=3, help="runs of each program per size")
    parser.add_argument("--build-dir", default=os.path.join(os.path.dirname(HERE), "build"))
    parser.add_argument("--write", action="store_true", help="write RESULTS.md in quick mode too")
    args = parser.parse_args()
    sizes = [200] if args.quick else [int(s) for s in args.sizes.split(",") if s]
    reps = 1 if args.quick else args.reps

    executables = {n: os.path.abspath(os.path.join(args.build_dir, "bench", EXECUTABLES[n]))
                   for n in PROGRAMS}
    for path in executables.values():
        if not os.access(path, os.X_OK):
            sys.exit(f"{path} is missing: build it first")
    if not shutil.which("pdfinfo"):
        sys.exit("pdfinfo is missing (package poppler-utils)")

    def measure_case(count, env):
        runs, reports = measure(count, executables, reps, env, log)
        return tables(count, runs, reports) + (reports,)

    display, load, sections, all_reports, complete = measure_all(sizes, measure_case, reps)

    if args.write or not args.quick:
        write_results(
            f"{PRINT_SECTION}\n\n"
            f"Run on {datetime.date.today().isoformat()} with `bench/run_print_bench.py --sizes "
            f"{','.join(map(str, sizes))} --reps {reps}`.\n\n"
            f"Machine: {machine(display, all_reports, load)}.\n\n"
            "Glyphor prints its catalogue of every font in its list (names in Liberation Mono "
            "10 pt bold, then the default sample in each font at 12 pt) to a PDF file, from the "
            "click on the print button to the closing message, the print dialog skipped "
            "(bench/print/glyphor_print_bench.cpp); it draws with cairo in the list's own faces. "
            "The floor draws each family's name in its own "
            "font at 12 pt, a line each, with a bare QPainter on a PDF QPrinter "
            "(bench/print/print_floor.cpp). Peak memory is the whole process's, font database "
            "and, for Glyphor, its window included; the memory added is the peak less the "
            "resident memory just before printing. The ratio is that of the medians.\n\n"
            + "\n".join(sections))
    if not complete:
        sys.exit("some figures are missing")
    log("all figures present")


if __name__ == "__main__":
    main()
