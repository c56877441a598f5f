#!/usr/bin/env python3
"""Draws the 18 smiley pictures of the chat's smilies menu into assets/pictures/
(smiley00.png ... smiley17.png, 17 x 16, transparent around a yellow face).
Picture i stands for the smiley code 10 + i. Pure Python (zlib only); every
pixel is the average of 8 x 8 samples, so the output is the same on every run.
"""
import math
import os
import struct
import zlib

W, H = 17, 16
SUB = 8
CX, CY, R = 8.5, 8.0, 7.4

FACE_LIGHT = (255, 240, 110)
FACE_DARK = (236, 176, 0)
OUTLINE = (128, 84, 0)
FEATURE = (64, 36, 0)
WHITE = (255, 255, 255)
TONGUE = (232, 84, 96)
BLUSH = (255, 110, 100)
TEAR = (70, 150, 255)
GLASSES = (24, 24, 32)
HEART = (222, 24, 48)
ANGRY_LIGHT = (255, 190, 90)
ANGRY_DARK = (230, 100, 20)


# ---- shapes: functions (x, y) -> bool, in pixel units, y down ----------------
def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ellipse(cx, cy, rx, ry):
    return lambda x, y: ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) <= width / 2


def arc(cx, cy, r, width, start, end):
    """A stroke along the circle between two angles in degrees (0 = right,
    90 = down, since y grows downwards)."""
    def inside(x, y):
        if abs(math.hypot(x - cx, y - cy) - r) > width / 2:
            return False
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return start <= a <= end if start <= end else (a >= start or a <= end)
    return inside


def segment(x0, y0, x1, y1, width):
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - (x0 + t * dx), y - (y0 + t * dy)) <= width / 2
    return inside


def half_disc(cx, cy, r, lower=True):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r and ((y >= cy) == lower)


def heart(cx, cy, size):
    def inside(x, y):
        u, v = (x - cx) / size, -(y - cy) / size
        return (u * u + v * v - 1) ** 3 - u * u * v ** 3 <= 0
    return inside


def both(a, b):
    return lambda x, y: a(x, y) and b(x, y)


