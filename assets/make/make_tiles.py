#!/usr/bin/env python3
"""Draws the three tile sets shipped for the "Tile Set" menu with ImageMagick:
assets/tilesets/Gems.bmp, assets/tilesets/Candy.bmp and
assets/tilesets/Shapes.bmp, each 7 piece then 5 bonus pictures of 48 x 48 in one 576 x 48 row, as 24-bit bitmaps. (The built-in
set is drawn by make_board_pictures.sh.)

Every picture is drawn on black. Bonus pictures are laid over a piece with
black as the transparent colour, so their own dark parts use dark grey, and
they leave most of the piece's colour in sight.
"""
import math
import os
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.normpath(os.path.join(HERE, ".."))
S = 48

# light, main and dark shade of each piece colour, in board-code order.
COLOURS = {
    "yellow": ("#fff7a8", "#f5d000", "#8a6e00"),
    "green": ("#c0ffb8", "#34c234", "#0e5a0e"),
    "orange": ("#ffdcaa", "#ff8c00", "#8f4000"),
    "purple": ("#ecc4ff", "#9434d4", "#48106a"),
    "red": ("#ffb4b4", "#e02424", "#720000"),
}
ORDER = ["yellow", "green", "orange", "purple", "red"]


def im(*args):
    subprocess.run(["convert", *args], check=True)


def masked(out, fill_args, shape_draw):
    """fill_args paint a 48 x 48 picture; shape_draw cuts it out over black."""
    im("(", *fill_args, ")",
       "(", "-size", f"{S}x{S}", "xc:black", "-fill", "white", "-draw", shape_draw, ")",
       "-alpha", "off", "-compose", "CopyOpacity", "-composite",
       "-compose", "over", "-background", "black", "-flatten", out)


def draw_on(src, out, *draw_args):
    im(src, *draw_args, out)


def shaded(light, dark, size=72, off=14):
    """A radial shade whose bright spot sits up and left of the middle."""
    return ["-size", f"{size}x{size}", f"radial-gradient:{light}-{dark}",
            "-crop", f"{S}x{S}+{off}+{off}", "+repage"]


def wedges(cx, cy, r, colours):
    """Draw commands for pie slices of the given colours around (cx, cy)."""
    cmds = []
    n = len(colours)
    for i, c in enumerate(colours):
        a0 = 2 * math.pi * i / n - math.pi / 2
        a1 = 2 * math.pi * (i + 1) / n - math.pi / 2
        x0, y0 = cx + r * math.cos(a0), cy + r * math.sin(a0)
        x1, y1 = cx + r * math.cos(a1), cy + r * math.sin(a1)
        cmds += ["-fill", c, "-draw",
                 f"path 'M {cx},{cy} L {x0:.1f},{y0:.1f} A {r},{r} 0 0,1 {x1:.1f},{y1:.1f} Z'"]
    return cmds


# ---------------------------------------------------------------- bonuses
def bonus_debris(out, colour):
    cmds = ["-size", f"{S}x{S}", "xc:black", "-fill", colour]
    for x, y in [(12, 14), (34, 10), (38, 33), (15, 36), (24, 24), (28, 16), (18, 27)]:
        cmds += ["-draw", f"rectangle {x},{y} {x + 2},{y + 2}"]
    im(*cmds, out)


