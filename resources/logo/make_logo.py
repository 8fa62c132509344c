#!/usr/bin/env python3
"""Draws Tarnwick's logo, 1100 x 591 RGBA, into logo.png beside this script.

A page of text lines on a dark card, some words marked with translucent rounded boxes in
the plugin's highlight colours, and a magnifying glass over them. Standard library only.
"""
import math
import struct
import zlib
from pathlib import Path

WIDTH, HEIGHT = 1100, 591
CARD = (40, 20, 1060, 571, 48)          # left, top, right, bottom, corner radius
CARD_COLOUR = (32, 41, 56)
LINE_COLOUR = (150, 162, 180)
# The highlight palette, red-green-blue.
PALETTE = [(255, 255, 0), (0, 255, 128), (0, 200, 255), (255, 165, 0), (255, 105, 180),
           (173, 216, 230), (144, 238, 144), (255, 182, 193), (221, 160, 221), (240, 230, 140)]
# Text lines: (y, [(x0, x1, palette index or None), ...])
LINES = [
    (90, [(100, 260, None), (285, 420, 0), (445, 640, None)]),
    (160, [(100, 190, None), (215, 400, 2), (425, 560, None), (585, 700, None)]),
    (230, [(100, 330, None), (355, 470, 4), (495, 610, None)]),
    (300, [(100, 220, 0), (245, 420, None), (445, 560, None)]),
    (370, [(100, 280, None), (305, 430, 6), (455, 620, None)]),
    (440, [(100, 200, None), (225, 390, None), (415, 530, 3)]),
    (510, [(100, 310, None), (335, 480, 8)]),
]
LENS = (800, 300, 170, 26)              # centre x, centre y, radius, ring width
HANDLE = ((920, 420), (1010, 520), 22)  # from, to, half width


def inside_rounded(x, y, left, top, right, bottom, radius):
    if not (left <= x < right and top <= y < bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def blend(under, over, alpha):
    return tuple(round(u + (o - u) * alpha) for u, o in zip(under, over))


def distance_to_segment(px, py, a, b):
    (ax, ay), (bx, by) = a, b
    t = ((px - ax) * (bx - ax) + (py - ay) * (by - ay)) / ((bx - ax) ** 2 + (by - ay) ** 2)
    t = max(0.0, min(1.0, t))
    return math.hypot(px - (ax + t * (bx - ax)), py - (ay + t * (by - ay)))


def pixel(x, y):
    if not inside_rounded(x, y, *CARD):
        return (0, 0, 0, 0)
    colour = CARD_COLOUR
    for line_y, words in LINES:
        for x0, x1, mark in words:
            if mark is not None and inside_rounded(x, y, x0 - 10, line_y - 24, x1 + 10, line_y + 24, 12):
                colour = blend(colour, PALETTE[mark], 0.55)
            if inside_rounded(x, y, x0, line_y - 8, x1, line_y + 8, 8):
                colour = blend(colour, LINE_COLOUR, 0.9)
    cx, cy, radius, ring = LENS
    d = math.hypot(x - cx, y - cy)
    if d < radius - ring:
        colour = blend(colour, (255, 255, 255), 0.12)
    elif d < radius:
        colour = (236, 240, 245)
    if distance_to_segment(x, y, HANDLE[0], HANDLE[1]) < HANDLE[2]:
        colour = (236, 240, 245)
    return colour + (255,)


def png(width, height, rows):
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))
    raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in rows)
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8 bits, RGBA
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


if __name__ == "__main__":
    rows = [[pixel(x, y) for x in range(WIDTH)] for y in range(HEIGHT)]
    (Path(__file__).with_name("logo.png")).write_bytes(png(WIDTH, HEIGHT, rows))
