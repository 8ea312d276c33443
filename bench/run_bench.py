#!/usr/bin/python3
"""Measures Glyphor against the floor (a bare Qt list of the same fonts), side by side.

For each corpus size it runs glyphor-bench and glyphor-floor in turn, several times each, under
an Xvfb of its own (offscreen when Xvfb is missing), prints the min and median of each figure and
the ratio Glyphor / floor of the medians, and writes bench/RESULTS.md. --quick is the check that
CI runs: 200 families, one run each; it fails when a figure is missing, never on a time.
"""

import argparse
import datetime
import json
import os
import platform
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

from make_corpus import make_corpus

HERE = os.path.dirname(os.path.abspath(__file__))
PROGRAMS = ("glyphor", "floor")
EXECUTABLES = {"glyphor": "glyphor-bench", "floor": "glyphor-floor",
               "empty": "glyphor-empty-window"}
PRINT_SECTION = "## Printing the catalogue"
RUN_TIMEOUT = 900  # a full pass over 10,000 families takes the floor about 2 minutes

# The goals: the largest ratio Glyphor / floor by corpus size (the bare corpus takes its size's),
# and for a Page Down a time no page may take longer than, in ms.
EQUAL = {3000: 1.0, 10000: 1.0}
# key, label, unit, goals by size (None: shown for the record), absolute limit in ms
FIGURES = [
    ("start", "Start to first painted list", "ms", {3000: 0.5, 10000: 0.35}, None),
    ("page_down", "Page Down, one page painted (median of the pass)", "ms",
     {3000: 0.2, 10000: 0.1}, 16),
    ("page_down_slowest", "Page Down, the slowest page of the pass", "ms", None, None),
    ("full_pass", "Full pass, page by page", "ms", {3000: 0.2, 10000: 0.1}, None),
    ("apply_sample", "New sample string, middle of the list", "ms", EQUAL, None),
    # Characters no visible font has drawn yet must be rasterised in each of them, which the
    # floor's repaint never does: shown for the record.
    ("apply_new_chars", "New sample string of characters not drawn before", "ms", None, None),
    ("apply_size", "New size, middle of the list", "ms", EQUAL, None),
    ("apply", "New sample and new size", "ms", EQUAL, None),
    ("vmhwm", "Peak memory after the full pass (VmHWM)", "MiB", EQUAL, None),
    ("vmhwm_back", "Peak memory after the pass back up (VmHWM)", "MiB", EQUAL, None),
    ("vmrss_back", "Memory in use after the pass back up (VmRSS)", "MiB", None, None),
    # The filter: "corpus 12 sans" typed letter by letter, then erased; the "can write" switch on
    # and off. The floor is the naive Qt way: a QSortFilterProxyModel with the text as a wildcard,
    # and each family's QFont asked for each character.
    ("filter_key", "Filter field, a keystroke to the repainted list (median of a typed word)",
     "ms", {3000: 0.3, 10000: 0.3}, 8),
    ("filter_key_slowest", "Filter field, the slowest keystroke of the word", "ms",
     {3000: 0.3, 10000: 0.3}, 16),
    ("can_write", "\"Peut écrire l'exemple\" switched, sample of the start (slower of on, off)",
     "ms", {3000: 0.3, 10000: 0.3}, 16),
    ("can_write_long", "\"Peut écrire l'exemple\" switched, 44-character sample", "ms",
     {3000: 0.3, 10000: 0.3}, 16),
    ("vmrss_after_filter", "Memory in use after the filter figures (VmRSS)", "MiB", None, None),
    # The "Filtres" menu, Glyphor's alone: its limits are absolute.
    ("language_list", "Language list made ready, named and counted, the first time", "ms", None,
     50),
    ("choose_language", "A language chosen or removed, to the repainted list", "ms", None, 16),
    ("choose_property", "A property chosen or removed, to the repainted list", "ms", None, 16),
    ("favourites_only", "\"Favoris seulement\" on or off, to the repainted list", "ms", None, 16),
    ("vmhwm_after_menu", "Peak memory at the end (VmHWM)", "MiB", None, None),
]
# Figures the floor has no counterpart for.
GLYPHOR_ONLY = {"language_list", "choose_language", "choose_property", "favourites_only",
                "vmhwm_after_menu"}
# How the filter's cost grows with the number of families.
GROWTH = ["filter_key", "filter_key_slowest", "can_write", "can_write_long", "language_list",
          "choose_language", "choose_property", "favourites_only"]
STEPS = [
    ("app", "process start to the QApplication"),
    ("fontdb", "font database population"),
    ("window", "application and window set-up, model"),
    ("first_paint", "show and first paint"),
]

