#!/usr/bin/env python3
"""Draws the application icon: make-icon.py [OUTPUT] writes it to
OUTPUT (default hexalune.ico beside it), the same bytes every time.

A teal hexagon with a pale crescent moon, at 16, 32 and 48 pixels, each a
32-bit image with alpha, anti-aliased by 8x8 supersampling.
"""

import math
import os
import struct
import sys

SIZES = (16, 32, 48)
SUPERSAMPLE = 8
HEXAGON, RIM, MOON = (0x12, 0x6E, 0x7A), (0x0B, 0x45, 0x4D), (0xF4, 0xEE, 0xD0)


def inside_hexagon(x, y, radius):
    """A pointy-top regular hexagon at the origin."""
    x, y = abs(x), abs(y)
    return x <= radius * math.sqrt(3) / 2 and y <= radius - x / math.sqrt(3)


def colour_at(x, y, radius):
    """The colour at a point, or None outside the hexagon."""
    if not inside_hexagon(x, y, radius):
        return None
    if not inside_hexagon(x, y, radius * 0.88):
        return RIM
    # The moon: a disc with a shifted disc cut out of it.
    outer = radius * 0.55
    cx, cy = radius * 0.24, -radius * 0.14
    if x * x + y * y <= outer * outer and (x - cx) ** 2 + (y - cy) ** 2 > (outer * 0.86) ** 2:
        return MOON
    return HEXAGON


def pixel(px, py, size):
    """(r, g, b, a): the mean colour of the covered samples, alpha the coverage."""
    n, radius = SUPERSAMPLE, size / 2 - 0.25
    samples = [colour_at(px + (sx + 0.5) / n - size / 2, py + (sy + 0.5) / n - size / 2, radius)
               for sy in range(n) for sx in range(n)]
    covered = [c for c in samples if c is not None]
    if not covered:
        return (0, 0, 0, 0)
    rgb = tuple(round(sum(c[i] for c in covered) / len(covered)) for i in range(3))
    return rgb + (round(255 * len(covered) / (n * n)),)


def dib(size):
    """One icon image: BITMAPINFOHEADER, BGRA pixels bottom-up, AND mask."""
    rows = [[pixel(px, py, size) for px in range(size)] for py in reversed(range(size))]
    out = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    out += b"".join(bytes((b, g, r, a)) for row in rows for (r, g, b, a) in row)
    for row in rows:
        bits = bytearray(((size + 31) // 32) * 4)
        for x, (_, _, _, alpha) in enumerate(row):
            bits[x // 8] |= 0x80 >> (x % 8) if alpha == 0 else 0
        out += bits
    return out


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    output = argv[1] if len(argv) > 1 else os.path.join(here, "hexalune.ico")
    images = [(size, dib(size)) for size in SIZES]
    # ICONDIR, one ICONDIRENTRY per image, then the images.
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(output, "wb") as f:
        f.write(out + b"".join(data for _, data in images))


if __name__ == "__main__":
    main(sys.argv)