def either(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


# ---- layers --------------------------------------------------------------------
def face(light=FACE_LIGHT, dark=FACE_DARK):
    """The shaded yellow disc with its outline, lit from the upper left."""
    def colour(x, y):
        t = min(1.0, max(0.0, math.hypot(x - (CX - 3), y - (CY - 3)) / (2 * R)))
        return tuple(round(l + (d - l) * t) for l, d in zip(light, dark)) + (1.0,)
    return [(circle(CX, CY, R), colour), (ring(CX, CY, R - 0.35, 0.9), OUTLINE)]


def eyes(ry=1.5):
    return [(ellipse(6.0, 6.2, 0.95, ry), FEATURE), (ellipse(11.0, 6.2, 0.95, ry), FEATURE)]


def closed_eye(cx, up=True):
    return (arc(cx, 7.4 if up else 5.2, 1.6, 0.9, 200, 340) if up
            else arc(cx, 5.2, 1.6, 0.9, 20, 160), FEATURE)


SMILE = (arc(CX, 7.5, 4.3, 1.0, 25, 155), FEATURE)
FROWN = (arc(CX, 15.0, 4.3, 1.0, 215, 325), FEATURE)
OPEN_GRIN = [(half_disc(CX, 9.3, 4.4), FEATURE),
             (both(half_disc(CX, 9.3, 4.4), lambda x, y: y <= 10.8), WHITE)]


def smiley_layers():
    base = face()
    return [
        base + eyes() + [SMILE],                                               # smile
        base + eyes() + OPEN_GRIN,                                             # grin
        base + [(ellipse(6.0, 6.2, 0.95, 1.5), FEATURE),
                (segment(9.8, 6.6, 12.4, 6.0, 0.9), FEATURE), SMILE],           # wink
        base + eyes() + [FROWN],                                               # frown
        base + eyes(1.8) + [(ellipse(CX, 11.6, 1.7, 2.1), FEATURE)],           # surprise
        base + [(either(ellipse(5.7, 6.3, 2.3, 1.7), ellipse(11.3, 6.3, 2.3, 1.7),
                        segment(5.0, 5.2, 12.0, 5.2, 0.9)), GLASSES),
                (ellipse(5.0, 5.8, 0.6, 0.4), (200, 200, 220)), SMILE],        # sunglasses
        base + eyes() + [(ellipse(10.0, 12.6, 1.7, 2.0), TONGUE),
                         (segment(5.2, 10.8, 11.8, 10.8, 1.0), FEATURE)],      # tongue out
        base + eyes() + [(ellipse(4.4, 9.6, 1.8, 1.0), BLUSH + (0.75,)),
                         (ellipse(12.6, 9.6, 1.8, 1.0), BLUSH + (0.75,)),
                         (arc(CX, 8.6, 3.0, 0.9, 35, 145), FEATURE)],          # blushing
        base + [closed_eye(6.0, False), closed_eye(11.0, False), FROWN,
                (either(ellipse(4.6, 10.0, 0.9, 1.8), ellipse(12.4, 10.0, 0.9, 1.8)),
                 TEAR)],                                                       # crying
        base + [closed_eye(6.0), closed_eye(11.0)] + OPEN_GRIN,                # laughing
        base + eyes() + [(segment(5.4, 11.4, 11.6, 11.4, 1.0), FEATURE)],      # neutral
        face(ANGRY_LIGHT, ANGRY_DARK) + eyes(1.2)
        + [(segment(4.4, 3.8, 7.4, 5.0, 0.9), FEATURE),
           (segment(12.6, 3.8, 9.6, 5.0, 0.9), FEATURE), FROWN],               # angry
        base + eyes() + [(either(arc(6.9, 12.4, 1.6, 0.9, 180, 360),
                                 arc(10.1, 10.8, 1.6, 0.9, 0, 180)), FEATURE)],  # confused
        base + eyes() + [(ring(CX + 0.6, 11.4, 1.1, 0.9), FEATURE),
                         (heart(13.2, 4.2, 1.5), HEART)],                      # kiss
        base + [(segment(4.8, 6.6, 7.2, 6.6, 0.9), FEATURE),
                (segment(9.8, 6.6, 12.2, 6.6, 0.9), FEATURE),
                (ellipse(CX, 11.6, 1.0, 0.8), FEATURE)],                       # sleepy
        base + eyes() + [(arc(10.2, 7.0, 3.2, 1.0, 30, 110), FEATURE)],        # smirk
        base + eyes(1.2) + [(segment(4.4, 5.0, 7.4, 3.8, 0.9), FEATURE),
                            (segment(12.6, 5.0, 9.6, 3.8, 0.9), FEATURE)]
        + OPEN_GRIN,                                                            # cheeky
        base + [(heart(6.0, 6.2, 1.8), HEART), (heart(11.0, 6.2, 1.8), HEART),
                SMILE],                                                         # in love
    ]


# ---- rendering -------------------------------------------------------------------
def sample(layers, x, y):
    r = g = b = a = 0.0
    for shape, colour in layers:
        if not shape(x, y):
            continue
        c = colour(x, y) if callable(colour) else colour
        alpha = c[3] if len(c) > 3 else 1.0
        r, g, b = (r * (1 - alpha) + c[0] * alpha, g * (1 - alpha) + c[1] * alpha,
                   b * (1 - alpha) + c[2] * alpha)
        a = a * (1 - alpha) + alpha
    return r, g, b, a


def render(layers):
    rows = []
    for py in range(H):
        row = bytearray([0])  # PNG filter: none
        for px in range(W):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SUB):
                for sx in range(SUB):
                    r, g, b, a = sample(layers, px + (sx + 0.5) / SUB, py + (sy + 0.5) / SUB)
                    # Colours accumulate weighted by coverage (premultiplied).
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            n = SUB * SUB
            alpha = acc[3] / n
            if alpha > 0:
                row += bytes(min(255, round(acc[i] / acc[3])) for i in range(3))
            else:
                row += b"\0\0\0"
            row.append(round(alpha * 255))
        rows.append(bytes(row))
    return b"".join(rows)


def png(pixels):
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack(">IIBBBBB", W, H, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(pixels, 9)) + chunk(b"IEND", b""))


def main():
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "pictures")
    for i, layers in enumerate(smiley_layers()):
        with open(os.path.join(out, "smiley%02d.png" % i), "wb") as f:
            f.write(png(render(layers)))


if __name__ == "__main__":
    main()
