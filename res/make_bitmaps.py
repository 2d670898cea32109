#!/usr/bin/env python3
"""Draws the program's own bitmaps with the standard library only and writes them as PNGs:
bitmaps/132.png  32x32 background tile (calm water with faint ripples, tiles seamlessly),
bitmaps/134.png  141x33 picture of the Start button,
bitmaps/128.png  32x32 program icon (a sailing boat on a blue disc), 16 colours and a clear surround.
Run it from anywhere: python3 res/make_bitmaps.py"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


class Canvas:
    def __init__(self, width, height, colour, alpha=False):
        self.width, self.height, self.alpha = width, height, alpha
        self.pixels = [[colour for _ in range(width)] for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(y0, y1):
            for x in range(x0, x1):
                self.put(x, y, colour)

    def write_png(self, path):
        raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in self.pixels)

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6 if self.alpha else 2, 0, 0, 0)
        png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
        with open(path, "wb") as out:
            out.write(png)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def background_tile():
    # Pale water; two ripple bands whose period divides 32, so the tile repeats without seams.
    base, ripple = (232, 240, 244), (214, 228, 236)
    tile = Canvas(32, 32, base)
    for y in range(32):
        for x in range(32):
            wave = math.sin(2 * math.pi * (x / 32.0)) * 2.0
            band = (y + wave) % 16.0
            t = max(0.0, 1.0 - abs(band - 8.0) / 1.6)
            tile.put(x, y, mix(base, ripple, t))
    return tile


# A 5x7 pixel font for the letters the pictures need.
GLYPHS = {
    "S": ["01111", "10000", "10000", "01110", "00001", "00001", "11110"],
    "t": ["00100", "00100", "11111", "00100", "00100", "00100", "00011"],
    "a": ["00000", "00000", "01110", "00001", "01111", "10001", "01111"],
    "r": ["00000", "00000", "10110", "11001", "10000", "10000", "10000"],
}


def draw_text(canvas, text, x, y, scale, colour):
    for letter in text:
        for row, bits in enumerate(GLYPHS[letter]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    canvas.rect(x + col * scale, y + row * scale, x + (col + 1) * scale, y + (row + 1) * scale, colour)
        x += 6 * scale


def start_picture():
    width, height = 141, 33
    top, bottom = (70, 140, 200), (24, 84, 150)
    picture = Canvas(width, height, top)
    for y in range(height):
        colour = mix(top, bottom, y / (height - 1))
        for x in range(width):
            picture.put(x, y, colour)
    # A one-pixel frame, lighter above and left, darker below and right.
    for x in range(width):
        picture.put(x, 0, (150, 200, 235))
        picture.put(x, height - 1, (10, 50, 100))
    for y in range(height):
        picture.put(0, y, (150, 200, 235))
        picture.put(width - 1, y, (10, 50, 100))
    # A "go" triangle, then the word.
    for y in range(9, 24):
        reach = 12 - abs(y - 16) * 12 // 8
        picture.rect(24, y, 24 + reach, y + 1, (255, 214, 90))
    draw_text(picture, "Start", 44, 6, 3, (255, 255, 255))
    return picture


PALETTE16 = {
    "sea": (0, 0, 128, 255), "sky": (0, 128, 255, 255), "white": (255, 255, 255, 255), "red": (192, 0, 0, 255),
    "brown": (128, 64, 0, 255), "clear": (0, 0, 0, 0),
}


def program_icon():
    icon = Canvas(32, 32, PALETTE16["clear"], alpha=True)
    for y in range(32):
        for x in range(32):
            if (x - 15.5) ** 2 + (y - 15.5) ** 2 <= 15.5 ** 2:
                icon.put(x, y, PALETTE16["sky"] if y < 21 else PALETTE16["sea"])
    # Mast, two sails, hull.
    icon.rect(15, 5, 17, 21, PALETTE16["brown"])
    for y in range(6, 20):
        icon.rect(17, y, 17 + (y - 5) * 9 // 14, y + 1, PALETTE16["white"])
        if y >= 8:
            icon.rect(15 - (y - 7) * 6 // 13, y, 15, y + 1, PALETTE16["white"])
    for y in range(21, 25):
        inset = y - 21
        icon.rect(7 + inset, y, 25 - inset, y + 1, PALETTE16["red"])
    return icon


def main():
    folder = os.path.join(HERE, "bitmaps")
    os.makedirs(folder, exist_ok=True)
    background_tile().write_png(os.path.join(folder, "132.png"))
    start_picture().write_png(os.path.join(folder, "134.png"))
    program_icon().write_png(os.path.join(folder, "128.png"))


if __name__ == "__main__":
    main()
