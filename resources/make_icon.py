#!/usr/bin/env python3
"""Draws the program icon (resource 61440) and writes it as tallimex.ico.

The picture: the unit circle of the complex plane on its two axes, with one number
on the circle and its radius vector, on a rounded dark-blue tile. Pure standard
library, so the icon can be redrawn anywhere: python3 make_icon.py [output.ico]
"""
import math
import struct
import sys
import zlib

SIZES = (16, 24, 32, 48, 256)
SAMPLES = 4  # per axis, for anti-aliasing

TOP = (0x2A, 0x5F, 0x93)
BOTTOM = (0x0E, 0x26, 0x40)
AXIS = (0x9C, 0xBC, 0xDD)
CIRCLE = (0xFF, 0xFF, 0xFF)
VECTOR = (0xF5, 0xA6, 0x23)
ANGLE = math.radians(38)


def rounded_box(x, y, half, radius):
    qx = abs(x - 0.5) - half + radius
    qy = abs(y - 0.5) - half + radius
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def segment(x, y, ax, ay, bx, by):
    px, py, dx, dy = x - ax, y - ay, bx - ax, by - ay
    t = max(0.0, min(1.0, (px * dx + py * dy) / (dx * dx + dy * dy)))
    return math.hypot(px - t * dx, py - t * dy)


def layers(size):
    """(colour, inside test) pairs from back to front, coordinates in 0..1, y downwards."""
    pixel = 1.0 / size
    axis_half = max(0.012, 0.5 * pixel)
    ring_half = max(0.024, 0.6 * pixel)
    vector_half = max(0.022, 0.6 * pixel)
    cx = cy = 0.5
    radius = 0.31
    px = cx + radius * math.cos(ANGLE)
    py = cy - radius * math.sin(ANGLE)
    dot = max(0.075, 1.6 * pixel)
    return [
        (None, lambda x, y: rounded_box(x, y, 0.47, 0.17) <= 0),
        (AXIS, lambda x, y: segment(x, y, 0.12, cy, 0.88, cy) <= axis_half
            or segment(x, y, cx, 0.12, cx, 0.88) <= axis_half),
        (CIRCLE, lambda x, y: abs(math.hypot(x - cx, y - cy) - radius) <= ring_half),
        (VECTOR, lambda x, y: segment(x, y, cx, cy, px, py) <= vector_half),
        (VECTOR, lambda x, y: math.hypot(x - px, y - py) <= dot),
    ]


def render(size):
    """Rows of (r, g, b, a) pixels, top row first."""
    shapes = layers(size)
    rows = []
    for row in range(size):
        line = []
        for column in range(size):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (column + (sx + 0.5) / SAMPLES) / size
                    y = (row + (sy + 0.5) / SAMPLES) / size
                    colour = None
                    for paint, inside in shapes:
                        if not inside(x, y):
                            if paint is None:
                                break
                            continue
                        if paint is None:
                            t = y
                            colour = tuple(TOP[i] + (BOTTOM[i] - TOP[i]) * t for i in range(3))
                        else:
                            colour = paint
                    if colour is not None:
                        r, g, b, a = r + colour[0], g + colour[1], b + colour[2], a + 1
            count = SAMPLES * SAMPLES
            if a:
                line.append((round(r / a), round(g / a), round(b / a), round(255 * a / count)))
            else:
                line.append((0, 0, 0, 0))
        rows.append(line)
    return rows


def dib(rows):
    """32-bit bottom-up image with its 1-bit mask, as an icon entry holds it."""
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, 0, 0, 0, 0, 0)
    colour = b"".join(bytes((b, g, r, a)) for line in reversed(rows) for r, g, b, a in line)
    stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for line in reversed(rows):
        bits = bytearray(stride)
        for column, pixel in enumerate(line):
            if pixel[3] == 0:
                bits[column // 8] |= 0x80 >> (column % 8)
        mask += bits
    return header + colour + bytes(mask)


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for pixel in line for v in pixel) for line in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main():
    output = sys.argv[1] if len(sys.argv) > 1 else "tallimex.ico"
    images = [(size, png(render(size)) if size >= 256 else dib(render(size))) for size in SIZES]
    offset = 6 + 16 * len(images)
    directory = struct.pack("<HHH", 0, 1, len(images))
    data = b""
    for size, image in images:
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
        data += image
    with open(output, "wb") as file:
        file.write(directory + data)


if __name__ == "__main__":
    main()
