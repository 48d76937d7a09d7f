#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The tables of bench/export.sh from its hyperfine JSON files and peak-memory figures.

Usage: export_table.py DIR COUNT   (DIR holds png.json, pdf.json, batch.json and memory.txt, whose
lines read "CASE NAME KIB")
"""

import json
import sys

PEERS = ["gnuplot", "gnuplot-gd", "matplotlib", "matplotlib-reuse"]
NAMES = PEERS + ["vandrix-export"]
CASES = ("png", "pdf", "batch")
# The issue's speed-up targets against each peer (none against gnuplot-gd).
TARGETS = {
    "png": {"gnuplot": 2.0, "matplotlib": 20.0},
    "pdf": {"gnuplot": 1.3},
    "batch": {"gnuplot": 5.0, "matplotlib": 20.0},
}


def seconds(t):
    return f"{t * 1000:.1f} ms" if t < 1 else f"{t:.2f} s"


def row(cells):
    return "| " + " | ".join(cells) + " |"


def main():
    folder, count = sys.argv[1], sys.argv[2]
    titles = {"png": "one file to PNG", "pdf": "one file to PDF",
              "batch": f"{count} files to PNG, one call"}
    results = {}
    for case in CASES:
        with open(f"{folder}/{case}.json", encoding="utf-8") as f:
            results[case] = {r["command"]: r for r in json.load(f)["results"]}
    memory = {}
    with open(f"{folder}/memory.txt", encoding="utf-8") as f:
        for line in f:
            case, name, kib = line.split()
            memory[case, name] = int(kib) / 1024

    def table(heading, value):
        print()
        print(heading)
        print()
        print(row(["case"] + NAMES + ["vs " + p for p in PEERS]))
        print(row(["---"] + ["---:"] * (len(NAMES) + len(PEERS))))
        for case in CASES:
            measured = results[case]
            own = value(measured["vandrix-export"])
            cells = [seconds(value(measured[n])) if n in measured else "-" for n in NAMES]
            for peer in PEERS:
                if peer not in measured:
                    cells.append("-")
                    continue
                ratio = value(measured[peer]) / own
                target = TARGETS[case].get(peer)
                mark = ""
                if target is not None:
                    mark = f" ({'met' if ratio >= target else 'missed'}: {target:g}x)"
                cells.append(f"{ratio:.2f}x{mark}")
            print(row([titles[case]] + cells))

    table("Wall time, hyperfine medians; vs: the peer's time over vandrix-export's (target)",
          lambda r: r["median"])
    table("CPU time, mean user + system of the same runs (less sensitive to other load)",
          lambda r: r["user"] + r["system"])

    print()
    print("Peak memory, MiB (largest maximum resident set size of three runs, GNU time)")
    print()
    print(row(["case"] + NAMES + ["vs gnuplot", "vs matplotlib"]))
    print(row(["---"] + ["---:"] * (len(NAMES) + 2)))
    for case in CASES:
        cells = [f"{memory[case, n]:.1f}" if (case, n) in memory else "-" for n in NAMES]
        own = memory[case, "vandrix-export"]
        cells += [f"{own / memory[case, 'gnuplot']:.2f}x", f"{own / memory[case, 'matplotlib']:.2f}x"]
        print(row([titles[case]] + cells))
    own = memory["batch", "vandrix-export"]
    below = "met" if own < memory["batch", "matplotlib"] else "missed"
    within = "met" if own <= 1.5 * memory["batch", "gnuplot"] else "missed"
    print()
    print(f"{count}-file batch memory: below matplotlib's: {below}; within 1.5x of gnuplot's: {within}")


if __name__ == "__main__":
    main()