def bonus_transport(out, colour):
    # Two thin arcs with arrow heads, each a light line on a dark edge, so
    # the piece's own colour shows between and around them.
    # (ImageMagick fills the chord of an arc stroked wider than 2, so the
    # dark edge is two thin arcs either side of the light one.)
    def arc(a0, a1, r):
        x0, y0 = 24 + r * math.cos(math.radians(a0)), 24 + r * math.sin(math.radians(a0))
        x1, y1 = 24 + r * math.cos(math.radians(a1)), 24 + r * math.sin(math.radians(a1))
        return f"path 'M {x0:.1f},{y0:.1f} A {r},{r} 0 0,1 {x1:.1f},{y1:.1f}'"
    cmds = ["-size", f"{S}x{S}", "xc:black", "-fill", "none"]
    for stroke, r in (("#303030", 13), ("#303030", 17), (colour, 15)):
        cmds += ["-stroke", stroke, "-strokewidth", "2", "-draw", arc(200, 330, r), "-draw", arc(20, 150, r)]
    cmds += ["-stroke", "#303030", "-strokewidth", "1", "-fill", colour,
             "-draw", "polygon 38,13 41,25 30,20", "-draw", "polygon 10,35 7,23 18,28"]
    im(*cmds, out)


def bonus_bomb(out, body, spark):
    im("-size", f"{S}x{S}", "xc:black",
       "-fill", body, "-draw", "circle 22,28 22,16",
       "-fill", "#70707c", "-draw", "ellipse 18,23 4,3 0,360",
       "-fill", "#5c4a30", "-draw", "rectangle 27,14 32,18",
       "-fill", "none", "-stroke", "#c8a060", "-strokewidth", "2", "-draw", "bezier 30,15 33,8 38,10 39,6",
       "-stroke", "none", "-fill", spark, "-draw", "polygon 39,1 40.5,4.5 44,6 40.5,7.5 39,11 37.5,7.5 34,6 37.5,4.5",
       out)


def bonus_bomb_corner(out, body, spark):
    """A small bomb in the lower right corner, beside the gem's face."""
    im("-size", f"{S}x{S}", "xc:black",
       "-fill", "#c8c8d0", "-draw", "circle 37,38 37,29",
       "-fill", body, "-draw", "circle 37,38 37,30",
       "-fill", "#70707c", "-draw", "ellipse 34,35 2,1.5 0,360",
       "-fill", "#5c4a30", "-draw", "rectangle 40,28 43,31",
       "-fill", "none", "-stroke", "#c8a060", "-strokewidth", "1.5", "-draw", "bezier 42,29 44,25 46,26 46,23",
       "-stroke", "none", "-fill", spark, "-draw", "polygon 45,17 46,20 47,21 46,22 45,25 44,22 43,21 44,20",
       out)


def bonus_multiplier_corner(out, text, fill, stroke):
    """The factor small in the lower right corner, beside the gem's face."""
    im("-size", f"{S}x{S}", "xc:black", "-font", "DejaVu-Sans-Bold", "-pointsize", "14",
       "-gravity", "southeast", "-fill", fill, "-stroke", stroke, "-strokewidth", "2",
       "-annotate", "+1+0", text, "-stroke", "none", "-annotate", "+1+0", text, out)


def bonus_transport_edges(out, colour):
    """Two thin opposed arrows along the top and bottom edges."""
    im("-size", f"{S}x{S}", "xc:black", "-stroke", "#303030", "-strokewidth", "1", "-fill", colour,
       "-draw", "polygon 6,3 34,3 34,0.5 42,4.5 34,8.5 34,6 6,6",
       "-draw", "polygon 42,42 14,42 14,39.5 6,43.5 14,47.5 14,45 42,45", out)


def bonus_multiplier(out, text, fill, stroke):
    im("-size", f"{S}x{S}", "xc:black", "-font", "DejaVu-Sans-Bold", "-pointsize", "24",
       "-gravity", "center", "-fill", fill, "-stroke", stroke, "-strokewidth", "2",
       "-annotate", "+0+1", text, "-stroke", "none", "-annotate", "+0+1", text, out)


# ---------------------------------------------------------------- gems
def gem(out, shades):
    light, main, dark = shades
    im("-size", f"{S}x{S}", "xc:black",
       "-fill", dark, "-draw", "polygon 24,3 44,18 36,44 12,44 4,18",
       "-fill", main, "-draw", "polygon 24,9 38,19 32,39 16,39 10,19",
       "-fill", light, "-draw", "polygon 24,9 38,19 24,22 10,19",
       "-fill", "rgba(255,255,255,0.7)", "-draw", "polygon 20,12 24,10 26,16 19,17", out)


