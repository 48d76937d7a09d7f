#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads a foam core's G-code back through LinuxCNC's interpreter (its Python module `gcode`, as
LinuxCNC's own preview does) and checks it against the sections it was made from:

- every move's end, and its middle, taken back from the towers to each face lies within 0.01 mm
  of the kerf path: half the kerf outside the section's outline, worked out here from the data
  file, the chord and the placement;
- every point of each outline lies within half the kerf (and 0.01 mm) of the wire's path on its
  face, so the whole outline is cut;
- with --pairing, the root and tip points of every move's end lie at equal x/c, within 0.1 % of
  the chord;
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


def read_data_file(path):
    """The outline of a data file in chord units: curve 0 (upper, point 200 down to 0), then
    curve 1 (lower, 0 up to 200), 804 numbers after 15 header lines."""
    with open(path, encoding="utf-8") as f:
        lines = f.read().splitlines()[15:]
    numbers = [float(n) for line in lines for n in line.replace(",", " ").split()]
    points = np.array(numbers[:804]).reshape(402, 2)
    return points


def placed(points, chord, leading_edge, washout=0.0):
    """The outline on its face: scaled, the leading edge moved, turned nose down by `washout`
    degrees about the middle of the trailing edge."""
    p = points * chord
    pivot = (p[0] + p[-1]) / 2.0
    a = math.radians(washout)
    turn = np.array([[math.cos(a), -math.sin(a)], [math.sin(a), math.cos(a)]])
    return np.asarray(leading_edge) + pivot + (p - pivot) @ turn.T, pivot


def section_x(face_points, chord, leading_edge, pivot, washout=0.0):
    """x/c of points on a face, back in the section's own frame."""
    a = math.radians(-washout)
    turn = np.array([[math.cos(a), -math.sin(a)], [math.sin(a), math.cos(a)]])
    p = (face_points - np.asarray(leading_edge) - pivot) @ turn.T + pivot
    return p[:, 0] / chord


def distances(points, polyline, closed):
    """The distance from each point to a polyline."""
    a = polyline if not closed else np.vstack([polyline, polyline[:1]])
    start, end = a[:-1], a[1:]
    d = end - start
    length2 = np.maximum((d * d).sum(axis=1), 1e-300)
    out = np.empty(len(points))
    for i, p in enumerate(points):
        t = np.clip(((p - start) * d).sum(axis=1) / length2, 0.0, 1.0)
        nearest = start + t[:, None] * d
        out[i] = np.sqrt(((nearest - p) ** 2).sum(axis=1)).min()
    return out


class Canon:
    """Takes the interpreter's canonical calls: the straight feeds with the feed rate and the feed
    mode in force."""

    def __init__(self, mask, parameter_file):
        self.mask = mask
        self.parameter_file = parameter_file
        self.inverse_time = False
        self.rate = 0.0
        self.moves = []  # (inverse time?, rate in internal units/min, 9 positions)
        self.dwells = []

    def __getattr__(self, name):
        # Every other call (spindle, coolant, offsets, ...) is taken and left alone.
        return lambda *args: None

    def get_axis_mask(self):
        return self.mask

    def get_external_length_units(self):
        return 1.0 / MM_PER_INCH  # a machine in millimetres

    def get_external_angular_units(self):
        return 1.0

    def get_block_delete(self):
        return False

    def get_tool(self, pocket):
        return (-1,) + (0.0,) * 12 + (0,)

    def check_abort(self):
        return False

    def comment(self, text):
        if text.startswith("interpreter: feed mode set to"):
            self.inverse_time = "inverse time" in text

    def set_feed_rate(self, rate):
        self.rate = rate

    def dwell(self, seconds):
        self.dwells.append(seconds)

    def straight_feed(self, *position):
        self.moves.append((self.inverse_time, self.rate, position))

    def straight_traverse(self, *position):
        raise SystemExit("a rapid move (G0) where none belongs")


def millimetres(position, letters):
    """The four tower coordinates in mm: linear axes come in inches, rotary ones as written."""
    out = []
    for letter in letters:
        i = AXES.index(letter)
        out.append(position[i] * (MM_PER_INCH if letter not in "ABC" else 1.0))
    return np.array(out)


