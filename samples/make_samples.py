#!/usr/bin/python3
"""Writes the bundled sample drawings: Hebrew texts stored the way each kind
of Hebrew font expects them, an MText with formatting codes, a block
reference with Hebrew attributes, a dimension with a text override and a
leader attached to an MText, in R12, R2000 and R2018.

The stored strings are computed here as bytes (the 8-bit layout each font
expects) and put into the files after ezdxf has written them: ezdxf writes a
unique marker for each string, which is then replaced by the bytes (R12,
R2000) or by their characters in the drawing's code page (R2018, UTF-8).

Run: /usr/bin/python3 samples/make_samples.py [OUTPUT_DIR]
"""
import os
import sys

import ezdxf

LETTERS = "אבגדהוזחטיךכלםמןנסעףפץצקרשת"
# The keys of the Israeli keyboard for the 27 letters: the 7-bit layout.
KEYS = "tcdsvuzjyhlfkonibxg;p.mera,"
CODEPAGE = "ANSI_1255"


def win(ch):
    """Windows layout byte of a logical character."""
    i = LETTERS.find(ch)
    return 0xE0 + i if i >= 0 else ord(ch)


def dos(ch):
    i = LETTERS.find(ch)
    return 0x80 + i if i >= 0 else ord(ch)


def seven(ch):
    i = LETTERS.find(ch)
    return ord(KEYS[i]) if i >= 0 else ord(ch)


def visual_ltr(logical):
    """The visual line of a right-to-left paragraph, listed from its left end.

    Enough for the texts used here, typed as the editors take them: Hebrew
    words and spaces run right to left; every other run (digits, and MText
    codes typed as Latin) keeps its own left-to-right order."""
    def rtl(ch):
        return ch in LETTERS or ch == " "

    runs, cur = [], ""
    for ch in logical:
        if cur and rtl(ch) != rtl(cur[-1]):
            runs.append(cur)
            cur = ""
        cur += ch
    if cur:
        runs.append(cur)
    out = ""
    for run in reversed(runs):
        out += run[::-1] if rtl(run[0]) else run
    return out


def stored(logical, font_type):
    """The bytes a text of this font type stores for logical Hebrew text."""
    ltr = visual_ltr(logical)
    rtl = ltr[::-1]
    if font_type == 0:  # Hebrew Normal: DOS layout, LTR listing
        return bytes(dos(c) for c in ltr)
    if font_type in (1, 3):  # Hebrew 7 Bit (and backward): 7-bit layout, RTL listing
        return bytes(seven(c) for c in rtl)
    if font_type == 2:  # Hebrew Backward: logical order, Windows layout
        return bytes(win(c) for c in logical)
    if font_type == 4:  # d2w: Windows layout, LTR listing
        return bytes(win(c) for c in ltr)
    if font_type == 5:  # As is
        return bytes(win(c) for c in logical)
    return bytes(win(c) for c in rtl)  # Unknown: Windows layout, RTL listing


# Style name, font file, font type (as the bundled default.map says).
STYLES = [
    ("HEBNORM", "hebnorm.shx", 0),
    ("HEB7BIT", "heb7bit.shx", 1),
    ("HEBBACK", "hebback.shx", 2),
    ("HEB7BACK", "heb7back.shx", 3),
    ("HEBD2W", "hebd2w.shx", 4),
    ("ROMANS", "romans.shx", 5),
    ("TXTSTYLE", "txt.shx", 255),
]
PHRASES = ["שלום", "חדר 12", "אבג"]


class Markers:
    """Unique ASCII placeholders and the bytes that replace them."""

    def __init__(self):
        self.values = {}

    def __call__(self, data):
        key = "@@S%03d@@" % len(self.values)
        self.values[key] = data
        return key

    def apply(self, path, utf8):
        with open(path, "rb") as f:
            content = f.read()
        # ezdxf writes its own code page; the drawings are Hebrew ones.
        page = b"$DWGCODEPAGE\n  3\nANSI_1252\n"
        assert content.count(page) == 1
        content = content.replace(page, b"$DWGCODEPAGE\n  3\n" + CODEPAGE.encode() + b"\n")
        for key, data in self.values.items():
            if utf8:
                text = "".join(
                    chr(b) if b < 0x80 else _cp1255_char(b) for b in data)
                data = text.encode("utf-8")
            marker = key.encode("ascii")
            assert content.count(marker) == 1, key
            content = content.replace(marker, data)
        with open(path, "wb") as f:
            f.write(content)


