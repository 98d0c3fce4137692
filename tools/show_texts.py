#!/usr/bin/python3
"""Lists the texts of a drawing as stored and as a user reads them.

Each TEXT, ATTRIB, MTEXT and DIMENSION string is decoded by the font type that
the font map gives its style's font, through `tarsiltext decode`, and shown
beside its stored form.

Usage: show_texts.py BUILD_DIR DRAWING MAP_FILE
"""
import os
import re
import subprocess
import sys


def unescape(field: str) -> str:
    """Undoes dxftool's \\xHH and \\U+XXXX escapes (a backslash itself is kept)."""
    def one(m: re.Match) -> str:
        return chr(int(m.group(1) or m.group(2), 16))
    return re.sub(r"\\x([0-9A-Fa-f]{2})|\\U\+([0-9A-Fa-f]{4})", one, field)


def run(args, data=None) -> str:
    return subprocess.run(args, input=data, capture_output=True, check=True).stdout.decode("utf-8")


def decode(tarsiltext: str, font_type: str, text: str) -> str:
    if any(ord(c) > 0xFF for c in text):
        return text
    return run([tarsiltext, "decode", "--font-type", font_type, "--utf8"],
               (text + "\n").encode("utf-8")).rstrip("\n")


def main() -> int:
    if len(sys.argv) != 4:
        print(__doc__.strip().splitlines()[-1], file=sys.stderr)
        return 2
    build, drawing, map_file = sys.argv[1:]
    dxftool = os.path.join(build, "tools", "dxftool", "dxftool")
    tarsiltext = os.path.join(build, "tools", "tarsiltext", "tarsiltext")
    for line in run([dxftool, "list", drawing]).splitlines():
        handle, kind, _layer, style, font, stored = line.split("\t", 5)
        font_name = os.path.splitext(font)[0]
        font_type = run([tarsiltext, "map-find", map_file, font_name]).strip()
        text = unescape(stored)
        # The codec works on one line: MText paragraphs are decoded one by one.
        pieces = text.split("\\P") if kind == "MTEXT" else [text]
        shown = " | ".join(decode(tarsiltext, font_type, piece) for piece in pieces)
        print(f"{handle:>5} {kind:<9} {style:<10} type {font_type:>3}  {stored!s:<28} -> {shown}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
