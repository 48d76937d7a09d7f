#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Data files to the screen picture (PNG) or the A4 sheet (PDF) with matplotlib.

Usage: bench/peers/plot.py --png|--pdf [-o OUTDIR] [--figure-per-file] FILE...

One file per call is the per-file form; many files in one call are the batch form: one process,
one figure drawn again for each file, as a user who knows matplotlib would write the loop
(--figure-per-file builds a new figure for every file instead, as a plainer loop does). Each
A.dat gives OUTDIR/A.png or OUTDIR/A.pdf. A file that cannot be read is reported on stderr and
skipped; the exit status is then 1.

Debian's python3 (/usr/bin/python3) carries python3-matplotlib; another python3 first in PATH
may not.
"""

import argparse
import os
import sys

import numpy as np
from matplotlib.figure import Figure

HEADER_LINES = 15
POINTS = 201
ITEMS = 2 * POINTS * 2
# Header lines (0-based) of the table rows, top to bottom, and of the title.
TABLE_LINES = (0, 1, 3, 4, 6, 7, 8)
TITLE_LINE = 2
FONT = "DejaVu Serif"


def read_data_file(path):
    """The language-1 labels, the values and both curves (x, y arrays) of a data file."""
    with open(path, "rb") as f:
        raw = f.read()
    try:
        text = raw.decode("utf-8-sig")
    except UnicodeDecodeError:
        text = raw.decode("cp932", errors="replace")
    lines = text.splitlines()
    if len(lines) <= HEADER_LINES:
        raise ValueError("ends early")
    labels, values = [], []
    for line in lines[:9]:
        fields = line.split(":", 2)
        labels.append(fields[1] if len(fields) == 3 else "")
        values.append(fields[2] if len(fields) == 3 else "")
    # Numbers are separated by commas or line ends: one per line, a pair per line or all on one.
    items = ",".join(lines[HEADER_LINES:]).split(",")
    numbers = [float(item) for item in items if item.strip()][:ITEMS]
    if len(numbers) < ITEMS:
        raise ValueError("ends early")
    xy = np.array(numbers).reshape(2, POINTS, 2)
    # Curve 0 runs from point 200 down to 0, curve 1 from 0 up to 200; drawn in file order.
    return labels, values, (xy[0, :, 0], xy[0, :, 1]), (xy[1, :, 0], xy[1, :, 1])


class ScreenPicture:
    """The viewer's picture area at 1000 units per data unit: x -0.05..1.45, y -0.2..0.4 over
    996 x 396 pixels, white, the grid in blue (1 pixel), both curves black (2 pixels)."""

    DPI = 100
    PIXEL = 72.0 / DPI  # one pixel in points

    def __init__(self):
        self.fig = Figure(figsize=(9.96, 3.96), dpi=self.DPI, facecolor="white")
        ax = self.fig.add_axes((0, 0, 1, 1))
        ax.set_axis_off()
        ax.set_xlim(-0.05, 1.45)
        ax.set_ylim(-0.2, 0.4)
        ticks = np.arange(11) / 10.0
        ax.vlines(ticks, -0.1, 0.3, colors="blue", linewidth=self.PIXEL)
        ax.hlines(np.arange(-1, 4) / 10.0, 0.0, 1.0, colors="blue", linewidth=self.PIXEL)
        (self.curve0,) = ax.plot([], [], color="black", linewidth=2 * self.PIXEL)
        (self.curve1,) = ax.plot([], [], color="black", linewidth=2 * self.PIXEL)

    def save(self, data, out):
        _, _, curve0, curve1 = data
        self.curve0.set_data(*curve0)
        self.curve1.set_data(*curve1)
        self.fig.savefig(out, dpi=self.DPI, facecolor="white")


class Sheet:
    """The A4 sheet in millimetres from the top-left corner: title 18 pt blue at (10, 10), the
    table 9 pt from y = 100 (rows 5 mm apart, labels at x = 10, values at 50), the grid and both
    curves at 150 mm per data unit with the data origin at (10, 75) mm."""

    SCALE = 150.0
    X0 = 10.0
    Y0 = 75.0
    PEN = 0.5  # points

    def __init__(self):
        self.fig = Figure(figsize=(210 / 25.4, 297 / 25.4), facecolor="white")
        ax = self.fig.add_axes((0, 0, 1, 1))
        ax.set_axis_off()
        ax.set_xlim(0, 210)
        ax.set_ylim(297, 0)
        p, x0, y0 = self.SCALE, self.X0, self.Y0
        columns = (np.arange(11) / 10.0) * p + x0
        ax.vlines(columns, y0 + 0.1 * p, y0 - 0.3 * p, colors="blue", linewidth=self.PEN)
        rows = y0 - (np.arange(-1, 4) / 10.0) * p
        ax.hlines(rows, x0, x0 + p, colors="blue", linewidth=self.PEN)
        (self.curve0,) = ax.plot([], [], color="black", linewidth=2 * self.PEN)
        (self.curve1,) = ax.plot([], [], color="black", linewidth=2 * self.PEN)
        text = {"va": "top", "ha": "left", "family": FONT}
        self.title = ax.text(10, 10, "", fontsize=18, color="blue", **text)
        self.labels = [ax.text(10, 100 + 5 * r, "", fontsize=9, **text) for r in range(7)]
        self.values = [ax.text(50, 100 + 5 * r, "", fontsize=9, **text) for r in range(7)]

    def save(self, data, out):
        labels, values, curve0, curve1 = data
        p, x0, y0 = self.SCALE, self.X0, self.Y0
        self.curve0.set_data(p * curve0[0] + x0, y0 - p * curve0[1])
        self.curve1.set_data(p * curve1[0] + x0, y0 - p * curve1[1])
        self.title.set_text(values[TITLE_LINE])
        for row, line in enumerate(TABLE_LINES):
            self.labels[row].set_text(labels[line])
            self.values[row].set_text(": " + values[line])
        self.fig.savefig(out, facecolor="white")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    output = parser.add_mutually_exclusive_group(required=True)
    output.add_argument("--png", action="store_true", help="the screen picture")
    output.add_argument("--pdf", action="store_true", help="the A4 sheet")
    parser.add_argument("-o", dest="outdir", default=".", help="output directory")
    parser.add_argument("--figure-per-file", action="store_true",
                        help="a new figure for every file instead of one drawn again")
    parser.add_argument("files", nargs="+", metavar="FILE")
    args = parser.parse_args()

    kind = ScreenPicture if args.png else Sheet
    picture = kind()
    suffix = ".png" if args.png else ".pdf"
    failed = False
    for path in args.files:
        stem = os.path.splitext(os.path.basename(path))[0]
        try:
            if args.figure_per_file:
                picture = kind()
            picture.save(read_data_file(path), os.path.join(args.outdir, stem + suffix))
        except (OSError, ValueError) as error:
            print(f"plot.py: {path}: {error}", file=sys.stderr)
            failed = True
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
