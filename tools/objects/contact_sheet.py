#!/usr/bin/env python3
"""Draws the thumbnails of an objects folder's object files on one PNG, to look at them.

    contact_sheet.py <objects folder> <out.png>
"""
import os
import struct
import sys
import zlib

SIDE, STRIDE, SCALE, COLUMNS = 48, 144, 3, 6


def thumbnail(path):
    data = open(path, "rb").read()
    version = struct.unpack_from("<I", data, 288)[0]
    offset = 297 if version < 2 else 302
    count = struct.unpack_from("<I", data, offset)[0]
    offset += 4
    for _ in range(count):
        offset += data[offset] + 2
    pixels = data[offset + 54: offset + 54 + SIDE * STRIDE]
    rows = []
    for r in range(SIDE):  # bottom-up, blue green red
        row = pixels[(SIDE - 1 - r) * STRIDE:(SIDE - r) * STRIDE]
        rows.append([(row[3 * x + 2], row[3 * x + 1], row[3 * x]) for x in range(SIDE)])
    return rows


def png(path, width, height, rows):
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)
    chunk = lambda kind, body: struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def main(folder, out):
    names = sorted(n for n in os.listdir(folder) if n.endswith(".ulm"))
    cell = SIDE * SCALE + 4
    width, height = COLUMNS * cell, ((len(names) + COLUMNS - 1) // COLUMNS) * cell
    sheet = [[(96, 96, 96)] * width for _ in range(height)]
    for i, name in enumerate(names):
        rows = thumbnail(os.path.join(folder, name))
        key = rows[SIDE - 1][0]  # the bottom-left pixel's colour shows as transparent
        ox, oy = (i % COLUMNS) * cell + 2, (i // COLUMNS) * cell + 2
        for y in range(SIDE * SCALE):
            for x in range(SIDE * SCALE):
                pixel = rows[y // SCALE][x // SCALE]
                sheet[oy + y][ox + x] = (255, 255, 255) if pixel == key else pixel
    png(out, width, height, sheet)
    print("\n".join(f"{i // COLUMNS},{i % COLUMNS}: {n}" for i, n in enumerate(names)))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
