#!/usr/bin/env python3
"""Draws the toolbar strips and icons of an images folder, enlarged, on one PNG to look at.

    preview_sheet.py <images folder> <out.png>
"""
import os
import struct
import sys
import zlib

SCALE, GAP, GROUND = 3, 8, (212, 208, 200)


def read_png(path):
    data = open(path, "rb").read()
    pos, idat, width, height, kind = 8, b"", 0, 0, 0
    while pos < len(data):
        length, tag = struct.unpack_from(">I4s", data, pos)
        body = data[pos + 8:pos + 8 + length]
        if tag == b"IHDR":
            width, height, depth, kind = struct.unpack_from(">IIBB", body)
            assert depth == 8 and kind in (2, 6), path
        elif tag == b"IDAT":
            idat += body
        pos += 12 + length
    channels = 4 if kind == 6 else 3
    raw, stride, rows, prev = zlib.decompress(idat), width * channels, [], bytearray(width * channels)
    for y in range(height):
        kind_of_filter, line = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - channels] if i >= channels else 0
            b, c = prev[i], prev[i - channels] if i >= channels else 0
            if kind_of_filter == 1: line[i] = (line[i] + a) & 255
            elif kind_of_filter == 2: line[i] = (line[i] + b) & 255
            elif kind_of_filter == 3: line[i] = (line[i] + (a + b) // 2) & 255
            elif kind_of_filter == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * channels:(x + 1) * channels]) + ((255,) if channels == 3 else ()) for x in range(width)])
        prev = line
    return width, height, rows


def write_png(path, rows):
    raw = b"".join(b"\0" + bytes(c for pixel in row for c in pixel) for row in rows)
    chunk = lambda tag, body: struct.pack(">I", len(body)) + tag + body + struct.pack(">I", zlib.crc32(tag + body))
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", len(rows[0]), len(rows), 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def main(folder, out):
    names = sorted(n for n in os.listdir(folder) if n.endswith(".png") and n.startswith("Toolbar"))
    names += ["Tavrolin-%d.png" % s for s in (16, 32, 48, 64, 128)]
    pictures = [read_png(os.path.join(folder, n)) for n in names]
    width = max(w * SCALE for w, _, _ in pictures) + 2 * GAP
    sheet = []
    for w, h, rows in pictures:
        for y in range(h * SCALE):
            line = [GROUND] * width
            for x in range(w * SCALE):
                r, g, b, a = rows[y // SCALE][x // SCALE]
                line[GAP + x] = tuple((c * a + k * (255 - a)) // 255 for c, k in zip((r, g, b), GROUND))
            sheet.append(line)
        sheet += [[GROUND] * width for _ in range(GAP)]
    write_png(out, sheet)
    print(" ".join(names))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