running = []  # processes to stop whatever happens


def stop(proc):
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def start_xvfb():
    """Returns the display name of an Xvfb of our own, or None without Xvfb."""
    if not shutil.which("Xvfb"):
        return None
    read_end, write_end = os.pipe()
    proc = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
        pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL)
    running.append(proc)
    os.close(write_end)
    number = b""
    deadline = time.monotonic() + 30
    while not number.endswith(b"\n") and time.monotonic() < deadline:
        if select.select([read_end], [], [], 1)[0]:
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
    os.close(read_end)
    if not number.strip():
        raise RuntimeError("Xvfb did not start")
    return ":" + number.decode().strip()


def base_environment(display):
    env = {k: v for k, v in os.environ.items()
           if not k.startswith(("QT_", "WAYLAND_", "GLYPHOR_")) and k != "DISPLAY"}
    if display:
        env.update(QT_QPA_PLATFORM="xcb", DISPLAY=display)
    else:
        env.update(QT_QPA_PLATFORM="offscreen")
    env["GLYPHOR_BENCH_PROBE"] = "1"
    return env


def run_once(executable, fonts_conf, env, warm_up=False, args=()):
    """One run of a program (with these arguments): its report with the runner's spawn stamp, or
    {"error": ...}."""
    with tempfile.TemporaryDirectory(prefix="glyphor-bench-") as home:
        for sub in ("config", "runtime"):
            os.mkdir(os.path.join(home, sub), 0o700)
        env = dict(env, FONTCONFIG_FILE=fonts_conf, HOME=home,
                   XDG_CONFIG_HOME=os.path.join(home, "config"),
                   XDG_RUNTIME_DIR=os.path.join(home, "runtime"))
        if warm_up:
            env["GLYPHOR_BENCH_PROBE"] = "start"
        spawn = time.monotonic_ns()  # CLOCK_MONOTONIC, as the probe's stamps
        proc = subprocess.Popen([executable, *args], env=env, cwd=home, stdin=subprocess.DEVNULL,
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        running.append(proc)
        try:
            out, err = proc.communicate(timeout=RUN_TIMEOUT)
        except subprocess.TimeoutExpired:
            return {"error": f"no report within {RUN_TIMEOUT} s"}
        finally:
            stop(proc)
            running.remove(proc)
    for line in out.decode(errors="replace").splitlines():
        if line.startswith("GLYPHOR_BENCH "):
            report = json.loads(line[len("GLYPHOR_BENCH "):])
            report["spawn"] = spawn
            if proc.returncode != 0 and "error" not in report:
                report["error"] = f"exit status {proc.returncode}"
            return report
    tail = err.decode(errors="replace").strip().splitlines()[-5:]
    return {"error": f"no report, exit status {proc.returncode}: " + " | ".join(tail)}


def figures(report):
    """The figures of one run, in ms and MiB; a figure the run lacks is None."""
    def span(a, b):
        if report.get(a) is None or report.get(b) is None:
            return None
        return (report[b] - report[a]) / 1e6

    def ms(key):
        return None if report.get(key) is None else report[key] / 1e6

    def mib(key):
        return None if report.get(key, -1) < 0 else report[key] / 1024

    result = {
        "start": span("spawn", "t_first_paint"),
        "app": span("spawn", "t_app_ready"),
        "fontdb": span("t_app_ready", "t_fontdb"),
        "window": span("t_fontdb", "t_window"),
        "first_paint": span("t_window", "t_first_paint"),
        "full_pass": ms("full_pass_ns"),
        "page_down": ms("page_down_ns"),
        "page_down_slowest": ms("page_down_slowest_ns"),
        "apply_sample": ms("apply_sample_ns"),
        "apply_new_chars": ms("apply_new_chars_ns"),
        "apply_size": ms("apply_size_ns"),
        "vmhwm": mib("vmhwm_kb"),
        "vmhwm_back": mib("vmhwm_back_kb"),
        "vmrss_back": mib("vmrss_back_kb"),
        "filter_key": ms("filter_key_ns"),
        "filter_key_slowest": ms("filter_key_slowest_ns"),
        "can_write": ms("can_write_ns"),
        "can_write_long": ms("can_write_long_ns"),
        "vmrss_before_filter": mib("vmrss_before_filter_kb"),
        "vmrss_after_filter": mib("vmrss_after_filter_kb"),
        "language_list": ms("language_list_ns"),
        "choose_language": ms("choose_language_ns"),
        "choose_property": ms("choose_property_ns"),
        "favourites_only": ms("favourites_only_ns"),
        "vmhwm_after_menu": mib("vmhwm_after_menu_kb"),
    }
    both = (result["apply_sample"], result["apply_size"])
    result["apply"] = None if None in both else sum(both)
    return result


def time_fc_list(fonts_conf, env):
    """The time `fc-list : family` takes, from spawn to exit, in ms."""
    with tempfile.TemporaryDirectory(prefix="glyphor-bench-") as home:
        spawn = time.monotonic_ns()
        subprocess.run(["fc-list", ":", "family"], env=dict(env, FONTCONFIG_FILE=fonts_conf,
                                                             HOME=home),
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        return (time.monotonic_ns() - spawn) / 1e6


def measure(count, bare, executables, reps, env, log):
    fonts_conf = make_corpus(count, log=log, bare=bare)
    programs = [name for name in executables if name in PROGRAMS + ("before",)]
    runs = {name: [] for name in programs}
    reports = {name: [] for name in programs}
    # The physical limit: fontconfig listing the families, and an empty Qt window's first paint.
    limits = {"fc_list": [], "empty": []}
    if reps > 1:  # one unrecorded start each, so that both start with warm caches
        for name in programs:
            run_once(executables[name], fonts_conf, env, warm_up=True)
    for rep in range(reps):
        order = programs if rep % 2 == 0 else programs[::-1]
        for name in order:
            report = run_once(executables[name], fonts_conf, env)
            if "error" in report:
                log(f"  N={count} {name} run {rep + 1}: {report['error']}")
            reports[name].append(report)
            runs[name].append(figures(report))
        if "empty" in executables:
            limits["fc_list"].append(time_fc_list(fonts_conf, env))
            empty = run_once(executables["empty"], fonts_conf, env)
            limits["empty"].append(figures(empty)["start"])
    return runs, reports, limits


def stats(runs, key):
    values = [r[key] for r in runs if r.get(key) is not None]
    if len(values) < len(runs) or not values:
        return None, None
    return min(values), statistics.median(values)


def number(value, unit=""):
    if value is None:
        return "missing"
    text = f"{value:.1f}" if value >= 10 else f"{value:.2f}"
    return f"{text} {unit}".strip()


def ratio_cells(medians, goal, limit=None):
    """The ratio Glyphor / floor of the medians, and how it stands against the goal (none when
    None) and the absolute limit in ms."""
    ratio = (None if None in medians.values() or not medians["floor"]
             else medians["glyphor"] / medians["floor"])
    if goal is None:
        return ["missing" if ratio is None else f"{ratio:.2f}", ""]
    wanted = f"≤ {goal}" + (f" and under {limit} ms" if limit else "")
    if ratio is None:
        verdict = wanted
    else:
        met = ratio <= goal and (limit is None or medians["glyphor"] < limit)
        verdict = f"{wanted}: {'met' if met else 'over'}"
    return ["missing" if ratio is None else f"{ratio:.2f}", verdict]


def limit_lines(limits, runs):
    """The physical limit of the start next to Glyphor's, in Markdown."""
    def median(values):
        values = [v for v in values if v is not None]
        return statistics.median(values) if values else None

    fc_list, empty = median(limits["fc_list"]), median(limits["empty"])
    glyphor = stats(runs["glyphor"], "start")[1] if "glyphor" in runs else None
    if None in (fc_list, empty, glyphor):
        return [], fc_list is not None and empty is not None
    limit = fc_list + empty
    return ["The physical limit of the start (medians): fontconfig listing the families and an "
            "empty Qt window's first paint.", "",
            "| | ms |", "| --- | ---: |",
            f"| `fc-list : family` | {number(fc_list)} |",
            f"| empty Qt window, process start to first paint | {number(empty)} |",
            f"| sum: the physical limit | {number(limit)} |",
            f"| Glyphor, start to first painted list | {number(glyphor)} |",
            f"| Glyphor above the limit | {number(glyphor - limit)} "
            f"({glyphor / limit:.2f} times the limit) |", ""], True


def tables(count, bare, runs, reports, limits):
    """The Markdown tables of one corpus, and whether every figure is there."""
    complete = True
    compared = "glyphor" in runs and "floor" in runs
    head = "| Figure | Glyphor min | Glyphor median | Floor min | Floor median |"
    rule = "| --- | ---: | ---: | ---: | ---: |"
    if compared:
        head += " Glyphor / floor | Budget |"
        rule += " ---: | --- |"
    title = (f"### {count} families, none of them Liberation or DejaVu, no alias rules" if bare
             else f"### {count} families")
    lines = [title, "", head, rule]
    for key, label, unit, goals, limit in FIGURES:
        row = [label]
        medians = {}
        for name in PROGRAMS:
            if name in runs and not (name != "glyphor" and key in GLYPHOR_ONLY):
                low, mid = stats(runs[name], key)
                complete &= mid is not None
                medians[name] = mid
                row += [number(low, unit), number(mid, unit)]
            else:
                row += ["—", "—"]
        if compared and key in GLYPHOR_ONLY:
            mid = medians.get("glyphor")
            verdict = ("" if limit is None else f"under {limit} ms: "
                       + ("met" if mid is not None and mid < limit else "over"))
            row += ["—", verdict]
        elif compared:
            row += ratio_cells(medians, (goals or {}).get(count), limit)
        lines.append("| " + " | ".join(row) + " |")

    lines += ["", "Where the start-up time goes (medians):", "",
              "| Step | " + " | ".join(n.capitalize() for n in PROGRAMS if n in runs) + " |",
              "| --- |" + " ---: |" * len([n for n in PROGRAMS if n in runs])]
    for key, label in STEPS:
        cells = []
        for name in PROGRAMS:
            if name in runs:
                mid = stats(runs[name], key)[1]
                complete &= mid is not None
                cells.append(number(mid, "ms"))
        lines.append(f"| {label} | " + " | ".join(cells) + " |")

    notes = []
    for name in PROGRAMS:
        for report in reports.get(name, [])[:1]:
            notes.append(f"{name.capitalize()}: {report.get('families', '?')} families in "
                         f"Qt's list, {report.get('pages', '?')} pages in the full pass")
            if report.get("rows_first_paint") != report.get("rows"):
                notes.append(f"{name.capitalize()} painted its list with "
                             f"{report.get('rows_first_paint')} of {report.get('rows')} lines")
    if "glyphor" in runs:
        before = stats(runs["glyphor"], "vmrss_before_filter")[1]
        after = stats(runs["glyphor"], "vmrss_after_filter")[1]
        if before and after:
            notes.append(f"Glyphor's memory in use before the filter figures {number(before, 'MiB')}"
                         f", after them {number(after, 'MiB')}: {after / before:.2f} times "
                         "(goal: at most 1.1)")
    lines += [""] + [f"- {n}" for n in notes] + [""]
    limit, measured = limit_lines(limits, runs)
    complete &= measured or not limits["empty"]
    lines += limit
    lines += baseline_lines(runs)
    return lines, complete


def baseline_lines(runs):
    """Glyphor now against an earlier build of it ("before"), side by side in the same runs: every
    figure both measured, in Markdown."""
    if "before" not in runs or "glyphor" not in runs:
        return []
    lines = ["Glyphor against an earlier build of it (`--baseline`), same runs:", "",
             "| Figure | Before, median | Now, median | Now / before |",
             "| --- | ---: | ---: | ---: |"]
    for key, label, unit, *_ in FIGURES:
        now = stats(runs["glyphor"], key)[1]
        before = stats(runs["before"], key)[1]
        if now is None or before is None:
            continue
        ratio = f"{now / before:.2f}" if before else "missing"
        lines.append(f"| {label} | {number(before, unit)} | {number(now, unit)} | {ratio} |")
    return lines + [""]


def growth_lines(runs_by_size):
    """How Glyphor's filter figures grow from the smallest corpus to the largest, in Markdown."""
    if len(runs_by_size) < 2:
        return []
    small, large = min(runs_by_size), max(runs_by_size)
    lines = [f"### The filter from {small} to {large} families", "",
             f"{large / small:.2f} times the families. Glyphor's medians:", "",
             f"| Figure | {small} | {large} | growth |", "| --- | ---: | ---: | ---: |"]
    labels = {key: label for key, label, *_ in FIGURES}
    for key in GROWTH:
        low, high = stats(runs_by_size[small], key)[1], stats(runs_by_size[large], key)[1]
        growth = f"{high / low:.2f}" if low and high else "missing"
        lines.append(f"| {labels[key]} | {number(low, 'ms')} | {number(high, 'ms')} | {growth} |")
    return lines + [""]


def machine(display, reports, load):
    model = "unknown CPU"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                model = line.split(":", 1)[1].strip()
                break
    with open("/proc/meminfo") as f:
        ram = int(f.readline().split()[1]) / 1024 / 1024
    qt = next((r["qt"] for rs in reports for r in rs if r.get("qt")), "unknown")
    shown = "Xvfb 1280x1024x24 (xcb)" if display else "QT_QPA_PLATFORM=offscreen"
    return (f"{model}, {os.cpu_count()} cores, {ram:.0f} GiB RAM; {platform.system()} "
            f"{platform.release()}; Qt {qt}; {shown}; load average {load} at the start")


def log(text):
    print(text, flush=True)


def measure_all(cases, measure_case, reps):
    """Runs measure_case(case, env), which returns (Markdown lines, whether every figure is there,
    {program: reports}), for each case under an Xvfb of our own. Returns the display, the load
    average at the start, the lines of all cases, all reports and whether every figure is there."""
    # A stop by SIGTERM (a test time-out) still stops what we started.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))
    with open("/proc/loadavg") as f:
        load = f.read().split()[0]  # other work on the machine skews the figures
    try:
        display = start_xvfb()
        env = base_environment(display)
        log(f"display: {display or 'offscreen'}; {reps} run(s) of each program per size")
        sections, all_reports, complete = [], [], True
        for case in cases:
            lines, done, reports = measure_case(case, env)
            complete &= done
            all_reports += list(reports.values())
            sections += lines
            log("\n".join(lines))
    finally:
        for proc in reversed(running):
            stop(proc)
    return display, load, sections, all_reports, complete


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--quick", action="store_true",
                        help="200 families, one run each; fails when a figure is missing")
    parser.add_argument("--sizes", default="500,3000,10000", help="families per corpus")
    parser.add_argument("--bare-sizes", default="10000",
                        help="families per corpus without Liberation, DejaVu or alias rules")
    parser.add_argument("--reps", type=int, default=5, help="runs of each program per size")
    parser.add_argument("--build-dir", default=os.path.join(os.path.dirname(HERE), "build"))
    parser.add_argument("--floor-only", action="store_true", help="measure the floor alone")
    parser.add_argument("--glyphor-only", action="store_true",
                        help="measure Glyphor alone (no RESULTS.md)")
    parser.add_argument("--write", action="store_true", help="write RESULTS.md in quick mode too")
    parser.add_argument("--baseline", help="an earlier build's glyphor-bench, measured alongside")
    args = parser.parse_args()
    sizes = [200] if args.quick else [int(s) for s in args.sizes.split(",") if s]
    bare_sizes = [200] if args.quick else [int(s) for s in args.bare_sizes.split(",") if s]
    cases = [(count, False) for count in sizes] + [(count, True) for count in bare_sizes]
    reps = 1 if args.quick else args.reps

    names = (["floor"] if args.floor_only else ["glyphor"] if args.glyphor_only
             else list(PROGRAMS) + ["empty"])
    executables = {n: os.path.abspath(os.path.join(args.build_dir, "bench", EXECUTABLES[n]))
                   for n in names}
    if args.baseline:
        executables["before"] = os.path.abspath(args.baseline)
    for path in executables.values():
        if not os.access(path, os.X_OK):
            sys.exit(f"{path} is missing: build it first")

    glyphor_runs = {}

    def measure_case(case, env):
        count, bare = case
        runs, reports, limits = measure(count, bare, executables, reps, env, log)
        if not bare and "glyphor" in runs:
            glyphor_runs[count] = runs["glyphor"]
        return tables(count, bare, runs, reports, limits) + (reports,)

    display, load, sections, all_reports, complete = measure_all(cases, measure_case, reps)
    sections += growth_lines(glyphor_runs)

    if args.write or not (args.quick or args.floor_only or args.glyphor_only):
        results = os.path.join(HERE, "RESULTS.md")
        # The printing benchmark's section (run_print_bench.py) stays as it was.
        printing = ""
        if os.path.exists(results):
            with open(results) as f:
                current = f.read()
            if PRINT_SECTION in current:
                printing = "\n\n" + PRINT_SECTION + current.split(PRINT_SECTION, 1)[1]
        with open(results, "w") as f:
            f.write("# Benchmark: Glyphor against the floor\n\n"
                    f"Run on {datetime.date.today().isoformat()} with "
                    f"`bench/run_bench.py --sizes {','.join(map(str, sizes))} "
                    f"--bare-sizes {','.join(map(str, bare_sizes))} --reps {reps}`"
                    + (" (each program first started once, unrecorded, to warm the caches)"
                       if reps > 1 else "") + ".\n\n"
                    f"Machine: {machine(display, all_reports, load)}.\n\n"
                    "The floor is a bare Qt list of the same families, each name drawn in its "
                    "own font at 12 pt (bench/floor/floor.cpp). Times in ms; start is measured "
                    "from process start; the ratio is that of the medians; the goals are by "
                    "corpus size.\n\n"
                    + "\n".join(sections) + printing)
    if not complete:
        sys.exit("some figures are missing")
    log("all figures present")


if __name__ == "__main__":
    main()
