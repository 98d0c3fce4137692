#!/usr/bin/env python3
"""Reads the JSON of hebrew_reorder_bench (--benchmark_format=json) on stdin and
prints, for varied and for repeated lines, each reordering's throughput against
FriBidi's at every size, and how the time per character at 1 MiB compares with
that at 1 KiB.  CPU time is used, so that other load on a shared machine counts
less; with --benchmark_repetitions the medians are taken."""
import json
import sys

benchmarks = json.load(sys.stdin)["benchmarks"]
have_medians = any(b.get("aggregate_name") == "median" for b in benchmarks)
runs = {}
for b in benchmarks:
    if have_medians and b.get("aggregate_name") != "median":
        continue
    name, n, varied = b["run_name"].split("/")[:3]
    n = int(n.split(":")[1])
    varied = varied.split(":")[1] == "1"
    scale = {"ns": 1, "us": 1e3, "ms": 1e6, "s": 1e9}[b.get("time_unit", "ns")]
    runs[(name, varied, n)] = b["cpu_time"] * scale / n  # ns per character

names = sorted({k[0] for k in runs})
sizes = sorted({k[2] for k in runs})
peer = "BM_FriBidiLog2Vis"
for varied in (True, False):
    print("== %s lines: ns per character" % ("varied" if varied else "repeated"))
    print("%-26s %s" % ("", "  ".join("%10d" % s for s in sizes)))
    for name in names:
        print("%-26s %s" % (name, "  ".join("%10.2f" % runs[(name, varied, s)] for s in sizes)))
    for name in names:
        if name in (peer, "BM_CopyLine"):
            continue
        ratios = ", ".join("%d: %.2fx" % (s, runs[(peer, varied, s)] / runs[(name, varied, s)])
                           for s in sizes)
        growth = runs[(name, varied, max(sizes))] / runs[(name, varied, 1024)]
        print("%s: throughput vs FriBidi %s; ns/char 1 MiB / 1 KiB = %.2f" % (name, ratios, growth))
    print()
