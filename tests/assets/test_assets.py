"""Checks the files that ship beside the program: keyboard pictures, icons,
the resource file, the voice examples and the help page.

Run from the project root:  python3 -m unittest tests/assets/test_assets.py
Standard library only, so it runs wherever CTest does.
"""

import os
import re
import struct
import unittest
import wave
import xml.etree.ElementTree as ET

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
WINDOW_GREEN = (178, 202, 178)


def path(*parts):
    return os.path.join(ROOT, *parts)


def read_bytes(file_name):
    with open(file_name, "rb") as f:
        return f.read()


def read_gif(file_name):
    """Decodes the first image of a GIF into (width, height, palette, pixels)
    with pixels a list of palette indices, row by row."""
    data = read_bytes(file_name)
    if data[:6] not in (b"GIF87a", b"GIF89a"):
        raise ValueError("not a GIF")
    width, height, packed = struct.unpack("<HHB", data[6:11])
    pos = 13
    palette = []
    if packed & 0x80:
        entries = 2 << (packed & 7)
        raw = data[pos:pos + 3 * entries]
        palette = [tuple(raw[i:i + 3]) for i in range(0, len(raw), 3)]
        pos += 3 * entries
    while data[pos] == 0x21:                      # skip extension blocks
        pos += 2
        while data[pos]:
            pos += data[pos] + 1
        pos += 1
    if data[pos] != 0x2C:
        raise ValueError("no image descriptor")
    left, top, w, h, flags = struct.unpack("<HHHHB", data[pos + 1:pos + 10])
    if (left, top, w, h) != (0, 0, width, height) or flags & 0xC0:
        raise ValueError("expected one full-size, non-interlaced image")
    pos += 10
    min_code = data[pos]
    pos += 1
    stream = bytearray()
    while data[pos]:
        stream += data[pos + 1:pos + 1 + data[pos]]
        pos += data[pos] + 1
    return width, height, palette, lzw_decode(bytes(stream), min_code)


