#!/usr/bin/env python3
"""Runs a side-by-side benchmark and prints CPU medians and ratios to a peer.

Benchmarks are named "Work/Who[/size]"; each (Work, size) group gets one
line per Who with its median CPU time over the repetitions and its ratio to
each peer's median (--peer may be given more than once). All benchmarks run interleaved in random order, so load
from elsewhere on the machine falls on ours and the peer alike.

    build_ratios.py BINARY [--peer std::string ...] [--filter REGEX] [--repetitions 7]
"""
import argparse
import collections
import json
import statistics
import subprocess

UNIT = {"ns": 1e-9, "us": 1e-6, "ms": 1e-3, "s": 1.0}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("binary")
    parser.add_argument("--peer", action="append")
    parser.add_argument("--filter", default=".")
    parser.add_argument("--repetitions", type=int, default=7)
    parser.add_argument("--min-time", type=float, default=0.1)
    args = parser.parse_args()
    peers = args.peer or ["std::string"]
    out = subprocess.run([args.binary, "--benchmark_filter=" + args.filter,
                          "--benchmark_format=json",
                          "--benchmark_repetitions=%d" % args.repetitions,
                          "--benchmark_enable_random_interleaving=true",
                          "--benchmark_min_time=%g" % args.min_time],
                         capture_output=True, text=True, check=True).stdout
    times = collections.defaultdict(list)
    for run in json.loads(out)["benchmarks"]:
        if run.get("run_type") == "iteration":
            times[run["run_name"]].append(run["cpu_time"] * UNIT[run["time_unit"]])
    groups = collections.OrderedDict()
    for name, samples in times.items():
        parts = name.split("/")
        work, who, size = parts[0], parts[1], "/".join(parts[2:])
        groups.setdefault((work, size), {})[who] = statistics.median(samples)
    for (work, size), medians in groups.items():
        for who, seconds in medians.items():
            ratios = ["%6.2fx %s" % (seconds / medians[peer], peer) for peer in peers
                      if peer in medians and peer != who]
            print("%-14s %-10s %-22s %12.1f ns  %s" % (work, size, who, seconds * 1e9, "  ".join(ratios)))


if __name__ == "__main__":
    main()
