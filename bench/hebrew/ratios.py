#!/usr/bin/env python3
"""Reads the JSON of hebrew_reorder_bench (--benchmark_format=json) on stdin and
prints each reordering's throughput against FriBidi's at every size, and how the
time per character at 1 MiB compares with that at 1 KiB."""
import json
import sys

runs = {}
for b in json.load(sys.stdin)["benchmarks"]:
    if b.get("run_type") == "aggregate" and b.get("aggregate_name") != "median":
        continue
    name, size = b["name"].split("/")[:2]
    runs[(name, int(size))] = b["real_time"] / int(size)  # ns per character (time unit ns)

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
