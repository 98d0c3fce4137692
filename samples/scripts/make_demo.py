#!/usr/bin/python3
"""Writes demo.dxf, the small drawing that the host's demo script runs on:
three single-line texts in two styles, one on a locked layer, and a line."""
import sys

import ezdxf

doc = ezdxf.new("R2000", setup=False)
doc.header["$TEXTSIZE"] = 2.5
doc.styles.new("HEBREW", dxfattribs={"font": "hebnorm.shx"})
doc.layers.add("NOTES")
doc.layers.add("FIXED").lock()
msp = doc.modelspace()
msp.add_text("Hello", dxfattribs={"insert": (0, 0), "height": 2.5})
msp.add_text("\u00f9\u00ec\u00e5\u00ed", dxfattribs={"insert": (0, 5), "height": 2.5,
                                                     "style": "HEBREW", "layer": "NOTES"})
msp.add_text("Locked", dxfattribs={"insert": (0, 10), "height": 2.5, "layer": "FIXED"})
msp.add_line((0, -2), (20, -2))
doc.saveas(sys.argv[1] if len(sys.argv) > 1 else "demo.dxf")
