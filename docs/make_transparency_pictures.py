#!/usr/bin/env python3
"""Draws the pictures of transparency and smooth edges for the README and the
help: docs/transparency.png shows the example buttons exported as PNG files
over a light and a dark page, first as the classic rule draws them (the
work-area colour transparent, hard edges) and then as the examples are now
(everything no layer paints transparent, smooth edges); docs/smooth_edges.png
shows one button's edge enlarged, hard and smooth. Copies go to the help's
pictures.

    docs/make_transparency_pictures.py build/src/app/vorbel

Every pixel of a button comes from the program; this script only places the
pictures over the pages.
"""
import shutil
import subprocess
import sys
from pathlib import Path

from make_thumbnails_picture import label, paste, read_png, write_png

ROOT = Path(__file__).resolve().parent.parent
LIGHT = (0xF4, 0xF4, 0xF2)
DARK = (0x1E, 0x1E, 0x22)
GAP = 12
EXAMPLES = ["welcome.vrb", "nav_set/navigation.vrb", "gradient_caption.vrb", "glass_picture.vrb",
            "classic_bevel.vrb"]
CLASSIC = ["--set", "Button:Transparency=WorkAreaColor", "--set", "Button:Smooth=No"]


def export(vorbel, example, extra):
    png = subprocess.run([vorbel, "--export", "-", str(ROOT / "examples" / example), "--format", "png", *extra],
                         capture_output=True, check=True, cwd=ROOT / "examples").stdout
    return read_png(png)


def enlarged(picture, factor):
    return [[p for p in row for _ in range(factor)] for row in picture for _ in range(factor)]


def grid(cells, columns, backgrounds, cell_w, cell_h):
    """Cells (pictures, row by row) centred in columns whose pages alternate."""
    lines = (len(cells) + columns - 1) // columns
    width = columns * (cell_w + 2 * GAP)
    height = lines * (cell_h + 2 * GAP)
    canvas = [[backgrounds[(x // (cell_w + 2 * GAP)) % len(backgrounds)] for x in range(width)]
              for _ in range(height)]
    for i, picture in enumerate(cells):
        left = (i % columns) * (cell_w + 2 * GAP) + GAP + (cell_w - len(picture[0])) // 2
        top = (i // columns) * (cell_h + 2 * GAP) + GAP + (cell_h - len(picture)) // 2
        paste(canvas, picture, left, top)
    return canvas


def main():
    vorbel = sys.argv[1] if len(sys.argv) > 1 else str(ROOT / "build/src/app/vorbel")
    cells = []
    for example in EXAMPLES:
        before = export(vorbel, example, CLASSIC)
        now = export(vorbel, example, [])
        cells += [before, before, now, now]
    cell_w = max(len(c[0]) for c in cells)
    cell_h = max(len(c) for c in cells)
    body = grid(cells, 4, [LIGHT, DARK], cell_w, cell_h)
    # Column heads, drawn by the program as well.
    heads = [label(vorbel, text)[0] for text in ("before, light page", "before, dark page", "now, light page",
                                                 "now, dark page")]
    head_h = max(len(h) for h in heads) + GAP
    top = [[LIGHT] * len(body[0]) for _ in range(head_h)]
    for i, head in enumerate(heads):
        paste(top, head, i * (cell_w + 2 * GAP) + GAP + max(0, (cell_w - len(head[0])) // 2), GAP // 2)
    write_png(ROOT / "docs/transparency.png", top + body)

    # One corner of the welcome button, eight times, hard and smooth, on the dark page.
    corner = [export(vorbel, "welcome.vrb", CLASSIC), export(vorbel, "welcome.vrb", [])]
    parts = [enlarged([row[:40] for row in picture[:20]], 8) for picture in corner]
    write_png(ROOT / "docs/smooth_edges.png", grid(parts, 2, [DARK], len(parts[0][0]), len(parts[0])))

    for name in ("transparency.png", "smooth_edges.png"):
        shutil.copy(ROOT / "docs" / name, ROOT / "resources/help/images" / name)
    print("wrote docs/transparency.png and docs/smooth_edges.png, and their copies for the help")


if __name__ == "__main__":
    main()
