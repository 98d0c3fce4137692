#!/usr/bin/python3
"""The host program saves exactly what it read.

Every drawing of the corpus (tests/data/drawings, the samples) goes through
one script in the cadhost program: SAVEAS at once, ERASE of all of model
space then SAVEAS, U then SAVEAS, and the same in paper space (CVPORT 1).
The saves after U must equal the file read byte for byte; the erased drawing must leave ezdxf's recover with
no complaint the original did not give (an orphan: an object whose owner is
gone) and no MText column part behind.  Then one MText with columns is
erased alone: its parts go with it.

usage: host_corpus_check.py CADHOST WORK_DIR DRAWING...
"""
import os
import subprocess
import sys

from ezdxf import recover

SCRIPT = ("SAVEAS\n{a}\nERASE\nALL\n\nSAVEAS\n{e}\nU\nSAVEAS\n{u}\n"
          "(setvar \"CVPORT\" 1)\nERASE\nALL\n\nSAVEAS\n{p}\nU\nSAVEAS\n{pu}\nQUIT\n")
failures = []


def expect(condition, what):
    if not condition:
        failures.append(what)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def audit(path):
    doc, auditor = recover.readfile(path)
    return doc, {(e.code, e.message) for e in auditor.fixes + auditor.errors}


def host(cadhost, drawing, script):
    return subprocess.run([cadhost, drawing], input=script.encode(), capture_output=True,
                          timeout=60)


def check_drawing(cadhost, work, path):
    name = os.path.basename(path)
    a, e, u, p, pu = (os.path.join(work, name + suffix) for suffix in
                      (".saved", ".erased", ".undone", ".paper", ".paper_undone"))
    r = host(cadhost, path, SCRIPT.format(a=a, e=e, u=u, p=p, pu=pu))
    expect(r.returncode == 0, "%s: exit %d: %r" % (name, r.returncode, r.stdout[-300:]))
    original = read(path)
    for out, what in ((a, "SAVEAS"), (u, "ERASE, U, SAVEAS"), (pu, "paper space ERASE, U")):
        expect(os.path.exists(out) and read(out) == original,
               "%s: %s does not give the file back byte for byte" % (name, what))
    if not os.path.exists(e):
        failures.append("%s: the erased drawing was not saved" % name)
        return
    original_doc, before = audit(path)
    doc, after = audit(e)
    expect(after <= before, "%s: after ERASE ezdxf finds %r" % (name, sorted(after - before)))
    # What lies on a locked layer stays, as ERASE says.
    left = [ent.dxftype() for ent in doc.modelspace()
            if not (doc.layers.has_entry(ent.dxf.layer) and doc.layers.get(ent.dxf.layer).is_locked())]
    expect(not left, "%s: ERASE ALL left %r in model space" % (name, left))
    if not os.path.exists(p):
        failures.append("%s: the drawing erased in paper space was not saved" % name)
        return
    doc, after = audit(p)
    expect(after <= before, "%s: after ERASE in paper space ezdxf finds %r"
           % (name, sorted(after - before)))
    left = [ent.dxftype() for ent in doc.layouts.get_layout_by_key(
        doc.block_records.get("*Paper_Space").dxf.handle) if ent.dxftype() != "VIEWPORT"
        and not doc.layers.get(ent.dxf.layer).is_locked()] if doc.dxfversion > "AC1009" else []
    expect(not left, "%s: ERASE ALL left %r in paper space" % (name, left))
    expect(len(doc.modelspace()) == len(original_doc.modelspace()),
           "%s: ERASE in paper space took model space" % name)


def check_columns(cadhost, work, path):
    """Erasing the MText that holds the columns takes its parts along."""
    doc, _ = audit(path)
    heads = [m for m in doc.modelspace().query("MTEXT") if m.has_columns]
    if not heads:
        return
    name = os.path.basename(path)
    out = os.path.join(work, name + ".columns")
    r = host(cadhost, path, "ERASE\n%s\n\nSAVEAS\n%s\nQUIT\n" % (heads[0].dxf.handle, out))
    expect(r.returncode == 0, "%s: columns: exit %d" % (name, r.returncode))
    after, _ = audit(out)
    parts = [c.dxf.handle for c in heads[0].columns.linked_columns]
    gone = [h for h in [heads[0].dxf.handle] + parts if after.entitydb.get(h) is None]
    expect(len(gone) == 1 + len(parts), "%s: of the MText and its column parts %r, only %r went"
           % (name, [heads[0].dxf.handle] + parts, gone))


def main():
    cadhost, work = sys.argv[1:3]
    drawings = sys.argv[3:]
    os.makedirs(work, exist_ok=True)
    expect(len(drawings) >= 10, "the corpus is missing: %r" % drawings)
    for path in drawings:
        check_drawing(cadhost, work, path)
        check_columns(cadhost, work, path)
    for f in failures:
        print("FAIL:", f)
    print("%d drawings, %d failures" % (len(drawings), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