def _cp1255_char(b):
    try:
        return bytes([b]).decode("cp1255")
    except UnicodeDecodeError:
        return chr(b)  # a byte the code page leaves undefined keeps its value


def make(version, path):
    doc = ezdxf.new(version, setup=False)
    doc.header["$DWGCODEPAGE"] = CODEPAGE
    msp = doc.modelspace()
    marks = Markers()
    for name, font, _ in STYLES:
        doc.styles.new(name, dxfattribs={"font": font})
    y = 0.0
    for name, _, font_type in STYLES:
        for i, phrase in enumerate(PHRASES):
            msp.add_text(marks(stored(phrase, font_type)),
                         dxfattribs={"style": name, "height": 2.5,
                                     "insert": (10.0 * i, y)})
        y -= 5.0
    # A right-aligned text.
    t = msp.add_text(marks(stored("שלום עולם", 0)),
                     dxfattribs={"style": "HEBNORM", "height": 2.5})
    t.dxf.halign = 2
    t.dxf.align_point = (60.0, 0.0)
    t.dxf.insert = (47.5, 0.0)

    # A block with two attributes, and a reference with Hebrew values.
    block = doc.blocks.new("ROOM")
    block.add_line((0, 0), (20, 0))
    block.add_attdef("NAME", (0, 1), dxfattribs={"style": "HEBNORM", "height": 2.0})
    block.add_attdef("NUMBER", (0, -3), dxfattribs={"style": "HEBNORM", "height": 2.0})
    ref = msp.add_blockref("ROOM", (0.0, -50.0))
    ref.add_attrib("NAME", marks(stored("חדר שינה", 0)), (0.0, -49.0),
                   dxfattribs={"style": "HEBNORM", "height": 2.0})
    ref.add_attrib("NUMBER", marks(stored("חדר 12", 0)), (0.0, -53.0),
                   dxfattribs={"style": "HEBNORM", "height": 2.0})

    # A dimension whose text is overridden, in a dimension style with a
    # Hebrew text style.
    doc.dimstyles.new("HEBDIM", dxfattribs={"dimtxsty": "HEBNORM", "dimtxt": 2.5})
    dim = msp.add_linear_dim(base=(0, -60), p1=(0, -65), p2=(30, -65), dimstyle="HEBDIM")
    dim.render()
    dim.dimension.dxf.text = marks(stored("מטר 5", 0))

    if version != "R12":
        # MText with formatting codes: each paragraph, codes included, is
        # stored as the MText editor writes it for Hebrew Normal.
        paragraphs = ["\\A1;{\\H1.5x;שלום}", "{\\C1;חדר 12}", "אבג"]
        mtext = msp.add_mtext(
            "@@MTEXT@@",
            dxfattribs={"style": "HEBNORM", "char_height": 2.5, "insert": (0.0, -80.0),
                        "attachment_point": 3})
        marks.values["@@MTEXT@@"] = b"\\P".join(stored(p, 0) for p in paragraphs)
        leader = msp.add_leader([(-20.0, -95.0), (-5.0, -82.0), (0.0, -82.0)])
        leader.dxf.annotation_type = 0
        leader.dxf.annotation_handle = mtext.dxf.handle
        leader.dxf.has_hookline = 1
    doc.saveas(path)
    marks.apply(path, utf8=doc.dxfversion >= "AC1021")


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for version, name in [("R12", "hebrew_r12.dxf"), ("R2000", "hebrew_r2000.dxf"),
                          ("R2018", "hebrew_r2018.dxf")]:
        make(version, os.path.join(out, name))
        print("wrote", os.path.join(out, name))


if __name__ == "__main__":
    main()
