#!/usr/bin/python3
"""Writes a large R2018 drawing for the load-and-save benchmark: an empty
drawing made by ezdxf with COUNT TEXT and MTEXT entities (half each) added
to model space, Hebrew and Latin strings mixed.

usage: make_big.py OUT.dxf [COUNT]
"""
import io
import sys

import ezdxf

WORDS = ["שלום", "עולם", "חדר", "קומה", "Room", "Level", "12", "3.5", "דלת", "Door"]


def main():
    out = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 200000
    doc = ezdxf.new("R2018", setup=True)
    msp = doc.modelspace()
    msp.add_line((0, 0), (1, 1))  # makes sure ENTITIES is written
    stream = io.StringIO()
    doc.write(stream)
    base = stream.getvalue()
    owner = msp.block_record_handle
    seed = int(doc.header["$HANDSEED"], 16)
    parts = []
    for i in range(count):
        h = "%X" % (seed + i)
        x, y = (i % 500) * 20.0, (i // 500) * 10.0
        words = " ".join(WORDS[(i + k) % len(WORDS)] for k in range(5))
        if i % 2 == 0:
            parts.append(
                "  0\nTEXT\n  5\n%s\n330\n%s\n100\nAcDbEntity\n  8\nTEXT_%d\n100\nAcDbText\n"
                " 10\n%.3f\n 20\n%.3f\n 30\n0.0\n 40\n2.5\n  1\n%s %d\n 50\n%.1f\n"
                "  7\nOpenSans\n 72\n1\n 11\n%.3f\n 21\n%.3f\n 31\n0.0\n100\nAcDbText\n 73\n2\n"
                % (h, owner, i % 20, x, y, words, i, (i % 8) * 45.0, x + 5, y, ))
        else:
            parts.append(
                "  0\nMTEXT\n  5\n%s\n330\n%s\n100\nAcDbEntity\n  8\nMTEXT_%d\n100\nAcDbMText\n"
                " 10\n%.3f\n 20\n%.3f\n 30\n0.0\n 40\n2.5\n 41\n40.0\n 71\n1\n 72\n5\n"
                "  1\n{\\H1.2x;%s}\\P%s %d\n  7\nStandard\n 73\n1\n 44\n1.0\n"
                % (h, owner, i % 20, x, y, words, words, i))
    entities = "".join(parts)
    marker = "  0\nENDSEC\n  0\nSECTION\n  2\nOBJECTS\n"
    at = base.index(marker)
    text = base[:at] + entities + base[at:]
    old_seed = "$HANDSEED\n  5\n%X\n" % seed
    assert text.count(old_seed) == 1
    text = text.replace(old_seed, "$HANDSEED\n  5\n%X\n" % (seed + count))
    with open(out, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


if __name__ == "__main__":
    main()
