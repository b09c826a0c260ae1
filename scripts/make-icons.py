#!/usr/bin/env python3
"""Draws the icons of the property-sheet pages as 16-colour .ico files (32 x 32 and 16 x 16).

Usage: make-icons.py OUTPUT_DIRECTORY

Writes document-page.ico (the document pages: a metal work plate with a struck mark) and
info-page.ico (the printer's information page: a blue disc with a white "i"). The output depends on
nothing but this script, so every build writes the same bytes.
"""

import os
import struct
import sys

# The 16 colours of the standard VGA palette, as (red, green, blue).
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, NAVY, SILVER, GREY, BLUE, WHITE = 0, 4, 7, 8, 12, 15
CLEAR = None  # a transparent pixel


def blank(size):
    return [[CLEAR] * size for _ in range(size)]


def draw_plate(size):
    """A silver plate with a bevelled edge, lit from the top left, and a navy star struck in it."""
    pixels = blank(size)
    unit = size / 32.0
    left, top = round(3 * unit), round(6 * unit)
    right, bottom = size - 1 - round(3 * unit), size - 1 - round(6 * unit)
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            if (x, y) in ((left, top), (right, top), (left, bottom), (right, bottom)):
                continue  # rounded corners
            if x == left or y == top:
                pixels[y][x] = WHITE
            elif x == right or y == bottom:
                pixels[y][x] = BLACK
            elif x == right - 1 or y == bottom - 1:
                pixels[y][x] = GREY
            else:
                pixels[y][x] = SILVER
    # The struck mark: an eight-pointed star of dots around the plate's centre.
    cx, cy = (left + right) // 2, (top + bottom) // 2
    reach = max(2, round(5 * unit))
    for step in range(-reach, reach + 1):
        for x, y in ((cx + step, cy), (cx, cy + step)):
            pixels[y][x] = NAVY
        if abs(step) <= reach * 2 // 3:
            for x, y in ((cx + step, cy + step), (cx + step, cy - step)):
                pixels[y][x] = NAVY
    return pixels


def draw_info(size):
    """A blue disc with a navy rim and a white "i"."""
    pixels = blank(size)
    centre = (size - 1) / 2.0
    radius = size / 2.0 - 0.5
    for y in range(size):
        for x in range(size):
            distance = ((x - centre) ** 2 + (y - centre) ** 2) ** 0.5
            if distance <= radius - 1.0:
                pixels[y][x] = BLUE
            elif distance <= radius + 0.2:
                pixels[y][x] = NAVY
    unit = size / 32.0
    stem = max(2, round(4 * unit))
    x0 = (size - stem) // 2
    dot_top = round(6 * unit)
    for y in range(dot_top, dot_top + stem):  # the dot
        for x in range(x0, x0 + stem):
            pixels[y][x] = WHITE
    for y in range(dot_top + stem + max(1, round(2 * unit)), round(25 * unit)):  # the stem
        for x in range(x0, x0 + stem):
            pixels[y][x] = WHITE
    return pixels


def icon_image(pixels):
    """One icon image: BITMAPINFOHEADER (double height), palette, colour rows, then mask rows."""
    size = len(pixels)
    colour_row = (size * 4 + 31) // 32 * 4
    mask_row = (size + 31) // 32 * 4
    colours = bytearray()
    mask = bytearray()
    for row in reversed(pixels):  # bottom row first
        packed = bytearray(colour_row)
        bits = bytearray(mask_row)
        for x, index in enumerate(row):
            if index is CLEAR:
                bits[x // 8] |= 0x80 >> (x % 8)
            else:
                packed[x // 2] |= index << (4 if x % 2 == 0 else 0)
        colours += packed
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 4, 0, len(colours) + len(mask),
                       0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return info + palette + bytes(colours) + bytes(mask)


def ico_bytes(draw):
    images = [(size, icon_image(draw(size))) for size in (32, 16)]
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    entries = b""
    for size, image in images:
        entries += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return header + entries + b"".join(image for _, image in images)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make-icons.py OUTPUT_DIRECTORY")
    os.makedirs(sys.argv[1], exist_ok=True)
    for name, draw in (("document-page.ico", draw_plate), ("info-page.ico", draw_info)):
        with open(os.path.join(sys.argv[1], name), "wb") as out:
            out.write(ico_bytes(draw))


if __name__ == "__main__":
    main()
