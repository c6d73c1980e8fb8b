#!/usr/bin/env python3
"""Writes setup.ico: the program's icon, a box with an arrow pointing into it, at
16x16 and 32x32 pixels in 32-bit colour with alpha. Run once; the .ico is kept."""

import struct

SUPERSAMPLE = 4


def in_arrow(x, y, inset):
    """True inside the arrow, a shaft and a head pointing down, shrunk by inset."""
    if 0.40 + inset <= x <= 0.60 - inset and 0.04 + inset <= y <= 0.40:
        return True
    return 0.34 + inset <= y <= 0.64 - inset * 1.4 and abs(x - 0.5) <= (0.64 - y) * 0.95 - inset


def shape(x, y):
    """Colour (r, g, b, a) of the point (x, y) of the unit square, y downwards."""
    if in_arrow(x, y, 0.0):
        return (40, 170, 60, 255) if in_arrow(x, y, 0.05) else (15, 95, 30, 255)
    # The box: an open tray with a darker rim.
    if 0.08 <= x <= 0.92 and 0.48 <= y <= 0.94:
        if y <= 0.56 or x <= 0.15 or x >= 0.85 or y >= 0.87:
            return (20, 70, 150, 255)
        return (60, 135, 220, 255)
    return (0, 0, 0, 0)


def render(size):
    """Rows of BGRA pixels, top row first, each pixel averaged over a fine grid."""
    rows = []
    n = SUPERSAMPLE
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = shape((px + (sx + 0.5) / n) / size, (py + (sy + 0.5) / n) / size)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / (n * n)
            if acc[3] == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append((round(acc[2] / acc[3]), round(acc[1] / acc[3]), round(acc[0] / acc[3]), round(alpha)))
        rows.append(row)
    return rows


def icon_image(size):
    """One image of the icon: header, colour pixels bottom-up, then the AND mask."""
    rows = render(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(p) for row in reversed(rows) for p in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + pixels + bytes(mask)


def main():
    sizes = [16, 32]
    images = [icon_image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open("setup.ico", "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
