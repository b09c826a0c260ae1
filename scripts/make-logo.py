#!/usr/bin/env python3
"""Draws the product logo of the pages: a 128 x 43 pixel, 16-colour (4 bits per pixel) BMP.

Usage: make-logo.py OUTPUT.bmp

The picture is the word VORIKA in a blocky pixel font with a grey shadow, and the line
"MARKING DRIVER" under it, on white inside a navy border. The output depends on nothing but this
script, so every build writes the same bytes.
"""

import os
import struct
import sys

WIDTH = 128
HEIGHT = 43

# The 16 colours of the standard VGA palette, as (red, green, blue), in the order the palette
# indices below name them.
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black
    (0x80, 0x00, 0x00),  # 1 maroon
    (0x00, 0x80, 0x00),  # 2 green
    (0x80, 0x80, 0x00),  # 3 olive
    (0x00, 0x00, 0x80),  # 4 navy
    (0x80, 0x00, 0x80),  # 5 purple
    (0x00, 0x80, 0x80),  # 6 teal
    (0xC0, 0xC0, 0xC0),  # 7 silver
    (0x80, 0x80, 0x80),  # 8 grey
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 fuchsia
    (0x00, 0xFF, 0xFF),  # 14 aqua
    (0xFF, 0xFF, 0xFF),  # 15 white
]
NAVY, SILVER, GREY, BLUE, WHITE = 4, 7, 8, 12, 15

# A 5 x 7 pixel font, just the letters the logo uses; '#' is a set pixel.
GLYPHS = {
    "A": [" ### ", "#   #", "#   #", "#####", "#   #", "#   #", "#   #"],
    "D": ["#### ", "#   #", "#   #", "#   #", "#   #", "#   #", "#### "],
    "E": ["#####", "#    ", "#    ", "#### ", "#    ", "#    ", "#####"],
    "G": [" ### ", "#   #", "#    ", "# ###", "#   #", "#   #", " ####"],
    "I": [" ### ", "  #  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "],
    "K": ["#   #", "#  # ", "# #  ", "##   ", "# #  ", "#  # ", "#   #"],
    "M": ["#   #", "## ##", "# # #", "# # #", "#   #", "#   #", "#   #"],
    "N": ["#   #", "##  #", "# # #", "#  ##", "#   #", "#   #", "#   #"],
    "O": [" ### ", "#   #", "#   #", "#   #", "#   #", "#   #", " ### "],
    "R": ["#### ", "#   #", "#   #", "#### ", "# #  ", "#  # ", "#   #"],
    "V": ["#   #", "#   #", "#   #", "#   #", "#   #", " # # ", "  #  "],
    " ": ["     "] * 7,
}


def text_width(text, scale, gap):
    return len(text) * 5 * scale + (len(text) - 1) * gap


def draw_text(pixels, text, left, top, scale, gap, colour):
    for index, letter in enumerate(text):
        x0 = left + index * (5 * scale + gap)
        for row, line in enumerate(GLYPHS[letter]):
            for column, mark in enumerate(line):
                if mark != "#":
                    continue
                for dy in range(scale):
                    for dx in range(scale):
                        pixels[top + row * scale + dy][x0 + column * scale + dx] = colour


def draw_logo():
    pixels = [[WHITE] * WIDTH for _ in range(HEIGHT)]
    # A double border: navy outside, blue one pixel further in.
    for inset, colour in ((0, NAVY), (2, BLUE)):
        for x in range(inset, WIDTH - inset):
            pixels[inset][x] = colour
            pixels[HEIGHT - 1 - inset][x] = colour
        for y in range(inset, HEIGHT - inset):
            pixels[y][inset] = colour
            pixels[y][WIDTH - 1 - inset] = colour

    word, scale, gap = "VORIKA", 3, 3
    left = (WIDTH - text_width(word, scale, gap)) // 2
    draw_text(pixels, word, left + 1, 6, scale, gap, SILVER)  # shadow, one pixel down and right
    draw_text(pixels, word, left, 5, scale, gap, NAVY)

    line = "MARKING DRIVER"
    left = (WIDTH - text_width(line, 1, 1)) // 2
    draw_text(pixels, line, left, 31, 1, 1, GREY)
    return pixels


def bmp_bytes(pixels):
    row_bytes = (WIDTH * 4 + 31) // 32 * 4
    image = bytearray()
    for row in reversed(pixels):  # a BMP stores its bottom row first
        packed = bytearray(row_bytes)
        for x, index in enumerate(row):
            packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        image += packed
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 4, 0, len(image), 2835, 2835, 16, 16)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(image), 0, 0, offset)
    return header + info + palette + bytes(image)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-logo.py OUTPUT.bmp")
    os.makedirs(os.path.dirname(os.path.abspath(sys.argv[1])), exist_ok=True)
    with open(sys.argv[1], "wb") as out:
        out.write(bmp_bytes(draw_logo()))


if __name__ == "__main__":
    main()
