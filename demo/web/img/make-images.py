#!/usr/bin/env python3
"""Draws the demo's logo and user photo as PNG files (standard library only).

Run from anywhere: python3 demo/web/img/make-images.py
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = 4  # supersampling per axis, for smooth edges


def write_png(path, width, height, pixel):
    rows = []
    for y in range(height):
        row = bytearray([0])
        for x in range(width):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    r, g, b, a = pixel((x + (sx + 0.5) / SAMPLES) / width,
                                       (y + (sy + 0.5) / SAMPLES) / height)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SAMPLES * SAMPLES
            alpha = acc[3] / n
            if alpha > 0:
                row += bytes(int(round(c / acc[3])) for c in acc[:3])
            else:
                row += b"\0\0\0"
            row.append(int(round(alpha * 255)))
        rows.append(bytes(row))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
    png += chunk(b"IEND", b"")
    with open(path, "wb") as f:
        f.write(png)


def inside_rounded(x, y, x0, y0, x1, y1, r):
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1


def near_segment(x, y, ax, ay, bx, by, w):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
    px, py = ax + t * dx, ay + t * dy
    return (x - px) ** 2 + (y - py) ** 2 <= w * w


def logo(x, y):
    if not inside_rounded(x, y, 0.02, 0.02, 0.98, 0.98, 0.2):
        return (0, 0, 0, 0.0)
    # A white "K" of three strokes on a blue-to-teal square.
    if (near_segment(x, y, 0.34, 0.24, 0.34, 0.76, 0.07)
            or near_segment(x, y, 0.38, 0.52, 0.68, 0.24, 0.07)
            or near_segment(x, y, 0.45, 0.45, 0.70, 0.76, 0.07)):
        return (255, 255, 255, 1.0)
    return (int(24 + 20 * y), int(96 + 70 * x), int(200 - 40 * x), 1.0)


def user(x, y):
    if (x - 0.5) ** 2 + (y - 0.5) ** 2 > 0.48 ** 2:
        return (0, 0, 0, 0.0)
    head = (x - 0.5) ** 2 + (y - 0.40) ** 2 <= 0.17 ** 2
    body = (x - 0.5) ** 2 / 0.30 ** 2 + (y - 0.95) ** 2 / 0.32 ** 2 <= 1.0
    if head or body:
        return (245, 246, 250, 1.0)
    return (120, 140, 170, 1.0)


write_png(os.path.join(HERE, "logo.png"), 96, 96, logo)
write_png(os.path.join(HERE, "user.png"), 96, 96, user)
