#!/usr/bin/python3
"""Draws the three on-screen keyboard pictures of the main window.

    /usr/bin/python3 tools/assets/make_keyboards.py [output-folder]

Writes klav1ru.gif, klav1sv.gif and klav1en.gif (400 x 137 pixels, an
8-colour palette) into assets/keyboards/ unless another folder is given.
The click areas of the main window are placed by fixed coordinates, so the
key cells below must stay where they are; only the look inside a cell is
free.
"""

import os
import sys

from PIL import Image, ImageDraw, ImageFont

WIDTH, HEIGHT = 400, 137
# Everything is drawn at this multiple and scaled down, which gives smooth
# rounded corners and an even arrow without relying on antialiased lines.
SCALE = 4

# Key cells in picture pixels (left, top, width, height). The columns are
# not evenly spaced: they follow the window's twip grid, 495 twips a key.
COLUMNS = (0, 33, 67, 100, 134, 167, 200, 234, 267, 301, 334, 367)
ROWS = (0, 33, 67, 104)
KEY = 33
DELETE_ALL = (334, 67, 65, 33)
SPACE = (0, 104, 297, 33)
BACKSPACE = (296, 104, 105, 33)   # runs one pixel past the edge; clipped

# The palette, in index order. Every pixel of the result is one of these,
# so the text antialiasing is limited to the two intermediate greys.
WINDOW_GREEN = (178, 202, 178)   # the window behind the picture
BORDER = (52, 74, 56)
FACE = (250, 252, 246)
FACE_SHADE = (222, 232, 220)     # lower lip of a key, gives a little depth
BLANK_FACE = (202, 216, 201)     # keys that type nothing
INK = (22, 38, 26)
INK_MID = (112, 128, 114)
INK_LIGHT = (176, 188, 176)
PALETTE = (WINDOW_GREEN, BORDER, FACE, FACE_SHADE, BLANK_FACE,
           INK, INK_MID, INK_LIGHT)

LAYOUTS = {
    "klav1ru": ("ЙЦУКЕНГШЩЗХЪ", "ФЫВАПРОЛДЖЭ ", " ЯЧСМИТЬБЮ"),
    "klav1sv": ("QWERTYUIOPÅ ", "ASDFGHJKLÖÄ ", " ZXCVBNM  "),
    "klav1en": ("QWERTYUIOP  ", "ASDFGHJKL   ", " ZXCVBNM  "),
}

FONT_CANDIDATES = (
    "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
)


def load_font(pixels):
    for path in FONT_CANDIDATES:
        if os.path.exists(path):
            return ImageFont.truetype(path, pixels * SCALE)
    sys.exit("make_keyboards: no Liberation Sans or DejaVu Sans font found "
             "(install fonts-liberation or fonts-dejavu-core)")


def s(value):
    return value * SCALE


def draw_key(draw, cell, blank=False):
    """Draws one key inside its cell, leaving a one-pixel margin so that
    neighbouring keys stand apart."""
    left, top, width, height = cell
    right = min(left + width, WIDTH) - 1
    x0, y0 = s(left + 1), s(top + 1)
    x1, y1 = s(right) - 1, s(top + height - 1) - 1
    radius = s(3)
    face = BLANK_FACE if blank else FACE
    draw.rounded_rectangle((x0, y0, x1, y1), radius, fill=BORDER)
    inner = (x0 + s(1), y0 + s(1), x1 - s(1), y1 - s(1))
    draw.rounded_rectangle(inner, radius - s(1), fill=FACE_SHADE if not blank
                           else BLANK_FACE)
    # The face stops a few pixels short of the bottom so the shade shows
    # as a lip, as on a physical key.
    lip = 0 if blank else s(3)
    draw.rounded_rectangle((inner[0], inner[1], inner[2], inner[3] - lip),
                           radius - s(1), fill=face)


def key_centre(cell):
    left, top, width, height = cell
    right = min(left + width, WIDTH)
    # Centre over the face, which sits above the lip.
    return s(left + right) / 2, s(top + top + height - 2) / 2


def draw_label(draw, cell, text, font):
    draw.text(key_centre(cell), text, font=font, fill=INK, anchor="mm")


def draw_backspace_arrow(draw, cell):
    cx, cy = key_centre(cell)
    half_len, head, shaft = s(20), s(8), s(2)
    tip = cx - half_len
    draw.polygon([(tip, cy), (tip + head, cy - head), (tip + head, cy + head)],
                 fill=INK)
    draw.rectangle((tip + head - s(1), cy - shaft, cx + half_len, cy + shaft),
                   fill=INK)


def render(rows):
    big = Image.new("RGB", (s(WIDTH), s(HEIGHT)), WINDOW_GREEN)
    draw = ImageDraw.Draw(big)
    letter_font = load_font(16)
    small_font = load_font(11)

    for row_index, letters in enumerate(rows):
        for col, letter in enumerate(letters):
            cell = (COLUMNS[col], ROWS[row_index], KEY, KEY)
            draw_key(draw, cell, blank=(letter == " "))
            if letter != " ":
                draw_label(draw, cell, letter, letter_font)

    draw_key(draw, DELETE_ALL)
    draw_label(draw, DELETE_ALL, "Delete All", small_font)
    draw_key(draw, SPACE)
    draw_label(draw, SPACE, "Space", small_font)
    draw_key(draw, BACKSPACE)
    draw_backspace_arrow(draw, BACKSPACE)

    small = big.resize((WIDTH, HEIGHT), Image.Resampling.BOX)
    return to_palette(small)


def to_palette(image):
    """Maps every pixel to its nearest palette colour, without dithering:
    dither noise on flat key faces looks dirty at this size."""
    palette_image = Image.new("P", (1, 1))
    flat = [channel for colour in PALETTE for channel in colour]
    palette_image.putpalette(flat + list(PALETTE[0]) * (256 - len(PALETTE)))
    mapped = image.quantize(palette=palette_image, dither=Image.Dither.NONE)
    # Keep only the eight entries so the GIF's colour table has eight slots.
    mapped.putpalette(flat)
    return mapped


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    default_out = os.path.join(here, "..", "..", "assets", "keyboards")
    out_dir = os.path.abspath(argv[1] if len(argv) > 1 else default_out)
    os.makedirs(out_dir, exist_ok=True)
    for name, rows in LAYOUTS.items():
        picture = render(rows)
        path = os.path.join(out_dir, name + ".gif")
        picture.save(path, format="GIF", optimize=False, interlace=False)
        print(path)


if __name__ == "__main__":
    main(sys.argv)