def gem_wild(out):
    cols = [COLOURS[c][1] for c in ORDER]
    im("-size", f"{S}x{S}", "xc:black",
       "-fill", cols[0], "-draw", "polygon 24,24 24,3 44,18",
       "-fill", cols[1], "-draw", "polygon 24,24 44,18 36,44",
       "-fill", cols[2], "-draw", "polygon 24,24 36,44 12,44",
       "-fill", cols[3], "-draw", "polygon 24,24 12,44 4,18",
       "-fill", cols[4], "-draw", "polygon 24,24 4,18 24,3",
       "-fill", "rgba(255,255,255,0.7)", "-draw", "polygon 20,12 24,10 26,16 19,17", out)


def gem_blasted(out):
    im("-size", f"{S}x{S}", "xc:#141c24", "-fill", "none", "-stroke", "#28384a",
       "-draw", "polygon 24,3 44,18 36,44 12,44 4,18", out)


# ---------------------------------------------------------------- candy
def candy(out, shades):
    light, main, dark = shades
    masked(out, shaded(light, dark, 80, 6), "roundrectangle 4,4 43,43 10,10")
    draw_on(out, out,
            "-stroke", "rgba(255,255,255,0.35)", "-strokewidth", "4",
            "-draw", "line 8,30 30,8", "-draw", "line 16,40 40,16",
            "-stroke", dark, "-strokewidth", "1", "-fill", "none",
            "-draw", "roundrectangle 4,4 43,43 10,10")


def candy_wild(out):
    cols = [COLOURS[c][1] for c in ORDER]
    cmds = ["-size", f"{S}x{S}", "xc:black"]
    # Five diagonal bands x + y = u, even across the rounded face (u 16 ... 80).
    edges = [-50] + [16 + 64 * k / 5 for k in range(1, 5)] + [150]
    for i, c in enumerate(cols):
        u0, u1 = edges[i], edges[i + 1]
        cmds += ["-fill", c, "-draw",
                 f"polygon {u0:.1f},0 {u1:.1f},0 {u1 - 48:.1f},48 {u0 - 48:.1f},48"]
    masked(out, cmds, "roundrectangle 4,4 43,43 10,10")
    draw_on(out, out, "-stroke", "#f8f8f8", "-strokewidth", "1", "-fill", "none",
            "-draw", "roundrectangle 4,4 43,43 10,10")


def candy_blasted(out):
    im("-size", f"{S}x{S}", "xc:#201418", "-fill", "#2c1c22",
       "-draw", "roundrectangle 4,4 43,43 10,10", out)


# ---------------------------------------------------------------- shapes
# For players who tell some colours apart poorly: every kind has a shape of its
# own as well as a colour, and the colours are the Okabe-Ito palette, which
# stays distinct under the common colour-vision deficiencies. Each shape has a
# white rim on black, so it also reads by outline in grey.
OKABE_ITO = {
    "yellow": "#f0e442",
    "green": "#009e73",
    "orange": "#e69f00",
    "purple": "#cc79a7",
    "red": "#d55e00",
}


def star_points(cx, cy, outer, inner, n=5):
    pts = []
    for k in range(2 * n):
        r = outer if k % 2 == 0 else inner
        a = math.pi * k / n - math.pi / 2
        pts.append(f"{cx + r * math.cos(a):.1f},{cy + r * math.sin(a):.1f}")
    return " ".join(pts)


SHAPES = {
    "yellow": "circle 24,24 24,5",
    "green": "polygon 24,4 44,41 4,41",
    "orange": "rectangle 6,6 41,41",
    "purple": "polygon 24,2 46,24 24,46 2,24",
    "red": "polygon " + star_points(24, 26, 23, 10),
}


