#!/usr/bin/python3
"""Draws the window and desktop icon: an open dictionary with an "A" on the
left page and a "Я" on the right one.

    /usr/bin/python3 tools/assets/make_icons.py [output-folder]

Writes trelvik-16.png and trelvik-32.png (at most 16 colours, for the window
title bar), trelvik-48/64/128/256.png (full colour, for desktop menus) and
trelvik.svg into assets/icons/ unless another folder is given. All of them
come from the one drawing below, described on a 256-unit canvas.
"""

import os
import sys

from PIL import Image, ImageDraw, ImageFont

CANVAS = 256
SUPERSAMPLE = 8

COVER = (32, 104, 72)
COVER_DARK = (20, 70, 48)
PAGE = (253, 251, 242)
PAGE_SHADE = (226, 222, 204)
OUTLINE = (28, 44, 36)
TEXT_LINE = (150, 160, 170)
LETTER = (24, 52, 110)
RIBBON = (196, 40, 40)

FONT_CANDIDATES = (
    "/usr/share/fonts/truetype/liberation/LiberationSerif-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf",
)


def curve(p0, p1, p2, steps=12):
    """Points of a quadratic Bezier curve, used for the bent page edges."""
    points = []
    for i in range(steps + 1):
        t = i / steps
        a, b, c = (1 - t) ** 2, 2 * (1 - t) * t, t ** 2
        points.append((a * p0[0] + b * p1[0] + c * p2[0],
                       a * p0[1] + b * p1[1] + c * p2[1]))
    return points


def page(outer_x, spine_x=128):
    """An open page between the spine and outer_x, its top and bottom edges
    bowed towards the spine as pages of a thick open book are."""
    top = curve((spine_x, 70), ((spine_x + outer_x) / 2, 46), (outer_x, 52))
    bottom = curve((outer_x, 198), ((spine_x + outer_x) / 2, 192),
                   (spine_x, 216))
    return top + bottom


def shapes(size):
    """The drawing for one output size, as (kind, data, fill) in canvas units.
    The bookmark ribbon only pays off from 48 pixels up."""
    items = [
        ("polygon", [(10, 66), (128, 84), (246, 66), (246, 222), (128, 240),
                     (10, 222)], COVER),
        ("polygon", [(128, 84), (246, 66), (246, 222), (128, 240)],
         COVER_DARK),
        ("polygon", page(22), PAGE),
        ("polygon", page(234), PAGE),
        # A soft shadow in the gutter makes the two pages read as a book
        # rather than as two sheets.
        ("polygon", [(128, 70), (116, 66), (116, 212), (128, 216)],
         PAGE_SHADE),
        ("polygon", [(128, 70), (140, 66), (140, 212), (128, 216)],
         PAGE_SHADE),
        ("line", [(128, 70), (128, 216)], OUTLINE),
    ]
    items.append(("text", (72, 102, "A", 84), LETTER))
    items.append(("text", (184, 102, "Я", 84), LETTER))
    # Lines on multiples of 8 units fall on whole pixels at 32 pixels.
    for i in range(3):
        y = 144 + 16 * i
        items.append(("rect", (40, y, 104, y + 8), TEXT_LINE))
        items.append(("rect", (152, y, 216, y + 8), TEXT_LINE))
    if size >= 48:
        items.append(("polygon", [(212, 50), (228, 50), (228, 112),
                                  (220, 102), (212, 112)], RIBBON))
    return items


def outline_width(size):
    """Outline width in canvas units: one output pixel at small sizes,
    about six units at the largest."""
    return max(CANVAS / size, 6.0)


def load_font(units):
    for path in FONT_CANDIDATES:
        if os.path.exists(path):
            return ImageFont.truetype(path, int(units * SUPERSAMPLE))
    sys.exit("make_icons: no Liberation Serif or DejaVu Serif font found")


