#!/usr/bin/env python3
"""Writes the UTF-8 input files of run.sh into DIR: one long text cut into
lines of 80 characters (200,000 lines), 1,024 characters and 1 MiB (16,777,216
characters each, 16,384 and 16 lines), for two kinds of text:

  mixed    Hebrew, Latin and digit words with spaces and punctuation, the way
           drawing text mixes them;
  neutral  long runs of spaces and punctuation (up to 4,096 characters)
           between single words, the hardest case for run-based resolution.

Usage: make_text.py DIR"""
import os
import random
import sys

HEBREW = [chr(c) for c in range(0x05D0, 0x05EB)]
LATIN = [chr(c) for c in range(ord("a"), ord("z") + 1)]
DIGITS = [chr(c) for c in range(ord("0"), ord("9") + 1)]
PUNCTUATION = list(".,:;-()\"'/%")
NEUTRALS = [" "] * 4 + PUNCTUATION
TOTAL = 1 << 24
WORD_KINDS = [HEBREW] * 5 + [LATIN] * 3 + [DIGITS] * 2


def mixed(rng, total):
    parts, size = [], 0
    while size < total:
        word = "".join(rng.choices(rng.choice(WORD_KINDS), k=rng.randint(1, 8)))
        if rng.randrange(4) == 0:
            word += rng.choice(PUNCTUATION)
        word += " "
        parts.append(word)
        size += len(word)
    return "".join(parts)[:total]


def neutral(rng, total):
    parts, size = [], 0
    while size < total:
        run = "".join(rng.choices(NEUTRALS, k=rng.randint(1, 4096)))
        word = "".join(rng.choices(rng.choice([HEBREW, LATIN]), k=rng.randint(1, 8)))
        parts.append(run + word)
        size += len(run) + len(word)
    return "".join(parts)[:total]


def write_lines(path, text, length, count):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        for i in range(count):
            f.write(text[i * length:(i + 1) * length])
            f.write("\n")


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    rng = random.Random(1255)
    texts = {"mixed": mixed(rng, TOTAL), "neutral": neutral(rng, TOTAL)}
    write_lines(os.path.join(out, "mixed_80.txt"), texts["mixed"], 80, 200_000)
    for kind, text in texts.items():
        write_lines(os.path.join(out, kind + "_1k.txt"), text, 1024, TOTAL // 1024)
        write_lines(os.path.join(out, kind + "_1m.txt"), text, 1 << 20, TOTAL >> 20)


if __name__ == "__main__":
    main()
