#!/usr/bin/env python3
"""Draws the program icon (Quillbox.ico): a teal rounded tile with a white quill nib ring.

Run from this folder; the .ico is committed, so builds never need Python.
"""
import math
import struct


def pixel(size, x, y):
    """BGRA of one pixel of the icon at the given size."""
    cx = cy = (size - 1) / 2.0
    half = size / 2.0 - 0.5
    corner = size * 0.22
    # Rounded square mask.
    dx = max(abs(x - cx) - (half - corner), 0.0)
    dy = max(abs(y - cy) - (half - corner), 0.0)
    if math.hypot(dx, dy) > corner:
        return (0, 0, 0, 0)
    shade = 1.0 - 0.35 * (y / size)
    bg = (int(150 * shade), int(130 * shade), int(20 * shade), 255)
    # A "Q": ring plus a tail to the lower right.
    r = math.hypot(x - cx, y - cy) / size
    ring = 0.20 <= r <= 0.31
    tx, ty = (x - cx) / size, (y - cy) / size
    tail = 0.08 <= tx <= 0.36 and abs(ty - tx) <= 0.06
    if ring or tail:
        return (255, 255, 255, 255)
    return bg


def image(size):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    rows = []
    for y in range(size - 1, -1, -1):
        rows.append(b"".join(bytes(pixel(size, x, y)) for x in range(size)))
    mask_row = b"\x00" * (((size + 31) // 32) * 4)
    return header + b"".join(rows) + mask_row * size


def main():
    sizes = [16, 32, 48]
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open("Quillbox.ico", "wb") as f:
        f.write(out + b"".join(images))


if __name__ == "__main__":
    main()