def render(size):
    factor = size * SUPERSAMPLE / CANVAS
    big = Image.new("RGBA", (size * SUPERSAMPLE,) * 2, (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    stroke = max(1, round(outline_width(size) * factor))

    def pt(p):
        return (p[0] * factor, p[1] * factor)

    for kind, data, fill in shapes(size):
        if kind == "polygon":
            draw.polygon([pt(p) for p in data], fill=fill, outline=OUTLINE,
                         width=stroke)
        elif kind == "line":
            draw.line([pt(p) for p in data], fill=fill, width=stroke)
        elif kind == "rect":
            x0, y0, x1, y1 = data
            draw.rectangle((*pt((x0, y0)), *pt((x1, y1))), fill=fill)
        elif kind == "text":
            x, y, text, units = data
            font = load_font(units * size / CANVAS)
            draw.text(pt((x, y)), text, font=font, fill=fill, anchor="mm")
    return big.resize((size, size), Image.Resampling.LANCZOS)


def mix(a, b, share):
    return tuple(round(x + (y - x) * share) for x, y in zip(a, b))


# The title-bar palette: the drawing's own colours and the blends that its
# antialiased edges need most. A fixed palette keeps the letters blue; an
# adaptive one spends its few entries on the large page and cover areas.
SMALL_PALETTE = (
    COVER, COVER_DARK, PAGE, PAGE_SHADE, OUTLINE, TEXT_LINE, LETTER,
    mix(LETTER, PAGE, 1 / 3), mix(LETTER, PAGE, 2 / 3),
    mix(OUTLINE, PAGE, 0.5), mix(OUTLINE, COVER, 0.5),
    mix(TEXT_LINE, PAGE, 0.5), mix(PAGE_SHADE, OUTLINE, 0.5),
)


def limit_colours(image):
    """Reduces an RGBA icon to a palette image of at most 16 entries, one
    of them fully transparent. Edge pixels become either opaque or clear:
    half-transparent entries would cost colours the letters need more."""
    opaque = image.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    rgb = Image.new("RGB", image.size, PAGE)
    rgb.paste(image.convert("RGB"), mask=opaque)
    flat = [c for colour in SMALL_PALETTE for c in colour]
    palette_image = Image.new("P", (1, 1))
    palette_image.putpalette(flat + flat[:3] * (256 - len(SMALL_PALETTE)))
    reduced = rgb.quantize(palette=palette_image, dither=Image.Dither.NONE)
    clear = len(SMALL_PALETTE)
    pixels = [index if keep else clear
              for index, keep in zip(reduced.getdata(), opaque.getdata())]
    result = Image.new("P", image.size)
    result.putpalette(flat + [0, 0, 0])
    result.putdata(pixels)
    result.info["transparency"] = clear
    return result


# At 16 pixels a drawn book turns to mush, so the smallest icon is set by
# hand, one character a pixel.
PIXELS_16 = (
    "................",
    "................",
    ".KKKK......KKKK.",
    ".KWWWKK..KKWWWK.",
    "GKWWWWWKKWWWWWKD",
    "GKWBBBWKKWBBBWKD",
    "GKWWWWWKKWWWWWKD",
    "GKWLLLWKKWLLLWKD",
    "GKWWWWWKKWWWWWKD",
    "GKWLLLWKKWLLLWKD",
    "GKWWWWWKKWWWWWKD",
    "GKWLLWWKKWLLWWKD",
    "GKWWWWWKKWWWWWKD",
    "GKKKKWWKKWWKKKKD",
    "GGGGGKKKKKKDDDDD",
    ".GGGGGGKKDDDDDD.",
)
PIXEL_COLOURS = {"K": OUTLINE, "W": PAGE, "B": LETTER, "L": TEXT_LINE,
                 "G": COVER, "D": COVER_DARK}


def pixel_icon():
    icon = Image.new("RGBA", (16, 16), (0, 0, 0, 0))
    for y, row in enumerate(PIXELS_16):
        for x, key in enumerate(row):
            if key != ".":
                icon.putpixel((x, y), PIXEL_COLOURS[key] + (255,))
    return icon


def svg(path):
    size = CANVAS
    out = ['<?xml version="1.0" encoding="UTF-8"?>',
           f'<svg xmlns="http://www.w3.org/2000/svg" width="{size}" '
           f'height="{size}" viewBox="0 0 {size} {size}">']

    def colour(c):
        return "#%02x%02x%02x" % c

    stroke = outline_width(size)
    for kind, data, fill in shapes(size):
        if kind == "polygon":
            pts = " ".join(f"{x:.1f},{y:.1f}" for x, y in data)
            out.append(f'  <polygon points="{pts}" fill="{colour(fill)}" '
                       f'stroke="{colour(OUTLINE)}" stroke-width="{stroke:g}" '
                       'stroke-linejoin="round"/>')
        elif kind == "line":
            (x0, y0), (x1, y1) = data
            out.append(f'  <line x1="{x0}" y1="{y0}" x2="{x1}" y2="{y1}" '
                       f'stroke="{colour(fill)}" stroke-width="{stroke:g}"/>')
        elif kind == "rect":
            x0, y0, x1, y1 = data
            out.append(f'  <rect x="{x0:g}" y="{y0:g}" width="{x1 - x0:g}" '
                       f'height="{y1 - y0:g}" fill="{colour(fill)}" '
                       'stroke="none"/>')
        elif kind == "text":
            x, y, text, units = data
            # Baseline placed by hand: not every renderer knows
            # dominant-baseline, and capitals are about 0.7 em tall.
            baseline = y + 0.35 * units
            out.append(f'  <text x="{x}" y="{baseline:g}" font-family='
                       '"Liberation Serif, DejaVu Serif, serif" '
                       f'font-weight="bold" font-size="{units}" '
                       f'fill="{colour(fill)}" stroke="none" '
                       'text-anchor="middle">'
                       f'{text}</text>')
    out.append("</svg>")
    with open(path, "w", encoding="utf-8") as f:
        f.write("\n".join(out) + "\n")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.join(here, "..", "..", "assets", "icons")
    out_dir = os.path.abspath(argv[1] if len(argv) > 1 else default_out)
    os.makedirs(out_dir, exist_ok=True)
    for size in (16, 32, 48, 64, 128, 256):
        icon = pixel_icon() if size == 16 else render(size)
        if size <= 32:
            icon = limit_colours(icon)
        path = os.path.join(out_dir, f"trelvik-{size}.png")
        icon.save(path, format="PNG", optimize=True)
        print(path)
    path = os.path.join(out_dir, "trelvik.svg")
    svg(path)
    print(path)


if __name__ == "__main__":
    main(sys.argv)
