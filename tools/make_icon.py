#!/usr/bin/env python3
"""Draws the program icon, a steering wheel, as a 24-bit .ico with 48, 32 and 16 pixel images."""
import math
import struct
import sys


def wheel_pixel(x, y, size):
    """Colour (r, g, b) of pixel (x, y), or None where the icon is transparent."""
    c = (size - 1) / 2.0
    dx, dy = x - c, y - c
    r = math.hypot(dx, dy) / (size / 2.0)
    rim_outer, rim_inner = 0.98, 0.74
    if rim_inner <= r <= rim_outer:
        # The rim, lit from the top left.
        shade = 0.75 + 0.25 * (-(dx + dy) / (size * 0.7))
        base = (54, 58, 66)
        if r > 0.9 or r < 0.8:
            base = (34, 36, 42)
        return tuple(max(0, min(255, int(v * shade))) for v in base)
    if r <= 0.26:
        # The hub, with a red centre mark.
        return (200, 40, 40) if r <= 0.14 else (70, 74, 82)
    if r < rim_inner:
        # Three spokes: left, right and down.
        half = max(1.0, size * 0.07)
        if abs(dy) <= half and abs(dx) > 0:
            return (90, 94, 104)
        if abs(dx) <= half and dy > 0:
            return (90, 94, 104)
    return None


def image(size):
    xor = bytearray()
    mask = bytearray()
    xor_stride = (size * 3 + 3) // 4 * 4
    mask_stride = ((size + 31) // 32) * 4
    for row in range(size - 1, -1, -1):  # bottom-up
        line = bytearray()
        bits = bytearray(mask_stride)
        for x in range(size):
            colour = wheel_pixel(x, row, size)
            if colour is None:
                line += b"\x00\x00\x00"
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                r, g, b = colour
                line += bytes((b, g, r))
        line += b"\x00" * (xor_stride - len(line))
        xor += line
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def main(path):
    sizes = [48, 32, 16]
    images = [image(s) for s in sizes]
    out = bytearray(struct.pack("<HHH", 0, 1, len(sizes)))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    for data in images:
        out += data
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "Calibration.ico")
