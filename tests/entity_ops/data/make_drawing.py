#!/usr/bin/python3
"""Writes entops.dxf, the drawing the entity operation tests work on.

Run with the system Python (python3-ezdxf):  /usr/bin/python3 make_drawing.py
The tests find every entity by its text, so the layout may change freely.
"""
import ezdxf
from ezdxf.enums import TextEntityAlignment as A

doc = ezdxf.new("R2000")
doc.header["$DWGCODEPAGE"] = "ANSI_1255"
doc.header["$TEXTSIZE"] = 2.0
for name, font in [("HEBNORM", "hebnorm.shx"), ("HEB7BIT", "heb7bit.shx"),
                   ("HEBD2W", "hebd2w.shx"), ("HEBBACK", "hebback.shx"),
                   ("ROMANS", "romans.shx"), ("UNMAPPED", "nosuchfont.shx")]:
    doc.styles.new(name, dxfattribs={"font": font})

msp = doc.modelspace()

# A block of three left-aligned texts rotated by 30 degrees, of different lengths.
for text, (x, y) in [("alpha", (10, 50)), ("bb", (13, 43)), ("gamma delta", (9, 35))]:
    msp.add_text(text, dxfattribs={"height": 2.5, "rotation": 30}).set_placement((x, y))

# Right-justified texts rotated by 15 degrees.
for text, (x, y) in [("right one", (80, 50)), ("r2", (83, 44)), ("right number three", (78, 36))]:
    msp.add_text(text, dxfattribs={"height": 2.0, "rotation": 15}).set_placement(
        (x, y), align=A.RIGHT)

# Texts whose justification or insertion point the tests change.
msp.add_text("fit me", dxfattribs={"height": 2.0}).set_placement((100, 10))
msp.add_text("justify me", dxfattribs={"height": 2.0, "rotation": 10}).set_placement((100, 30))
msp.add_text("middle me", dxfattribs={"height": 2.0}).set_placement((100, 50), align=A.MIDDLE_CENTER)

# Two texts and an empty one for spacing.
msp.add_text("top line", dxfattribs={"height": 3.0}).set_placement((150, 60))
msp.add_text("", dxfattribs={"height": 3.0}).set_placement((150, 52))
msp.add_text("bottom line", dxfattribs={"height": 3.0}).set_placement((150, 40))

# Hebrew styles; the tests put the stored bytes in.
msp.add_text("hebnorm text", dxfattribs={"height": 2.0, "style": "HEBNORM"}).set_placement((10, 100))
msp.add_text("heb7bit text", dxfattribs={"height": 2.0, "style": "HEB7BIT"}).set_placement((10, 95))
msp.add_text("hebd2w text", dxfattribs={"height": 2.0, "style": "HEBD2W"}).set_placement((10, 90))

# A block reference with three attributes, rotated by 20 degrees.
block = doc.blocks.new("TAGS")
block.add_line((0, 0), (30, 0))
for i, tag in enumerate(["NAME", "NUMBER", "DATE"]):
    block.add_attdef(tag, (0, -4 * i), dxfattribs={"height": 2.0})
ref = msp.add_blockref("TAGS", (200, 80), dxfattribs={"rotation": 20})
ref.add_auto_attribs({"NAME": "first attribute", "NUMBER": "42", "DATE": "2026-12-06"})
# A block reference without attributes.
doc.blocks.new("PLAIN").add_line((0, 0), (5, 5))
msp.add_blockref("PLAIN", (250, 80))

doc.saveas("entops.dxf")
