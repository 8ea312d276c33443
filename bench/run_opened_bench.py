#!/usr/bin/python3
"""Measures Glyphor opening a folder of font files it does not install, against fontconfig's own
reading of the folder and against the same families installed, side by side.

For each corpus (bench/make_corpus.py: N families in about 2N files), in one run of this script:
`fc-scan` over the folder (reading each file's tables once: the floor of listing them), Glyphor
started with the folder to open (the first lines drawn, every family listed, a Page Down pass,
the peak memory), and Glyphor on the same families installed (the same pass and memory). The peak
memory is taken once the font index has read every face, in both runs: each then holds what a
user's session holds after its first seconds, whatever the pass's length (the memory at the end
of the pass is printed besides). The opened runs have only the DejaVu fonts installed, so that
their memory is the opened files'.
"""

import argparse
import datetime
import os
import statistics
import subprocess
import sys
import tempfile
import time

from make_corpus import make_corpus
from run_bench import log, machine, measure_all, number, run_once

HERE = os.path.dirname(os.path.abspath(__file__))

INSTALLED_ALONE = """<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts/truetype/dejavu</dir>
  <cachedir>{cache}</cachedir>
</fontconfig>
"""


def time_fc_scan(folder, fonts_conf, env):
    """The time `fc-scan` takes over the folder, from spawn to exit, in ms."""
    with tempfile.TemporaryDirectory(prefix="glyphor-bench-") as home:
        spawn = time.monotonic_ns()
        subprocess.run(["fc-scan", "--format", "%{family}\\n", folder],
                       env=dict(env, FONTCONFIG_FILE=fonts_conf, HOME=home),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        return (time.monotonic_ns() - spawn) / 1e6


def median(values):
    values = [v for v in values if v is not None]
    return statistics.median(values) if values else None


def pages(report):
    return [ns / 1e6 for ns in report.get("pages_ns", [])]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quick", action="store_true", help="200 families, one run each")
    parser.add_argument("--sizes", default="3000,10000")
    parser.add_argument("--reps", type=int, default=3)
    parser.add_argument("--build-dir", default=os.path.join(os.path.dirname(HERE), "build"))
    args = parser.parse_args()
    sizes = [200] if args.quick else [int(s) for s in args.sizes.split(",") if s]
    reps = 1 if args.quick else args.reps
    executable = os.path.abspath(os.path.join(args.build_dir, "bench", "glyphor-opened-bench"))
    if not os.access(executable, os.X_OK):
        sys.exit(f"{executable} is missing: build it first")
    scratch = tempfile.mkdtemp(prefix="glyphor-opened-bench-")
    alone = os.path.join(scratch, "fonts.conf")
    with open(alone, "w") as f:
        f.write(INSTALLED_ALONE.format(cache=os.path.join(scratch, "cache")))
    growth = {}

    def measure_case(count, env):
        installed_conf = make_corpus(count, log=log)
        folder = os.path.join(os.path.dirname(installed_conf), "fonts")
        scans, opened, installed = [], [], []
        for rep in range(reps):
            scans.append(time_fc_scan(folder, alone, env))
            opened.append(run_once(executable, alone, env, args=[folder]))
            installed.append(run_once(executable, installed_conf, env))
        for report in opened + installed:
            if "error" in report:
                log(f"  N={count}: {report['error']}")
        first = median([r.get("first_lines_ns", 0) / 1e6 or None for r in opened])
        listed = median([r.get("all_listed_ns", 0) / 1e6 or None for r in opened])
        scan = median(scans)
        page_opened = median([median(pages(r)) for r in opened])
        slowest_opened = median([max(pages(r), default=None) for r in opened])
        page_installed = median([median(pages(r)) for r in installed])
        memory_opened = median([r.get("vmhwm_kb", 0) / 1024 or None for r in opened])
        memory_installed = median([r.get("vmhwm_kb", 0) / 1024 or None for r in installed])
        pass_opened = median([r.get("vmhwm_pass_kb", 0) / 1024 or None for r in opened])
        pass_installed = median([r.get("vmhwm_pass_kb", 0) / 1024 or None for r in installed])
        families = opened[0].get("families", "?") if opened else "?"
        files = len(os.listdir(folder))
        growth[count] = (first, listed, scan, page_opened, memory_opened)

        def ratio(a, b):
            return f"{a / b:.2f}" if a and b else "—"

        def verdict(ok):
            return "met" if ok else "over"

        lines = [f"### {count} families ({files} files, {families} families listed)", "",
                 "| Figure | Opened | Against | Ratio | Goal |", "| --- | ---: | ---: | ---: | --- |",
                 f"| First lines drawn after the folder is chosen | {number(first, 'ms')} | | | "
                 f"≤ 500 ms: {verdict(first is not None and first <= 500)} |",
                 f"| Every family listed, against `fc-scan` of the folder | {number(listed, 'ms')} | "
                 f"{number(scan, 'ms')} | {ratio(listed, scan)} | ≤ 1.5: "
                 f"{verdict(listed and scan and listed / scan <= 1.5)} |",
                 f"| Page Down, one page (median of the pass), against installed | "
                 f"{number(page_opened, 'ms')} | {number(page_installed, 'ms')} | "
                 f"{ratio(page_opened, page_installed)} | ≤ 16 ms: "
                 f"{verdict(page_opened is not None and page_opened <= 16)} |",
                 f"| Page Down, the slowest page of the pass | {number(slowest_opened, 'ms')} | | | |",
                 f"| Peak memory (VmHWM), against the same families installed | "
                 f"{number(memory_opened, 'MiB')} | {number(memory_installed, 'MiB')} | "
                 f"{ratio(memory_opened, memory_installed)} | ≤ 1.2: "
                 f"{verdict(memory_opened and memory_installed and memory_opened / memory_installed <= 1.2)} |",
                 f"| Memory (VmHWM) at the end of the pass | "
                 f"{number(pass_opened, 'MiB')} | {number(pass_installed, 'MiB')} | "
                 f"{ratio(pass_opened, pass_installed)} | |",
                 ""]
        complete = all("error" not in r for r in opened + installed) and None not in (
            first, listed, scan, page_opened, memory_opened, memory_installed)
        return lines, complete, {"opened": opened, "installed": installed}

    display, load, sections, all_reports, complete = measure_all(sizes, measure_case, reps)
    if len(growth) == 2:
        (small, a), (large, b) = sorted(growth.items())
        labels = ["first lines", "every family listed", "fc-scan", "Page Down", "peak memory"]
        sections += [f"### From {small} to {large} families", "",
                     "| Figure | Growth |", "| --- | ---: |"]
        sections += [f"| {label} | {y / x:.2f} times |" for label, x, y in zip(labels, a, b)
                     if x and y]
        sections.append("")
    if not args.quick:
        with open(os.path.join(HERE, "RESULTS-opened.md"), "w") as f:
            f.write("# Benchmark: font files opened without being installed\n\n"
                    f"Run on {datetime.date.today().isoformat()} with "
                    f"`bench/run_opened_bench.py --sizes {args.sizes} --reps {reps}`.\n\n"
                    f"Machine: {machine(display, all_reports, load)}.\n\n"
                    "Medians of the runs. Times from the moment the application is made (the "
                    "folder is given on the command line and opened as the window is made). "
                    "Peak memory once the font index has read every face, in both runs.\n\n"
                    + "\n".join(sections))
    if not complete:
        sys.exit("some figures are missing")
    log("all figures present")


if __name__ == "__main__":
    main()
