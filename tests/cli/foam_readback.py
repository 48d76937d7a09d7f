#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""foam_readback.py PROGRAM ARGUMENTS...: reads a foam core's G-code back through LinuxCNC's
interpreter (its Python module `gcode`, as LinuxCNC's own preview does) and checks it against the
vandrix-export ARGUMENTS that wrote it, worked out here from the data files:

- every move's end and middle, taken back from the towers to each face, lies within 0.01 mm of
  the kerf path (half the kerf outside the placed outline), and every outline point within half
  the kerf (and 0.01 mm) of the wire's path on its face;
- without kerf, the root and tip points of every move's end lie at equal x/c, within 0.1 %;
- the faster face moves at the feed, within 1 %, on every move in inverse time.

Prints its figures on one line; exits 1 with the first failure.
"""
import argparse
import math
import os
import sys
import tempfile

import gcode
import numpy as np

AXES = "XYZABCUVW"
MM_PER_INCH = 25.4


def outline(path):
    """A data file's curve 0 (upper, point 200 down to 0) then curve 1, in chord units."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()[15:]
    numbers = [float(n) for line in lines for n in line.replace(",", " ").split()]
    return np.array(numbers[:804]).reshape(402, 2)


def turned(points, degrees):
    a = math.radians(degrees)
    return points @ np.array([[math.cos(a), math.sin(a)], [-math.sin(a), math.cos(a)]])


def distances(points, polyline):
    """The distance from each point to a polyline."""
    start, d = polyline[:-1], polyline[1:] - polyline[:-1]
    length2 = np.maximum((d * d).sum(axis=1), 1e-300)
    out = np.empty(len(points))
    for i, p in enumerate(points):
        t = np.clip(((p - start) * d).sum(axis=1) / length2, 0.0, 1.0)
        out[i] = np.sqrt(((start + t[:, None] * d - p) ** 2).sum(axis=1)).min()
    return out


class Canon:
    """Takes the interpreter's canonical calls: the straight feeds with the feed rate and mode."""

    def __init__(self, mask, parameter_file):
        self.mask, self.parameter_file = mask, parameter_file
        self.inverse_time, self.rate, self.moves = False, 0.0, []

    def __getattr__(self, name):  # spindle, coolant, offsets, ...: taken and left alone
        return lambda *args: None

    def get_axis_mask(self):
        return self.mask

    def get_external_length_units(self):
        return 1.0 / MM_PER_INCH  # a machine in millimetres

    def get_external_angular_units(self):
        return 1.0

    def get_tool(self, pocket):
        return (-1,) + (0.0,) * 12 + (0,)

    def comment(self, text):
        if text.startswith("interpreter: feed mode set to"):
            self.inverse_time = "inverse time" in text

    def set_feed_rate(self, rate):
        self.rate = rate

    def straight_feed(self, *position):
        self.moves.append((self.inverse_time, self.rate, position))

    def straight_traverse(self, *position):
        raise SystemExit("a rapid move (G0) where none belongs")


def move_length(start, end):
    """The length LinuxCNC times a move by: X Y Z if they move, else U V W, else A B C."""
    for group in ("XYZ", "UVW", "ABC"):
        length = math.dist(*([p[AXES.index(c)] for c in group] for p in (start, end)))
        if length > 0.0:
            return length
    return 0.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    for option in ("--span", "--towers", "--root-at", "--chord", "--tip-chord", "--sweep",
                   "--washout", "--kerf", "--tip-kerf", "--feed", "--preheat", "--lead-in"):
        parser.add_argument(option, type=float)
    for option in ("--root-side", "--origin", "--tip", "--axes", "--wire-on", "--wire-off"):
        parser.add_argument(option)
    parser.add_argument("--gcode", action="store_true")
    parser.add_argument("root")
    a = parser.parse_args()
    axes = a.axes or "XYUV"
    feed = a.feed or 200.0
    kerf = a.kerf or 0.0
    tip_kerf = kerf if a.tip_kerf is None else a.tip_kerf
    root_at = (a.towers - a.span) / 2.0 if a.root_at is None else a.root_at
    root_z = root_at if a.root_side != "right" else a.towers - root_at
    tip_z = root_z + (a.span if a.root_side != "right" else -a.span)
    origin = np.array([float(v) for v in (a.origin or "20:30").split(":")])

    mask = sum(1 << AXES.index(letter) for letter in axes)
    with tempfile.TemporaryDirectory() as home:
        # The interpreter keeps its numbered parameters in a file; it gets one of its own.
        parameters = os.path.join(home, "foam.var")
        open(parameters, "w").close()
        canon = Canon(mask, parameters)
        result, line = gcode.parse(a.program, canon, "G21", "")
    if result > gcode.MIN_ERROR:
        raise SystemExit(f"line {line}: {gcode.strerror(result)}")
    if len(canon.moves) < 400:
        raise SystemExit(f"only {len(canon.moves)} moves")
    if canon.moves[0][0] or abs(canon.moves[0][1] * MM_PER_INCH - feed) > 1e-6:
        raise SystemExit("the first move is not in units per minute at the feed")

    # Each section on its face: the tip's turned nose down about the middle of its trailing edge.
    root = outline(a.root) * a.chord + origin
    tip_chord = a.tip_chord or a.chord
    tip = outline(a.tip or a.root) * tip_chord
    pivot = (tip[0] + tip[-1]) / 2.0
    tip_edge = origin + [a.sweep or 0.0, 0.0] + pivot
    tip = tip_edge + turned(tip - pivot, a.washout or 0.0)
    # Linear axes come in inches, rotary ones (A B C) as written.
    towers = np.array([[p[AXES.index(c)] * (1.0 if c in "ABC" else MM_PER_INCH) for c in axes]
                       for _, _, p in canon.moves])
    left, right = towers[:, 0:2], towers[:, 2:4]
    faces = [left + (right - left) * (z / a.towers) for z in (root_z, tip_z)]

    worst_position = 0.0
    for face, placed, k in ((faces[0], root, kerf), (faces[1], tip, tip_kerf)):
        ends = face[1:-1]  # without the lead-in's start
        off = np.abs(distances(np.vstack([ends, (ends[1:] + ends[:-1]) / 2.0]),
                               np.vstack([placed, placed[:1]])) - k / 2.0)
        worst_position = max(worst_position, off.max())
        if off.max() > 0.01:
            raise SystemExit(f"a wire position {off.max():.4f} mm off the kerf path")
        missed = distances(placed, ends) - k / 2.0
        if missed.max() > 0.01:
            raise SystemExit(f"the wire passes {missed.max():.4f} mm off a point of the outline")

    pairing = "not checked"
    if kerf == 0.0 and tip_kerf == 0.0:
        x_root = (faces[0][1:-1, 0] - origin[0]) / a.chord
        x_tip = (turned(faces[1][1:-1] - tip_edge, -(a.washout or 0.0)) + pivot)[:, 0] / tip_chord
        worst_pairing = np.abs(x_root - x_tip).max()
        if worst_pairing > 0.001:
            raise SystemExit(f"paired points {100 * worst_pairing:.4f} % of the chord apart")
        pairing = f"{100 * worst_pairing:.5f} %"

    worst_speed = 0.0
    for k in range(1, len(canon.moves)):
        inverse, rate, position = canon.moves[k]
        if not inverse:
            raise SystemExit(f"move {k} is not in inverse time")
        minutes = move_length(canon.moves[k - 1][2], position) / rate
        faster = max(math.dist(f[k], f[k - 1]) for f in faces)
        worst_speed = max(worst_speed, abs(faster / minutes / feed - 1.0))
        if worst_speed > 0.01:
            raise SystemExit(f"move {k}: the faster face at {faster / minutes:.3f} mm/min")

    print(f"moves {len(canon.moves)} position {worst_position:.5f} mm pairing {pairing} "
          f"speed {100 * worst_speed:.5f} %")


if __name__ == "__main__":
    sys.exit(main())
