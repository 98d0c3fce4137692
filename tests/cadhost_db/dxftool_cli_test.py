#!/usr/bin/python3
"""Checks dxftool's command line: listings, round trip, errors and usage.

usage: dxftool_cli_test.py DXFTOOL SAMPLES_DIR WORK_DIR
"""
import os
import subprocess
import sys

failures = []


def run(*args):
    return subprocess.run(list(args), capture_output=True)


def expect(condition, what):
    if not condition:
        failures.append(what)


def main():
    tool, samples, work = sys.argv[1:4]
    os.makedirs(work, exist_ok=True)
    r2018 = os.path.join(samples, "hebrew_r2018.dxf")

    r = run(tool, "list", r2018)
    expect(r.returncode == 0, "list failed: %r" % r.stderr)
    lines = r.stdout.decode("ascii").splitlines()
    expect(len(lines) == 22 + 2 + 1 + 1, "list: %d lines" % len(lines))
    expect("36\tTEXT\t0\tHEBNORM\thebnorm.shx\t\\x8D\\x85\\x8C\\x99" in lines, "list: first text")
    expect(any(l.startswith("3C\tTEXT\t0\tHEBBACK\thebback.shx\t\\xF9\\xEC") for l in lines),
           "list: Windows-layout bytes come back from UTF-8")
    types = [l.split("\t")[1] for l in lines]
    expect(types.count("ATTRIB") == 2 and types.count("DIMENSION") == 1
           and types.count("MTEXT") == 1, "list: types %r" % sorted(set(types)))
    expect(all(len(l.split("\t")) == 6 for l in lines), "list: six fields a line")

    r = run(tool, "styles", r2018)
    styles = r.stdout.decode("ascii").splitlines()
    expect(r.returncode == 0 and "HEB7BIT\theb7bit.shx" in styles and "Standard\ttxt" in styles,
           "styles: %r" % styles)

    out = os.path.join(work, "cli_out.dxf")
    r = run(tool, "roundtrip", r2018, out)
    expect(r.returncode == 0 and open(out, "rb").read() == open(r2018, "rb").read(),
           "roundtrip")

    bad = os.path.join(work, "cli_bad.dxf")
    with open(bad, "wb") as f:
        f.write(b"  0\nSECTION\n  2\nENTITIES\n 10\nnot a number\n  0\nENDSEC\n  0\nEOF\n")
    r = run(tool, "roundtrip", bad, os.path.join(work, "never.dxf"))
    expect(r.returncode == 1 and b"line 6" in r.stderr and r.stdout == b"", "bad file: %r" % r.stderr)
    expect(not os.path.exists(os.path.join(work, "never.dxf")), "bad file: nothing written")
    r = run(tool, "list", os.path.join(work, "missing.dxf"))
    expect(r.returncode == 1 and b"cannot open" in r.stderr, "missing file: %r" % r.stderr)
    r = run(tool, "roundtrip", r2018, os.path.join(work, "no", "dir", "x.dxf"))
    expect(r.returncode == 1 and b"cannot save" in r.stderr, "unwritable target: %r" % r.stderr)
    for args in ([], ["list"], ["frobnicate", r2018], ["roundtrip", r2018]):
        r = run(tool, *args)
        expect(r.returncode == 2, "usage %r gave %d" % (args, r.returncode))

    for f in failures:
        print(f, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
