#!/usr/bin/python3
"""Checks the drawing database against ezdxf, an independent DXF library.

1. Drawings that ezdxf writes, in every version from R12 to R2018, and the
   bundled samples load and save byte-identical through dxftool.
2. A drawing changed by the database (a text changed, texts and an MText
   appended, a line erased) is read by ezdxf, which finds the changes, no
   duplicate handles, and a $HANDSEED above every handle.

usage: ezdxf_crosscheck.py DXFTOOL EDIT_DRAWING SAMPLES_DIR WORK_DIR
"""
import filecmp
import os
import shutil
import subprocess
import sys

import ezdxf

VERSIONS = ["R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"]


def make(version, path):
    doc = ezdxf.new(version, setup=True)
    msp = doc.modelspace()
    msp.add_text("Plain text", dxfattribs={"height": 2.0, "style": "OpenSans"})
    msp.add_text("שלום", dxfattribs={"insert": (0, 5)})
    msp.add_line((0, 0), (10, 10), dxfattribs={"layer": "LINES", "color": 3})
    msp.add_circle((5, 5), 2)
    msp.add_polyline2d([(0, 0), (1, 1), (2, 0)])
    block = doc.blocks.new("B")
    block.add_attdef("TAG", (0, 0))
    ref = msp.add_blockref("B", (5, 5))
    ref.add_attrib("TAG", "value", (5, 5))
    msp.add_linear_dim(base=(0, 3), p1=(0, 0), p2=(10, 0)).render()
    line = msp.add_line((0, 0), (1, 0))
    line.set_xdata("ACAD", [(1000, "extended data")])
    doc.appids.new("TARSILTEST")
    doc.layouts.active_layout().add_line((0, 0), (100, 100))
    if version != "R12":
        msp.add_mtext("one\\Ptwo", dxfattribs={"char_height": 1.5})
        msp.add_lwpolyline([(0, 0), (3, 0), (3, 3)])
        msp.add_spline([(0, 0), (1, 2), (3, 1), (4, 4)])
        hatch = msp.add_hatch()
        hatch.paths.add_polyline_path([(0, 0), (1, 0), (1, 1)])
    doc.saveas(path)


def file_handles(path):
    """The handles (groups 5, and 105 of DIMSTYLE) and $HANDSEED of a file."""
    with open(path, "rb") as f:
        lines = f.read().decode("latin-1").split("\n")
    handles, seed, kind = [], 0, ""
    for i in range(0, len(lines) - 1, 2):
        code, value = int(lines[i]), lines[i + 1].strip()
        if code == 0:
            kind = value
        elif code == 9 and value == "$HANDSEED":
            seed = int(lines[i + 3].strip(), 16)
        elif (code == 105) == (kind == "DIMSTYLE") and code in (5, 105) and kind != "SECTION":
            handles.append(int(value, 16))
    return handles, seed


def main():
    dxftool, edit, samples, work = sys.argv[1:5]
    os.makedirs(work, exist_ok=True)
    failures = []
    inputs = []
    for name in sorted(os.listdir(samples)):
        if name.endswith(".dxf"):
            shutil.copy(os.path.join(samples, name), work)
            inputs.append(os.path.join(work, name))
    for version in VERSIONS:
        path = os.path.join(work, "ezdxf_%s.dxf" % version)
        make(version, path)
        inputs.append(path)
    for path in inputs:
        out = path + ".roundtrip"
        subprocess.run([dxftool, "roundtrip", path, out], check=True)
        if not filecmp.cmp(path, out, shallow=False):
            failures.append("%s: not byte-identical after load and save" % path)
        edited = path + ".edited.dxf"
        subprocess.run([edit, path, edited], check=True)
        doc = ezdxf.readfile(edited)
        auditor = doc.audit()
        if auditor.has_errors:
            failures.append("%s: ezdxf audit: %s" % (edited, [str(e.message) for e in auditor.errors]))
        msp = doc.modelspace()
        texts = [t.dxf.text for t in msp.query("TEXT")]
        if "model \u05d0" not in texts and "model \xe0" not in texts:
            failures.append("%s: appended model space text missing: %s" % (edited, texts))
        if not any(t.dxf.text == "paper" for t in doc.layouts.active_layout().query("TEXT")):
            failures.append("%s: appended paper space text missing" % edited)
        if doc.dxfversion > "AC1009" and not any(
                m.text == "first\\Psecond" for m in msp.query("MTEXT")):
            failures.append("%s: appended MText missing" % edited)
        changed = [t for t in msp.query("TEXT") if t.dxf.text.endswith(" 1")]
        if not changed or changed[0].dxf.halign != 2:
            failures.append("%s: changed text not found" % edited)
        handles, seed = file_handles(edited)
        if len(set(handles)) != len(handles):
            failures.append("%s: duplicate handles" % edited)
        if any(h >= seed for h in handles):
            failures.append("%s: $HANDSEED %X not above every handle" % (edited, seed))
        print("ok" if not failures else "FAILED", path)
    for f in failures:
        print(f, file=sys.stderr)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
