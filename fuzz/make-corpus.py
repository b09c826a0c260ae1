#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/<target>/ (run from anywhere)."""
import os
import struct

CORPUS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")

# Public DEVMODE offsets and sizes.
PUBLIC_SIZE, PRIVATE_SIZE = 220, 1536
DM_ORIENTATION, DM_PAPERSIZE, DM_PAPERLENGTH, DM_PAPERWIDTH = 0x1, 0x2, 0x4, 0x8
DM_SCALE, DM_COPIES, DM_YRESOLUTION, DM_FORMNAME = 0x10, 0x100, 0x2000, 0x10000
PRIV = 0x56495250
DW_PRIV_OFFSET = 1524


def wide(text, units):
    data = text.encode("utf-16-le")[: 2 * (units - 1)]
    return data + b"\0" * (2 * units - len(data))


def header(size, extra, version=0x401, driver=0x11F, name="Velmar VORIKA KLV-20"):
    return wide(name, 32) + struct.pack("<HHHH", version, driver, size, extra)


def public(size, extra, version=0x401):
    fields = (DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_SCALE |
              DM_COPIES | DM_YRESOLUTION | DM_FORMNAME)
    body = struct.pack("<I13h", fields, 2, 256, 800, 600, 150, 3, 15, 254, 2, 1, 254, 2, 0)
    body += wide("user size", 32)
    body += struct.pack("<HIIIII", 500, 256, 2000, 2000, 0, 60)
    data = header(size, extra, version) + body
    data += b"\0" * (PUBLIC_SIZE - len(data))
    return data[:size]


def settings():
    record = bytearray(PRIVATE_SIZE)
    struct.pack_into("<hhhh", record, 0, 800, 600, 1, 0)
    struct.pack_into("<h", record, 68, 1016)
    struct.pack_into("<I", record, DW_PRIV_OFFSET, PRIV)
    return bytes(record)


def material_set():
    entry = struct.pack("<iiii", 640, 790, 12, 0) + wide("Aluminium", 32)
    return entry * 9


DRIVER = public(PUBLIC_SIZE, PRIVATE_SIZE) + settings()
OLD = public(188, 8, 0x320) + settings()[:8]
V212 = public(212, 0, 0x400)
V220 = public(220, 0)
SHORT = header(72, 0)


def convert(routine, nulls, mode, size, *devmodes):
    return struct.pack("<BBIi", routine, nulls, mode, size) + b"".join(devmodes)


def held(devmode):
    """The printer's default DEVMODE as the spooler holds it: its length, then its bytes."""
    return struct.pack("<H", len(devmode)) + devmode


def value(index, type_selector, data):
    return struct.pack("<BBH", index, type_selector, len(data)) + data


FIELD = 6  # index of the first per-field name
SEEDS = {
    "convert_devmode_fuzz": {
        "convert-1756-to-196": convert(0, 0, 0, 0, DRIVER, header(188, 8, 0x320, 0x350)),
        "out-as-196": convert(1, 0, 0, 0, OLD) + held(b""),
        "out-as-212": convert(1, 0, 0, 0, V212) + held(V212),
        "out-whole": convert(1, 1, 0, 0),
        "merge-1756": convert(1, 0, 0, 0, DRIVER) + held(b""),
        "merge-220": convert(1, 0, 0, 0, V220) + held(b""),
        "merge-header-only": convert(1, 0, 0, 0, SHORT) + held(SHORT),
        "held-cut-private": convert(1, 0, 0, 0, V220) + held(DRIVER[:300]),
        "held-whole": convert(1, 0, 0, 0, SHORT) + held(DRIVER),
        "common-convert": convert(2, 0, 1, 1756, OLD, header(220, 1536)),
        "common-351": convert(2, 0, 2, 196, DRIVER),
        "common-default": convert(2, 0, 4, 1755, DRIVER),
        "common-other": convert(2, 0, 8, 1756, DRIVER),
    },
    "printer_properties_fuzz": {
        "whole-record": b"\0" + value(0, 1, struct.pack("<I", 1536)) + value(1, 0, settings()),
        "fields-and-sets": b"\1" + value(2, 1, struct.pack("<I", 720)) + value(3, 0, material_set())
        + value(4, 1, struct.pack("<I", 720)) + value(5, 0, material_set())
        + value(FIELD, 0, struct.pack("<h", 900)) + value(FIELD + 1, 0, struct.pack("<h", 700))
        + value(FIELD + 22, 0, b"\1"),
        "damaged": b"\0" + value(0, 1, struct.pack("<I", 1000)) + value(1, 0, b"\xff" * 1000)
        + value(FIELD + 2, 2, b"\1\2\3"),
        "nothing": b"\2",
    },
}

for target, seeds in SEEDS.items():
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)