def shape(out, kind):
    im("-size", f"{S}x{S}", "xc:black", "-fill", OKABE_ITO[kind], "-stroke", "white",
       "-strokewidth", "2", "-draw", SHAPES[kind], out)


def shape_wild(out):
    # A plus sign, a shape no kind has, cut in the five colours.
    plus = "polygon 17,3 31,3 31,17 45,17 45,31 31,31 31,45 17,45 17,31 3,31 3,17 17,17"
    cmds = ["-size", f"{S}x{S}", "xc:black"] + wedges(24, 24, 34, [OKABE_ITO[c] for c in ORDER])
    masked(out, cmds, plus)
    draw_on(out, out, "-stroke", "white", "-strokewidth", "2", "-fill", "none", "-draw", plus)


def shape_blasted(out):
    im("-size", f"{S}x{S}", "xc:#101010", "-fill", "none", "-stroke", "#404040",
       "-strokewidth", "1", "-draw", "line 8,8 40,40", "-draw", "line 40,8 8,40", out)


# ---------------------------------------------------------------- sets
def strip(paths, out):
    im(*paths, "+append", "-type", "TrueColor", "-alpha", "off", f"BMP3:{out}")


def main():
    os.makedirs(os.path.join(ASSETS, "tilesets"), exist_ok=True)
    with tempfile.TemporaryDirectory() as tmp:
        p = lambda name: os.path.join(tmp, name + ".png")

        gem_blasted(p("g0"))
        for i, c in enumerate(ORDER):
            gem(p(f"g{i + 1}"), COLOURS[c])
        gem_wild(p("g6"))
        bonus_debris(p("y0"), "#4080c0")
        # The gem's colour is in its middle: the bonuses keep to the edges.
        bonus_transport_edges(p("y1"), "#a0ff60")
        bonus_bomb_corner(p("y2"), "#402020", "#ff6020")
        bonus_multiplier_corner(p("y3"), "2x", "#80ffff", "#004060")
        bonus_multiplier_corner(p("y4"), "3x", "#ff80ff", "#500050")
        strip([p(f"g{i}") for i in range(7)] + [p(f"y{i}") for i in range(5)],
              os.path.join(ASSETS, "tilesets", "Gems.bmp"))

        candy_blasted(p("c0"))
        for i, c in enumerate(ORDER):
            candy(p(f"c{i + 1}"), COLOURS[c])
        candy_wild(p("c6"))
        bonus_debris(p("z0"), "#e0a0c0")
        bonus_transport(p("z1"), "#ffffff")
        bonus_bomb(p("z2"), "#3c2c44", "#ff80c0")
        bonus_multiplier(p("z3"), "2x", "#ffe0f0", "#c04080")
        bonus_multiplier(p("z4"), "3x", "#fff0a0", "#c06000")
        strip([p(f"c{i}") for i in range(7)] + [p(f"z{i}") for i in range(5)],
              os.path.join(ASSETS, "tilesets", "Candy.bmp"))

        shape_blasted(p("s0"))
        for i, c in enumerate(ORDER):
            shape(p(f"s{i + 1}"), c)
        shape_wild(p("s6"))
        bonus_debris(p("w0"), "#56b4e9")
        bonus_transport_edges(p("w1"), "#ffffff")
        # As on the gems, the shape's colour is in its middle: the bonuses keep to the edges.
        bonus_bomb_corner(p("w2"), "#303030", "#f0e442")
        bonus_multiplier_corner(p("w3"), "2x", "#56b4e9", "#002040")
        bonus_multiplier_corner(p("w4"), "3x", "#ffffff", "#0072b2")
        strip([p(f"s{i}") for i in range(7)] + [p(f"w{i}") for i in range(5)],
              os.path.join(ASSETS, "tilesets", "Shapes.bmp"))


if __name__ == "__main__":
    main()
