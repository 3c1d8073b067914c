#!/usr/bin/env python3
"""Draws docs/thumbnails.png: the thumbnails that `vorbel --thumbnail 128`
makes of the example layouts, as a file manager shows them, over a light
background, each with its file name beneath (drawn by `vorbel --export` too).

    docs/make_thumbnails_picture.py build/src/app/vorbel

Every pixel comes from the program; this script only places them.
"""
import struct
import subprocess
import sys
import zlib
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BACKGROUND = (0xF4, 0xF4, 0xF2)
CELL_W, BOX, LABEL_H, GAP, COLUMNS = 176, 128, 22, 12, 4


def read_png(data):
    """8-bit RGB or RGBA, not interlaced: rows of (r, g, b, a) tuples."""
    assert data[:8] == b"\x89PNG\r\n\x1a\n"
    pos, idat, width, height, kind = 8, b"", 0, 0, 0
    while pos < len(data):
        length, tag = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if tag == b"IHDR":
            width, height, depth, kind, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and kind in (2, 6) and interlace == 0
        elif tag == b"IDAT":
            idat += body
        pos += 12 + length
    channels = 4 if kind == 6 else 3
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind_of_filter = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - channels] if i >= channels else 0
            up = previous[i]
            corner = previous[i - channels] if i >= channels else 0
            if kind_of_filter == 1:
                line[i] = (line[i] + left) & 255
            elif kind_of_filter == 2:
                line[i] = (line[i] + up) & 255
            elif kind_of_filter == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind_of_filter == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        previous = line
        rows.append([tuple(line[x * channels:x * channels + channels]) + ((255,) if channels == 3 else ())
                     for x in range(width)])
    return rows


def write_png(path, rows):
    height, width = len(rows), len(rows[0])
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in rows)
    chunk = lambda tag, body: struct.pack(">I", len(body)) + tag + body + struct.pack(
        ">I", zlib.crc32(tag + body) & 0xFFFFFFFF)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                     chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def paste(canvas, picture, left, top):
    """Draws the picture over the canvas, blending by its alpha."""
    for y, row in enumerate(picture):
        for x, (r, g, b, a) in enumerate(row):
            under = canvas[top + y][left + x]
            canvas[top + y][left + x] = tuple((c * a + u * (255 - a) + 127) // 255 for c, u in zip((r, g, b), under))


def label(vorbel, text):
    """The file name, drawn by vorbel from a layout on its standard input."""
    layout = ("[Button]\nHeight=%d\nWidth=%d\nWorkArea=16777215\nLayers=1\n[Layer0]\nType=Text\n"
              "Properties=Text=%s;FontFace=DejaVu Sans;FontSize=8;Color=clBlack;\nX=0\nY=0\nVisible=0\n"
              % (LABEL_H, CELL_W, text))
    png = subprocess.run([vorbel, "--export", "-", "-", "--format", "png"], input=layout.encode(),
                         capture_output=True, check=True).stdout
    rows = read_png(png)
    xs = [x for row in rows for x, p in enumerate(row) if p[3]]
    # The caption is drawn 5 pixels in; centre what was drawn in the cell.
    return [row[min(xs):max(xs) + 1] for row in rows], (CELL_W - (max(xs) - min(xs) + 1)) // 2


def main():
    vorbel = sys.argv[1] if len(sys.argv) > 1 else str(ROOT / "build/src/app/vorbel")
    examples = sorted((ROOT / "examples").rglob("*.vrb"))
    lines = (len(examples) + COLUMNS - 1) // COLUMNS
    width = COLUMNS * CELL_W + (COLUMNS + 1) * GAP
    height = lines * (BOX + LABEL_H) + (lines + 1) * GAP
    canvas = [[BACKGROUND] * width for _ in range(height)]
    for i, example in enumerate(examples):
        left = GAP + (i % COLUMNS) * (CELL_W + GAP)
        top = GAP + (i // COLUMNS) * (BOX + LABEL_H + GAP)
        png = subprocess.run([vorbel, "--thumbnail", str(BOX), str(example), "-"], capture_output=True,
                             check=True).stdout
        thumbnail = read_png(png)
        th, tw = len(thumbnail), len(thumbnail[0])
        paste(canvas, thumbnail, left + (CELL_W - tw) // 2, top + (BOX - th) // 2)
        name, offset = label(vorbel, example.name)
        paste(canvas, name, left + offset, top + BOX)
    write_png(ROOT / "docs/thumbnails.png", canvas)


if __name__ == "__main__":
    main()
