#!/usr/bin/env python3
"""Runs korvane_growth_bench one process per size and prints the growth table.

Each benchmark "Operation/Who/size" runs in a process of its own, best of
three repetitions (CPU time, so that other load on the machine counts less).
For every series the table gives the time per size and the growth exponent
between successive sizes, log(t2/t1) / log(n2/n1): 1 is linear, 2 quadratic.
A series stops before the size whose run is predicted (from the growth of
its last step) to take longer than --budget seconds.

    growth_table.py --bench build/bench/growth/korvane_growth_bench \
        [--before OLD_BINARY] [--filter REGEX] [--budget 20]

With --before (or --before-json, a file that --save wrote for an older
build), the Korvane figures of an older build of the bench appear as a
"before" column beside the current ones. KORVANE_GROWTH_MAX and
KORVANE_GROWTH_MAX_BITS cap the sizes as for the binary itself.
"""
import argparse
import collections
import json
import math
import re
import subprocess
import sys

UNIT = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def listed(binary, pattern):
    out = subprocess.run([binary, "--benchmark_list_tests", "--benchmark_filter=" + pattern],
                         capture_output=True, text=True, check=True).stdout
    return [line.strip() for line in out.splitlines() if line.strip()]


def best_seconds(binary, name, args):
    exact = "^" + re.sub(r"([.^$*+?()\[\]{}|\\])", r"\\\1", name) + "$"
    out = subprocess.run([binary, "--benchmark_filter=" + exact, "--benchmark_format=json",
                          "--benchmark_repetitions=%d" % args.repetitions,
                          "--benchmark_min_time=%g" % args.min_time],
                         capture_output=True, text=True, check=True).stdout
    field = "real_time" if args.real else "cpu_time"
    times = [run[field] * UNIT[run["time_unit"]] for run in json.loads(out)["benchmarks"]
             if run.get("run_type") == "iteration"]
    return min(times) if times else None


def measure(binary, names, args):
    """{(operation, who): {size: seconds}} for the listed names."""
    series = collections.defaultdict(dict)
    stopped = set()
    for name in names:
        operation, who, size = name.rsplit("/", 2)
        key = (operation, who)
        if key in stopped:
            continue
        seconds = best_seconds(binary, name, args)
        times = series[key]
        times[int(size)] = seconds
        print("  %-50s %s" % (name, format_time(seconds)), file=sys.stderr, flush=True)
        # The next size is predicted to grow as the last step did (at least
        # tenfold); a series stops before a run would pass the budget.
        known = sorted(n for n in times if times[n])
        growth = 10.0
        if len(known) >= 2:
            growth = max(growth, times[known[-1]] / times[known[-2]])
        if seconds is None or seconds * growth > args.budget:
            stopped.add(key)
    return series


def save(series, path):
    with open(path, "w") as out:
        json.dump({"%s/%s" % key: times for key, times in series.items()}, out)


def load(path):
    with open(path) as source:
        return {tuple(key.split("/", 1)): {int(n): t for n, t in times.items()}
                for key, times in json.load(source).items()}


def format_time(seconds):
    if seconds is None:
        return "-"
    for unit, scale in (("s", 1.0), ("ms", 1e-3), ("us", 1e-6)):
        if seconds >= scale:
            return "%.3g %s" % (seconds / scale, unit)
    return "%.3g ns" % (seconds / 1e-9)


def exponent(times, size):
    smaller = [n for n in times if n < size and times[n]]
    if not smaller or not times.get(size):
        return ""
    previous = max(smaller)
    return "%.2f" % (math.log(times[size] / times[previous]) / math.log(size / previous))


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--bench", required=True, help="the korvane_growth_bench binary")
    parser.add_argument("--before", help="an older build of the same benchmark, for a before column")
    parser.add_argument("--filter", default=".", help="regular expression on the benchmark names")
    parser.add_argument("--budget", type=float, default=20.0, help="predicted seconds per run above which a series stops")
    parser.add_argument("--repetitions", type=int, default=3)
    parser.add_argument("--min-time", type=float, default=0.05)
    parser.add_argument("--real", action="store_true", help="wall-clock time instead of CPU time")
    parser.add_argument("--save", help="also write the measured series to this JSON file")
    parser.add_argument("--before-json", help="a file --save wrote for an older build, for a before column")
    args = parser.parse_args()

    names = listed(args.bench, args.filter)
    after = measure(args.bench, names, args)
    if args.save:
        save(after, args.save)
    before = {}
    if args.before:
        old = [n for n in listed(args.before, args.filter) if n.split("/")[1] == "Korvane"]
        before = measure(args.before, old, args)
    elif args.before_json:
        before = load(args.before_json)

    with_before = bool(before)
    operations = list(dict.fromkeys(operation for operation, _ in after))
    print("| operation | size | " + ("before | " if with_before else "") +
          "Korvane | peer | Korvane/peer | exponent " + ("before / " if with_before else "") + "Korvane / peer |")
    print("|---|---:|" + ("---:|" if with_before else "") + "---:|---|---:|---|")
    for operation in operations:
        ours = after.get((operation, "Korvane"), {})
        old = before.get((operation, "Korvane"), {})
        peers = [(who, times) for (op, who), times in after.items() if op == operation and who != "Korvane"]
        sizes = sorted(set(ours) | set(old) | {n for _, times in peers for n in times})
        for size in sizes:
            peer_text = ", ".join("%s %s" % (who, format_time(times.get(size))) for who, times in peers)
            peer_time = peers[0][1].get(size) if peers else None
            ratio = "%.2f" % (ours[size] / peer_time) if ours.get(size) and peer_time else ""
            exponents = [exponent(ours, size)] + [exponent(times, size) for _, times in peers]
            if with_before:
                exponents.insert(0, exponent(old, size))
            row = ["", operation, str(size)]
            if with_before:
                row.append(format_time(old.get(size)))
            row += [format_time(ours.get(size)), peer_text, ratio, " / ".join(e or "-" for e in exponents), ""]
            print(" | ".join(row).strip())


if __name__ == "__main__":
    main()