def move_length(start, end):
    """The length LinuxCNC times a move by: X Y Z if they move, else U V W, else A B C."""
    for group in ("XYZ", "UVW", "ABC"):
        d = [end[AXES.index(c)] - start[AXES.index(c)] for c in group]
        length = math.sqrt(sum(x * x for x in d))
        if length > 0.0:
            return length
    return 0.0


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("program")
    parser.add_argument("--axes", default="XYUV")
    parser.add_argument("--towers", type=float, required=True)
    parser.add_argument("--root-z", type=float, required=True)
    parser.add_argument("--tip-z", type=float, required=True)
    parser.add_argument("--root", required=True)
    parser.add_argument("--root-chord", type=float, required=True)
    parser.add_argument("--tip", required=True)
    parser.add_argument("--tip-chord", type=float, required=True)
    parser.add_argument("--origin", default="20:30")
    parser.add_argument("--sweep", type=float, default=0.0)
    parser.add_argument("--washout", type=float, default=0.0)
    parser.add_argument("--kerf", type=float, default=0.0)
    parser.add_argument("--tip-kerf", type=float)
    parser.add_argument("--feed", type=float, default=200.0)
    parser.add_argument("--pairing", action="store_true")
    args = parser.parse_args()
    tip_kerf = args.kerf if args.tip_kerf is None else args.tip_kerf
    origin = [float(v) for v in args.origin.split(":")]
    tip_edge = [origin[0] + args.sweep, origin[1]]

    mask = 0
    for letter in args.axes:
        mask |= 1 << AXES.index(letter)
    with tempfile.TemporaryDirectory() as home:
        # The interpreter keeps its numbered parameters in a file; it gets one of its own.
        parameters = os.path.join(home, "foam.var")
        open(parameters, "w").close()
        canon = Canon(mask, parameters)
        result, line = gcode.parse(args.program, canon, "G21", "")
    if result > gcode.MIN_ERROR:
        raise SystemExit(f"line {line}: {gcode.strerror(result)}")
    if len(canon.moves) < 10:
        raise SystemExit(f"only {len(canon.moves)} moves")
    first_inverse, first_rate, _ = canon.moves[0]
    if first_inverse or abs(first_rate * MM_PER_INCH - args.feed) > 1e-6:
        raise SystemExit("the first move is not in units per minute at the feed")

    root, _ = placed(read_data_file(args.root), args.root_chord, origin)
    tip, tip_pivot = placed(read_data_file(args.tip), args.tip_chord, tip_edge, args.washout)
    towers = np.array([millimetres(p, args.axes) for _, _, p in canon.moves])
    left, right = towers[:, 0:2], towers[:, 2:4]
    root_face = left + (right - left) * (args.root_z / args.towers)
    tip_face = left + (right - left) * (args.tip_z / args.towers)

    # The cut: from the lead-in start (the first move's end) round and back.
    cut_root, cut_tip = root_face, tip_face
    worst_position = 0.0
    for face, outline, kerf in ((cut_root, root, args.kerf), (cut_tip, tip, tip_kerf)):
        # Leave out the lead-in: its start and the move into the block and out.
        ends = face[1:-1]
        middles = (ends[1:] + ends[:-1]) / 2.0
        off = np.abs(distances(np.vstack([ends, middles]), outline, True) - kerf / 2.0)
        worst_position = max(worst_position, off.max())
        if off.max() > 0.01:
            i = int(off.argmax())
            raise SystemExit(f"a wire position {off.max():.4f} mm off the kerf path ({i})")
        missed = distances(outline, ends, False) - kerf / 2.0
        if missed.max() > 0.01:
            raise SystemExit(f"the wire passes {missed.max():.4f} mm off a point of the outline")

    pairing = "not checked"
    if args.pairing:
        x_root = section_x(cut_root[1:-1], args.root_chord, origin, np.zeros(2))
        x_tip = section_x(cut_tip[1:-1], args.tip_chord, tip_edge, tip_pivot, args.washout)
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
        faster = max(np.hypot(*(root_face[k] - root_face[k - 1])),
                     np.hypot(*(tip_face[k] - tip_face[k - 1])))
        deviation = abs(faster / minutes / args.feed - 1.0)
        worst_speed = max(worst_speed, deviation)
        if deviation > 0.01:
            raise SystemExit(f"move {k}: the faster face at {faster / minutes:.3f} mm/min")

    print(f"moves {len(canon.moves)} position {worst_position:.5f} mm "
          f"pairing {pairing} speed {100 * worst_speed:.5f} % "
          f"dwells {' '.join(f'{d:g}' for d in canon.dwells) or 'none'}")


if __name__ == "__main__":
    main()
