#!/usr/bin/env python3
"""Draws the four navigator pictures as 16-colour BMP files.

Each picture holds the enabled image and the disabled image side by side.
Olive, the colour of the bottom-left pixel, is the transparent colour.
Run from anywhere: python3 make_nav_pictures.py [output folder]
"""
import os
import struct
import sys

# The standard 16-colour palette (index: (r, g, b)).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, OLIVE, GREY, WHITE = 0, 3, 8, 15
HEIGHT = 13
MID = 6  # middle row of the 13


def triangle(apex, base):
    """Solid triangle with its point at column apex, 9 rows high.

    Returns (core, edge): the black pixels and the dark grey pixels that
    soften the stepped slanted sides."""
    core, edge = set(), set()
    step = 1 if base > apex else -1
    for row in range(MID - 4, MID + 5):
        k = abs(row - MID)
        start = apex + step * k
        for col in range(start, base + step, step):
            core.add((col, row))
        if k > 0:
            edge.add((start - step, row))
    return core, edge - core


def bar(left, right):
    return {(c, r) for c in range(left, right + 1) for r in range(MID - 4, MID + 5)}


def motif(name):
    if name == "FIRST":
        core, edge = triangle(6, 10)
        return 14, core | bar(3, 4), edge
    if name == "PRIOR":
        core, edge = triangle(2, 6)
        return 10, core, edge
    if name == "NEXT":
        core, edge = triangle(7, 3)
        return 10, core, edge
    if name == "LAST":
        core, edge = triangle(7, 3)
        return 14, core | bar(9, 10), edge
    raise ValueError(name)


def draw(name):
    """Pixel rows (top first) of the two images side by side."""
    width, core, edge = motif(name)
    pixels = [[OLIVE] * (2 * width) for _ in range(HEIGHT)]
    for c, r in edge:
        pixels[r][c] = GREY
    for c, r in core:
        pixels[r][c] = BLACK
    # Disabled: embossed, a white copy one pixel down and right under a grey one.
    for c, r in core:
        if c + 1 < width and r + 1 < HEIGHT - 1:
            pixels[r + 1][width + c + 1] = WHITE
    for c, r in core:
        pixels[r][width + c] = GREY
    assert pixels[HEIGHT - 1][0] == OLIVE
    return pixels


def bmp4(pixels):
    height, width = len(pixels), len(pixels[0])
    row_bytes = ((width + 1) // 2 + 3) // 4 * 4
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for c in range(0, width, 2):
            hi = row[c]
            lo = row[c + 1] if c + 1 < width else 0
            line.append(hi << 4 | lo)
        line.extend(b"\0" * (row_bytes - len(line)))
        data += line
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(data),
                       2835, 2835, 16, 16)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info + palette + bytes(data)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    for name in ("FIRST", "PRIOR", "NEXT", "LAST"):
        with open(os.path.join(out, "MDBN_%s.bmp" % name), "wb") as f:
            f.write(bmp4(draw(name)))


if __name__ == "__main__":
    main()