def lzw_decode(stream, min_code):
    clear, end = 1 << min_code, (1 << min_code) + 1
    size = min_code + 1
    table = [bytes([i]) for i in range(clear)] + [b"", b""]
    out = bytearray()
    previous = None
    bit_pos = 0
    total_bits = len(stream) * 8
    while bit_pos + size <= total_bits:
        code = int.from_bytes(stream[bit_pos // 8:bit_pos // 8 + 3],
                              "little") >> (bit_pos % 8) & ((1 << size) - 1)
        bit_pos += size
        if code == clear:
            table = table[:end + 1]
            size = min_code + 1
            previous = None
            continue
        if code == end:
            break
        if code < len(table):
            entry = table[code]
            if previous is not None:
                table.append(previous + entry[:1])
        else:
            entry = previous + previous[:1]
            table.append(entry)
        out += entry
        previous = entry
        if len(table) == (1 << size) and size < 12:
            size += 1
    return list(out)


# Key cells of the pictures in pixels, as the main window's click areas
# expect them (columns and rows of the twip grid, 15 twips a pixel).
COLUMNS = (0, 33, 67, 100, 134, 167, 200, 234, 267, 301, 334, 367)
ROWS = (0, 33, 67)
WIDE_KEYS = {"Delete All": (334, 67, 65), "Space": (0, 104, 297),
             "left arrow": (296, 104, 104)}


class KeyboardPictureTest(unittest.TestCase):
    NAMES = ("klav1ru", "klav1sv", "klav1en")

    def test_size_and_palette(self):
        for name in self.NAMES:
            with self.subTest(name):
                width, height, palette, pixels = read_gif(
                    path("assets", "keyboards", name + ".gif"))
                self.assertEqual((width, height), (400, 137))
                self.assertEqual(len(palette), 8)
                self.assertEqual(len(pixels), width * height)

    def test_every_key_cell_holds_a_key(self):
        # The click areas are fixed; a picture drawn off this grid would put
        # letters under the wrong click area.
        for name in self.NAMES:
            width, _, palette, pixels = read_gif(
                path("assets", "keyboards", name + ".gif"))

            def colour(x, y):
                return palette[pixels[y * width + x]]

            cells = [(x, y, 33) for y in ROWS for x in COLUMNS[:-2]]
            cells += [(x, y, 33) for y in ROWS[:2] for x in COLUMNS[-2:]]
            cells += list(WIDE_KEYS.values())
            for left, top, cell_width in cells:
                with self.subTest(name=name, left=left, top=top):
                    # Key faces are lighter than the window behind them.
                    for x, y in ((left + 5, top + 8),
                                 (left + cell_width - 6, top + 8)):
                        self.assertGreater(sum(colour(x, y)),
                                           sum(WINDOW_GREEN))

    def test_window_green_shows_between_key_rows(self):
        for name in self.NAMES:
            width, _, palette, pixels = read_gif(
                path("assets", "keyboards", name + ".gif"))
            gap = {palette[pixels[102 * width + x]] for x in range(400)}
            self.assertEqual(gap, {WINDOW_GREEN}, name)


def png_header(file_name):
    data = read_bytes(file_name)
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError("not a PNG")
    width, height, depth, colour_type = struct.unpack(">IIBB", data[16:26])
    palette_entries = None
    pos = 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        if kind == b"PLTE":
            palette_entries = length // 3
        pos += 12 + length
    return width, height, colour_type, palette_entries


class IconTest(unittest.TestCase):
    def test_sizes_and_colour_limits(self):
        for size in (16, 32, 48, 64, 128, 256):
            with self.subTest(size=size):
                width, height, colour_type, entries = png_header(
                    path("assets", "icons", "trelvik-%d.png" % size))
                self.assertEqual((width, height), (size, size))
                if size <= 32:
                    self.assertEqual(colour_type, 3, "palette image expected")
                    self.assertLessEqual(entries, 16)


class ResourceFileTest(unittest.TestCase):
    def test_every_listed_file_exists_under_its_alias(self):
        tree = ET.parse(path("assets", "assets.qrc"))
        found = {}
        for resource in tree.getroot().iter("qresource"):
            for entry in resource.iter("file"):
                self.assertTrue(os.path.isfile(path("assets", entry.text)),
                                entry.text)
                alias = entry.get("alias") or entry.text
                found[resource.get("prefix") + "/" + alias] = entry.text
        for name in ("klav1ru.gif", "klav1sv.gif", "klav1en.gif"):
            self.assertIn("/keyboards/" + name, found)
        for name in ("trelvik-16.png", "trelvik-32.png"):
            self.assertIn("/icons/" + name, found)


def read_items(raw):
    """The voice-examples window's reading of a text file: a list of items."""
    items = []
    for line in raw.split("\r\n"):
        pos = 0
        while pos < len(line):
            while pos < len(line) and line[pos] == " ":
                pos += 1
            if pos < len(line) and line[pos] == '"':
                end = line.find('"', pos + 1)
                if end < 0:
                    raise ValueError("unmatched quote in: " + line)
                items.append(line[pos + 1:end])
                rest = line[end + 1:].lstrip(" ")
                if rest and not rest.startswith(","):
                    raise ValueError("text after a closing quote: " + line)
                pos = end + 1 + (len(line[end + 1:]) - len(rest)) + 1
            else:
                comma = line.find(",", pos)
                comma = len(line) if comma < 0 else comma
                items.append(line[pos:comma])
                pos = comma + 1
    return items


class VoiceExampleTest(unittest.TestCase):
    def test_item_reader(self):
        cases = {
            "unquoted comma splits": ("Hej, hur m\xe5r du?\r\n",
                                      ["Hej", "hur m\xe5r du?"]),
            "quoted comma kept": ('"Hej, hur m\xe5r du?"\r\n',
                                  ["Hej, hur m\xe5r du?"]),
            "two quoted items": ('"a, b","(c)"\r\n', ["a, b", "(c)"]),
        }
        for label, (raw, expected) in cases.items():
            with self.subTest(label):
                self.assertEqual(read_items(raw), expected)
        with self.assertRaises(ValueError):
            read_items('"open\r\n')

    def test_texts(self):
        for n in range(1, 7):
            with self.subTest(text=n):
                data = read_bytes(path("sound", "text%d.dat" % n))
                text = data.decode("cp1252")   # fails on bytes cp1252 lacks
                self.assertTrue(text.endswith("\r\n"))
                self.assertNotIn("\r\n\r\n", text)
                self.assertIsNone(re.search(r"\r(?!\n)|(?<!\r)\n", text),
                                  "line ends must be CR LF")
                lines = text[:-2].split("\r\n")
                self.assertTrue(6 <= len(lines) <= 12, len(lines))
                items = read_items(text)
                self.assertNotIn("", items)
                # Each Swedish line is followed by its English meaning.
                self.assertEqual(len(items), 2 * len(lines))
                for swedish, english in zip(items[::2], items[1::2]):
                    self.assertFalse(swedish.startswith("("))
                    self.assertTrue(english.startswith("(")
                                    and english.endswith(")"), english)

    def test_recordings(self):
        for n in range(1, 7):
            file_name = path("sound", "text%02d.wav" % n)
            with self.subTest(recording=n):
                with wave.open(file_name, "rb") as recording:
                    self.assertEqual(recording.getnchannels(), 1)
                    self.assertEqual(recording.getsampwidth(), 2)
                    self.assertEqual(recording.getcomptype(), "NONE")
                    seconds = recording.getnframes() / recording.getframerate()
                self.assertGreater(seconds, 5)
                self.assertLess(os.path.getsize(file_name), 1024 * 1024)


class HelpPageTest(unittest.TestCase):
    def setUp(self):
        self.page = read_bytes(path("html", "info.html")).decode("ascii")

    def test_status_texts_quoted_exactly(self):
        for status in ("Stat: Translate complete.",
                       "Stat: Finded only nearest words.",
                       "Stat: Word is not present in main dictionary. "
                       "You can add it to User dictionfry."):
            self.assertIn(status, self.page)

    def test_self_contained(self):
        # The page is opened from disk, often with no network: anything it
        # loads must lie beside it. Plain links to the sources may point out.
        self.assertNotIn("<script", self.page.lower())
        loaders = re.findall(r"<(?:link|img|iframe|object|embed|source)\b"
                             r"[^>]*>", self.page, re.IGNORECASE)
        for tag in loaders:
            self.assertNotRegex(tag, r'(src|href)="(https?:)?//', tag)
        for target in re.findall(r'(?:src|href)="([^"#][^"]*)"', self.page):
            if not re.match(r"(https?|mailto):", target):
                self.assertTrue(os.path.isfile(path("html", target)), target)

    def test_anchors_resolve(self):
        ids = set(re.findall(r'id="([^"]+)"', self.page))
        for anchor in re.findall(r'href="#([^"]+)"', self.page):
            self.assertIn(anchor, ids)


if __name__ == "__main__":
    unittest.main()
