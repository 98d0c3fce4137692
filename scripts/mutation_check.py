#!/usr/bin/env python3
"""Puts the faults of scripts/mutants.txt into a copy of the sources one at a
time, rebuilds the test binaries of the fault's area and runs them: a fault
that fails a test is killed, one that passes them all survived.  Writes a
report with the score of each area.

The sources are copied to BUILD/src first, so the working tree is never
changed and may be edited while the check runs."""

import argparse
import collections
import os
import shutil
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class Mutant:
    def __init__(self, area, tests, path, what, line):
        self.area, self.tests, self.path, self.what, self.line = area, tests, path, what, line
        self.old = self.new = None
        self.why = ""
        self.equivalent = ""
        self.result = None
        self.seconds = 0.0


def parse(list_path):
    mutants, area, tests, path, cur = [], None, [], None, None
    with open(list_path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            key, _, value = line.partition(":")
            value = value[1:] if value.startswith(" ") else value
            value = value.replace("{NL}", "\n")
            if key == "area":
                area = value
            elif key == "tests":
                tests = value.split()
            elif key == "file":
                path = value
            elif key == "what":
                cur = Mutant(area, tests, path, value, number)
            elif key == "old" and cur is not None:
                cur.old = value
            elif key == "new" and cur is not None and cur.old is not None:
                cur.new = value
                mutants.append(cur)
            elif key == "why" and mutants:
                mutants[-1].why = value
            elif key == "equivalent" and mutants:
                mutants[-1].equivalent = value
            else:
                sys.exit(f"{list_path}:{number}: cannot read {line!r}")
    return mutants


def run(cmd, log, timeout=None, **kw):
    with open(log, "w") as out:
        try:
            return subprocess.run(cmd, stdout=out, stderr=subprocess.STDOUT, timeout=timeout,
                                  **kw).returncode
        except subprocess.TimeoutExpired:
            return "timeout"


def sync_sources(src):
    """Copies tracked and new files; unchanged files keep their times.  A
    changed file gets the time of the copy, not its own: an edit older than
    the last build in this folder must still be rebuilt."""
    listed = subprocess.run(["git", "ls-files", "-co", "--exclude-standard", "-z"], cwd=ROOT,
                            check=True, capture_output=True).stdout.decode().split("\0")
    for rel in filter(None, listed):
        a, b = os.path.join(ROOT, rel), os.path.join(src, rel)
        if not os.path.isfile(a):
            continue
        with open(a, "rb") as f:
            data = f.read()
        if os.path.exists(b):
            with open(b, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(b), exist_ok=True)
        shutil.copyfile(a, b)
        shutil.copymode(a, b)


def test_binaries(build):
    found = {}
    for folder, _, files in os.walk(os.path.join(build, "tests")):
        for name in files:
            path = os.path.join(folder, name)
            if os.access(path, os.X_OK) and name not in found:
                found[name] = path
    return found


def run_tests(build, names, log, timeout):
    binaries = test_binaries(build)
    for name in names:
        code = run([binaries[name], "--gtest_brief=1", "--gtest_fail_fast"], log,
                   timeout=timeout, cwd=os.path.dirname(binaries[name]))
        if code != 0:
            return code
    return 0


def earlier_results(path):
    """The result of each fault in an earlier report, so that a run limited to
    some areas or faults keeps the rows of the others."""
    found = {}
    if not os.path.exists(path):
        return found
    with open(path, encoding="utf-8") as f:
        for line in f:
            cells = [c.strip() for c in line.strip().strip("|").split("|")]
            if len(cells) == 4 and cells[1].startswith("`"):
                found[(cells[0], cells[1].strip("`"), cells[2])] = cells[3]
    return found


def report(mutants, path, seconds):
    areas = collections.OrderedDict()
    for m in mutants:
        areas.setdefault(m.area, []).append(m)
    out = ["# Mutation check", "",
           "Written by `scripts/mutation-check.sh`: each fault of `scripts/mutants.txt` is put",
           "into a copy of the sources alone, the test binaries of its area are rebuilt and run,",
           "and the fault is killed when a test fails (or hangs).  Faults that do not compile",
           "or no longer match the sources are not counted, nor are survivors the list marks",
           "as equivalent: changes that no input can tell from the sources (each says why).",
           "", f"Last run: {time.strftime('%Y-%m-%d %H:%M UTC', time.gmtime())}, "
           f"{seconds / 60:.0f} minutes.", "",
           "| area | tests | killed | survived | not counted | score |", "|---|---|---|---|---|---|"]
    for area, ms in areas.items():
        killed = sum(m.result == "killed" for m in ms)
        survived = sum(m.result == "survived" for m in ms)
        other = len(ms) - killed - survived
        score = f"{100 * killed / (killed + survived):.0f} %" if killed + survived else "-"
        out.append(f"| {area} | `{' '.join(ms[0].tests)}` | {killed} | {survived} | {other} | "
                   f"{score} |")
    out += ["", "## Every fault", "", "| area | file | fault | result |", "|---|---|---|---|"]
    for m in mutants:
        out.append(f"| {m.area} | `{m.path}` | {m.what} | {m.result} |")
    left = [m for m in mutants if m.result != "killed"]
    if left:
        out += ["", "## Survivors and faults not counted", ""]
        for m in left:
            reason = m.equivalent if m.result == "equivalent" else m.why
            out.append(f"- {m.area}, `{m.path}`: {m.what} ({m.result})"
                       + (f". {reason}" if reason else ""))
    with open(path, "w") as f:
        f.write("\n".join(out) + "\n")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", default=os.path.join(ROOT, "build-mut"))
    parser.add_argument("--list", default=os.path.join(ROOT, "scripts", "mutants.txt"))
    parser.add_argument("--report", default=os.path.join(ROOT, "docs", "mutation-report.md"))
    parser.add_argument("--area", action="append", help="only this area (repeatable)")
    parser.add_argument("--match", help="only faults whose description holds this text")
    parser.add_argument("--jobs", default="2")
    parser.add_argument("--timeout", type=int, default=300, help="seconds per test binary")
    args = parser.parse_args()

    everyone = parse(args.list)
    mutants = everyone
    if args.area:
        mutants = [m for m in mutants if m.area in args.area]
    if args.match:
        mutants = [m for m in mutants if args.match in m.what]
    src, build = os.path.join(args.build, "src"), os.path.join(args.build, "build")
    logs = os.path.join(args.build, "logs")
    os.makedirs(logs, exist_ok=True)
    sync_sources(src)
    if not os.path.exists(os.path.join(build, "build.ninja")):
        code = run(["cmake", "-S", src, "-B", build, "-G", "Ninja",
                    "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DTARSIL_BENCH=OFF", "-DTARSIL_GUI=OFF",
                    "-DCMAKE_CXX_COMPILER_LAUNCHER=ccache", "-DCMAKE_C_COMPILER_LAUNCHER=ccache"],
                   os.path.join(logs, "configure.log"))
        if code != 0:
            sys.exit(f"configure failed, see {logs}/configure.log")
    targets = sorted({t for m in mutants for t in m.tests})
    ninja = ["ninja", "-C", build, f"-j{args.jobs}"]
    if run(ninja + targets, os.path.join(logs, "baseline-build.log")) != 0:
        sys.exit(f"the unchanged sources do not build, see {logs}/baseline-build.log")
    if run_tests(build, targets, os.path.join(logs, "baseline-tests.log"), args.timeout) != 0:
        sys.exit(f"the unchanged sources fail their tests, see {logs}/baseline-tests.log")

    started = time.time()
    for index, m in enumerate(mutants, 1):
        t0 = time.time()
        path = os.path.join(src, m.path)
        with open(path, encoding="utf-8") as f:
            original = f.read()
        count = original.count(m.old)
        if count != 1:
            m.result = f"stale ({count} matches)"
        else:
            try:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(original.replace(m.old, m.new))
                log = os.path.join(logs, f"{index:03d}.log")
                if run(ninja + m.tests, log) != 0:
                    m.result = "does not compile"
                else:
                    code = run_tests(build, m.tests, log, args.timeout)
                    m.result = "killed" if code != 0 else (
                        "equivalent" if m.equivalent else "survived")
            finally:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(original)
        m.seconds = time.time() - t0
        print(f"[{index}/{len(mutants)}] {m.result:>9} {m.seconds:5.0f}s  {m.area}: {m.what}",
              flush=True)
    # Leave the build as the sources are.
    run(ninja + targets, os.path.join(logs, "restore-build.log"))
    earlier = earlier_results(args.report)
    for m in everyone:
        if m.result is None:
            m.result = earlier.get((m.area, m.path, m.what), "not run")
    report(everyone, args.report, time.time() - started)
    print(f"report: {args.report}")


if __name__ == "__main__":
    main()
