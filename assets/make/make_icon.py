#!/usr/bin/env python3
"""Draws the game's desktop icon: packaging/icons/gloopdash.svg and the same
picture as 48, 128 and 256 pixel PNGs (packaging/icons/gloopdash-<size>.png).

Four shaded gloops in the board's colours on a dark rounded square, joined by
the white trail a chain of picks leaves. The PNGs are drawn here from the same
shapes as the SVG (4 x 4 samples per pixel), so no SVG renderer is needed.
Deterministic: the same script gives the same files.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "..", "packaging", "icons"))
VIEW = 256.0  # the SVG's own units; every shape below is in them

BACK_TOP, BACK_BOTTOM = (0x1c, 0x1c, 0x5a), (0x06, 0x06, 0x1e)
CORNER = 44.0
# centre x, centre y, radius, light, main, dark shade (as in the tile sets)
GLOOPS = [
    (84, 86, 46, (0xff, 0xf7, 0xa8), (0xf5, 0xd0, 0x00), (0x8a, 0x6e, 0x00)),
    (174, 84, 44, (0xc0, 0xff, 0xb8), (0x34, 0xc2, 0x34), (0x0e, 0x5a, 0x0e)),
    (86, 174, 44, (0xec, 0xc4, 0xff), (0x94, 0x34, 0xd4), (0x48, 0x10, 0x6a)),
    (172, 172, 46, (0xff, 0xb4, 0xb4), (0xe0, 0x24, 0x24), (0x72, 0x00, 0x00)),
]
TRAIL = [(84, 86), (174, 84), (172, 172)]  # the trail runs through these centres
TRAIL_WIDTH = 14.0


def hexc(c):
    return "#%02x%02x%02x" % c


def svg():
    parts = [
        '<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 256 256">',
        "<defs>",
        '<linearGradient id="back" x1="0" y1="0" x2="0" y2="1">'
        f'<stop offset="0" stop-color="{hexc(BACK_TOP)}"/><stop offset="1" stop-color="{hexc(BACK_BOTTOM)}"/>'
        "</linearGradient>",
    ]
    for i, (_, _, _, light, main, dark) in enumerate(GLOOPS):
        parts.append(
            f'<radialGradient id="g{i}" cx="0.35" cy="0.3" r="0.75">'
            f'<stop offset="0" stop-color="{hexc(light)}"/><stop offset="0.45" stop-color="{hexc(main)}"/>'
            f'<stop offset="1" stop-color="{hexc(dark)}"/></radialGradient>')
    parts.append("</defs>")
    parts.append(f'<rect x="4" y="4" width="248" height="248" rx="{CORNER:g}" fill="url(#back)"/>')
    for i, (x, y, r, *_rest) in enumerate(GLOOPS):
        parts.append(f'<circle cx="{x}" cy="{y}" r="{r}" fill="url(#g{i})"/>')
    points = " ".join(f"{x},{y}" for x, y in TRAIL)
    parts.append(f'<polyline points="{points}" fill="none" stroke="#ffffff" stroke-opacity="0.85" '
                 f'stroke-width="{TRAIL_WIDTH:g}" stroke-linecap="round" stroke-linejoin="round"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def mix(a, b, t):
    return tuple(a[k] + (b[k] - a[k]) * t for k in range(3))


def gloop_colour(g, x, y):
    cx, cy, r, light, main, dark = g
    # Focus of the shade, as the SVG's radial gradient puts it.
    fx, fy = cx - r + 0.35 * 2 * r, cy - r + 0.3 * 2 * r
    t = min(1.0, math.hypot(x - fx, y - fy) / (0.75 * 2 * r))
    return mix(light, main, t / 0.45) if t < 0.45 else mix(main, dark, (t - 0.45) / 0.55)


def inside_back(x, y):
    lo, hi = 4.0, 252.0
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    dx = max(lo + CORNER - x, 0, x - (hi - CORNER))
    dy = max(lo + CORNER - y, 0, y - (hi - CORNER))
    return dx * dx + dy * dy <= CORNER * CORNER


def segment_distance(px, py, a, b):
    (ax, ay), (bx, by) = a, b
    vx, vy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * vx + (py - ay) * vy) / (vx * vx + vy * vy)))
    return math.hypot(px - ax - t * vx, py - ay - t * vy)


def sample(x, y):
    """Colour and coverage (0 or 1) of one sample point, in SVG units."""
    if not inside_back(x, y):
        return (0, 0, 0), 0.0
    colour = mix(BACK_TOP, BACK_BOTTOM, (y - 4) / 248)
    for g in GLOOPS:
        if math.hypot(x - g[0], y - g[1]) <= g[2]:
            colour = gloop_colour(g, x, y)
    if min(segment_distance(x, y, TRAIL[i], TRAIL[i + 1]) for i in range(len(TRAIL) - 1)) <= TRAIL_WIDTH / 2:
        colour = mix(colour, (255, 255, 255), 0.85)
    return colour, 1.0


def raster(size, grid=4):
    scale = VIEW / size
    rows = []
    for py in range(size):
        row = bytearray([0])  # PNG filter: none
        for px in range(size):
            acc, cover = [0.0, 0.0, 0.0], 0.0
            for sy in range(grid):
                for sx in range(grid):
                    c, a = sample((px + (sx + 0.5) / grid) * scale, (py + (sy + 0.5) / grid) * scale)
                    cover += a
                    for k in range(3):
                        acc[k] += c[k] * a
            n = grid * grid
            if cover:
                row += bytes(round(acc[k] / cover) for k in range(3))
            else:
                row += b"\0\0\0"
            row.append(round(255 * cover / n))
        rows.append(bytes(row))
    return png(size, b"".join(rows))


def png(size, raw):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "gloopdash.svg"), "w") as f:
        f.write(svg())
    for size in (48, 128, 256):
        with open(os.path.join(OUT, f"gloopdash-{size}.png"), "wb") as f:
            f.write(raster(size))


if __name__ == "__main__":
    main()
