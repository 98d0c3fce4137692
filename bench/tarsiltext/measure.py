#!/usr/bin/env python3
"""Times whole processes on the files of make_text.py and prints the ratios.

Each command reads one file on standard input and writes to /dev/null.  Our
run and the peer's alternate, so that load from other jobs falls on both
alike; every figure is the median of RUNS runs.  Wall time and CPU time
(user + system, from wait4) are both given; on a shared machine the CPU time
is the steadier of the two.

Usage: measure.py TARSILTEXT PEER DATA_DIR [RUNS]"""
import os
import statistics
import sys
import time


def run_once(argv, path):
    with open(path, "rb") as stdin, open(os.devnull, "wb") as stdout:
        start = time.perf_counter()
        pid = os.fork()
        if pid == 0:
            os.dup2(stdin.fileno(), 0)
            os.dup2(stdout.fileno(), 1)
            try:
                os.execv(argv[0], argv)
            finally:
                os._exit(127)
        _, status, usage = os.wait4(pid, 0)
        wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("%s failed on %s" % (" ".join(argv), path))
    return wall, usage.ru_utime + usage.ru_stime


def medians(commands, path, runs):
    """{name: (wall, cpu)} medians, runs interleaved across the commands."""
    times = {name: [] for name in commands}
    for _ in range(runs):
        for name, argv in commands.items():
            times[name].append(run_once(argv, path))
    return {name: (statistics.median(t[0] for t in ts), statistics.median(t[1] for t in ts))
            for name, ts in times.items()}


def main():
    tool, peer, data = sys.argv[1:4]
    runs = int(sys.argv[4]) if len(sys.argv) > 4 else 3
    commands = {"ours": [tool, "--utf8", "l2v", "--rtl"], "peer": [peer]}
    cases = [("80 characters (200,000 lines)", "mixed_80.txt"),
             ("1,024 characters (16,384 lines)", "mixed_1k.txt"),
             ("1 MiB (16 lines)", "mixed_1m.txt")]
    print("tarsiltext --utf8 l2v --rtl against fribidi_lines, median of %d, seconds" % runs)
    print("%-33s %17s %17s %15s" % ("mixed text, line length", "ours wall / cpu",
                                    "FriBidi wall / cpu", "ratio wall / cpu"))
    per_size = {}
    for label, name in cases:
        m = medians(commands, os.path.join(data, name), runs)
        (ow, oc), (pw, pc) = m["ours"], m["peer"]
        per_size[name] = (ow, oc)
        print("%-33s %7.3f / %7.3f %7.3f / %7.3f   %5.2fx / %5.2fx  (goal 3x)"
              % (label, ow, oc, pw, pc, pw / ow, pc / oc))

    print()
    print("time per character, 1 MiB lines / 1 KiB lines, same text (goal <= 1.3)")
    for kind in ("mixed", "neutral"):
        if kind == "mixed":
            small, large = per_size["mixed_1k.txt"], per_size["mixed_1m.txt"]
        else:
            m = medians({"1k": commands["ours"]}, os.path.join(data, "neutral_1k.txt"), runs)
            m.update(medians({"1m": commands["ours"]}, os.path.join(data, "neutral_1m.txt"), runs))
            small, large = m["1k"], m["1m"]
        print("%-8s wall %.3f s / %.3f s = %.2f   cpu %.3f s / %.3f s = %.2f"
              % (kind, large[0], small[0], large[0] / small[0], large[1], small[1],
                 large[1] / small[1]))


if __name__ == "__main__":
    main()
