#!/usr/bin/env python3
"""Writes a deterministic list of MAC addresses, one a line, for timing
hexalune-batch against its peers:

    bench/address_list.py DATA_DIR LINES > addresses.txt

Nine in ten lie in a registered block, drawn from all four listings in
DATA_DIR (oui.csv, mam.csv, oui36.csv, iab.csv); the rest are any address.
Every notation devices print, either case, some with white space or a CR
around them; about one line in a hundred is no address at all.
"""
import random
import sys


def assignments(directory):
    keys = []
    for name in ("oui.csv", "mam.csv", "oui36.csv", "iab.csv"):
        with open(f"{directory}/{name}", encoding="utf-8", newline="") as listing:
            next(listing)
            keys += [line.split(",", 2)[1] for line in listing]
    return keys


def main():
    directory, lines = sys.argv[1], int(sys.argv[2])
    draw = random.Random(20260625)
    keys = assignments(directory)
    invalid = ["", "not an address", "00:80:10:A4:00", "00:80:10:A4:00:0G", "0:80:10:a4:0:c",
               "00:80:10-A4:00:0C", "0080.10a4.000c.0000", "00:80:10:A4:00:0C:11"]
    out = sys.stdout
    for _ in range(lines):
        if draw.random() < 0.01:
            out.write(draw.choice(invalid[1:]) + "\n")
            continue
        prefix = draw.choice(keys) if draw.random() < 0.9 else ""
        digits = prefix + "".join(draw.choice("0123456789ABCDEF") for _ in range(12 - len(prefix)))
        if draw.random() < 0.5:
            digits = digits.lower()
        form = draw.randrange(4)
        if form == 0:
            text = ":".join(digits[i:i + 2] for i in range(0, 12, 2))
        elif form == 1:
            text = "-".join(digits[i:i + 2] for i in range(0, 12, 2))
        elif form == 2:
            text = ".".join(digits[i:i + 4] for i in range(0, 12, 4))
        else:
            text = digits
        around = draw.random()
        if around < 0.05:
            text = "  " + text + "\t"
        elif around < 0.10:
            text += "\r"
        out.write(text + "\n")


main()
