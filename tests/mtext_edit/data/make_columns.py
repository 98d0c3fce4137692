#!/usr/bin/python3
"""Writes columns_r2007.dxf and columns_r2018.dxf: an MText in three static
columns under a Hebrew Normal style, as a CAD program stores it (R2007: the
further columns are MTEXT entities of their own, named in the first one's
extended data; R2018: one MTEXT with an embedded column object), and an
MText holding a character its code page can't hold (U+2603)."""
import os
import sys

import ezdxf

LETTERS = "אבגדהוזחטיךכלםמןנסעףפץצקרשת"


def dos_visual(word):
    """A Hebrew word as a Hebrew Normal font stores it: DOS bytes, left end first."""
    return "".join(chr(0x80 + LETTERS.index(c)) for c in reversed(word))


def cp1255(text):
    """Bytes 0x80..0xFF as the code page's characters, as R2007+ files hold
    them (a byte the code page leaves undefined keeps its value)."""
    out = ""
    for c in text:
        if 0x80 <= ord(c) <= 0xFF:
            try:
                c = bytes([ord(c)]).decode("cp1255")
            except UnicodeDecodeError:
                pass
        out += c
    return out


def make(version, path):
    doc = ezdxf.new(version, setup=False)
    doc.header["$DWGCODEPAGE"] = "ANSI_1255"
    doc.styles.new("HEBNORM", dxfattribs={"font": "hebnorm.shx"})
    msp = doc.modelspace()
    # ezdxf drops bytes 0x80..0x9F: markers stand for the words until saved.
    words = ["אלף", "בית", "גימל", "שלום"]
    marks = {"@@W%d@@" % i: cp1255(dos_visual(w)) for i, w in enumerate(words)}
    columns = ["{\\C1;@@W%d@@}" % i for i in range(3)]
    msp.add_mtext_static_columns(columns, width=20, gutter_width=2, height=10,
                                 dxfattribs={"style": "HEBNORM", "char_height": 2.5,
                                             "insert": (0, 0)})
    msp.add_mtext("@@W3@@\u2603",
                  dxfattribs={"style": "HEBNORM", "char_height": 2.5, "insert": (0, -30)})
    doc.saveas(path)
    # ezdxf writes its own code page; the drawing is a Hebrew one.
    with open(path, encoding="utf-8") as f:
        content = f.read()
    content = content.replace("$DWGCODEPAGE\n  3\nANSI_1252", "$DWGCODEPAGE\n  3\nANSI_1255")
    for mark, text in marks.items():
        assert content.count(mark) == 1, mark
        content = content.replace(mark, text)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.write(content)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    make("R2007", os.path.join(out, "columns_r2007.dxf"))
    make("R2018", os.path.join(out, "columns_r2018.dxf"))


if __name__ == "__main__":
    main()
