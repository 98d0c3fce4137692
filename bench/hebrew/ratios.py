#!/usr/bin/env python3
"""Reads the JSON of hebrew_reorder_bench (--benchmark_format=json) on stdin and
prints each reordering's throughput against FriBidi's at every size, and how the
time per character at 1 MiB compares with that at 1 KiB.  CPU time is used, so
that other load on a shared machine counts less; with --benchmark_repetitions
the medians are taken."""
import json
import sys

runs = {}
benchmarks = json.load(sys.stdin)["benchmarks"]
have_medians = any(b.get("aggregate_name") == "median" for b in benchmarks)
for b in benchmarks:
    if have_medians and b.get("aggregate_name") != "median":
        continue
    name, size = b["name"].split("/")[:2]
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
    runs[(name, int(size))] = b["cpu_time"] * scale / int(size)  # ns per character

sizes = sorted({s for _, s in runs})
peer = "BM_FriBidiLog2Vis"
print("%-26s %s" % ("ns/char", "  ".join("%10d" % s for s in sizes)))
for name in sorted({n for n, _ in runs}):
    print("%-26s %s" % (name, "  ".join("%10.2f" % runs[(name, s)] for s in sizes)))
print()
for name in sorted({n for n, _ in runs} - {peer}):
    ratios = ["%d: %.2fx" % (s, runs[(peer, s)] / runs[(name, s)]) for s in sizes]
    growth = runs[(name, max(sizes))] / runs[(name, 1024)]
    print("%s vs FriBidi throughput  %s;  ns/char 1 MiB / 1 KiB = %.2f" % (name, ", ".join(ratios), growth))
