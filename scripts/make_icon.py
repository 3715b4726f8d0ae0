#!/usr/bin/env python3
"""Writes res/quarnel.ico: one 32x32, 16-colour image (a broom sweeping over a
blue disc), so that the icon is rebuilt from this file rather than kept as an
opaque binary. Usage: make_icon.py [output path]"""
import math
import struct
import sys

SIZE = 32
# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
TRANSPARENT, NAVY, BLUE, WHITE, OLIVE, YELLOW, BLACK, RED = None, 4, 12, 15, 3, 11, 0, 9


def distance_to_segment(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def pixel(x, y):
    """Colour index at pixel centre (x, y), y growing downwards; None is clear."""
    cx, cy = x + 0.5, y + 0.5
    r = math.hypot(cx - 16, cy - 16)
    colour = TRANSPARENT
    if r <= 15.5:
        colour = BLACK if r > 14.5 else (BLUE if cy < 16 - (cx - 16) * 0.3 else NAVY)
    # The handle, from the upper right towards the middle.
    if distance_to_segment(cx, cy, 26, 4, 15, 17) <= 1.3:
        colour = OLIVE
    # The binding where handle meets bristles.
    if distance_to_segment(cx, cy, 13, 17, 17, 21) <= 1.6:
        colour = RED
    # The bristles: a fan opening towards the lower left.
    ux, uy = cx - 15, cy - 19
    along = (-ux + uy) / math.sqrt(2)   # distance from the binding, outwards
    across = (ux + uy) / math.sqrt(2)
    if 1.5 < along < 11 and abs(across) < 2 + along * 0.45:
        colour = YELLOW if (int(across + 20) % 3) else OLIVE
    # A few sparks of dust that the broom throws up.
    for sx, sy in ((24, 22), (27, 18), (21, 26)):
        if abs(cx - sx) + abs(cy - sy) <= 1.0:
            colour = WHITE
    return colour


def build():
    rows = [[pixel(x, y) for x in range(SIZE)] for y in range(SIZE)]
    xor = bytearray()
    mask = bytearray()
    for row in reversed(rows):  # bitmaps are stored bottom-up
        for x in range(0, SIZE, 2):
            hi = rows_index(row[x])
            lo = rows_index(row[x + 1])
            xor.append(hi << 4 | lo)
        bits = 0
        for x, colour in enumerate(row):
            if colour is None:
                bits |= 1 << (SIZE - 1 - x)
        mask += struct.pack(">I", bits)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    image = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 6 + 16)
    return directory + entry + image


def rows_index(colour):
    return 0 if colour is None else colour


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "res/quarnel.ico"
    with open(out, "wb") as f:
        f.write(build())
