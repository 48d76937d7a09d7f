#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The library window on a folder of real section files: 11 copies of each file under their own
# names in a temporary directory (as bench/sections.sh makes them), filled RUNS times by
# bench_library offscreen: the fill's time, a header click during it, the longest wait of the
# window's events, the rows' memory.
#
# Usage: bench/library.sh   (from anywhere; the repository is found from this script)
#   SECTIONS       folder of section files (default: ../shared/sections beside the repository)
#   BENCH_LIBRARY  the program (default build/release/bench/bench_library)
#   COPIES         copies of each file (default 11)
#   RUNS           fills (default 5)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
sections=${SECTIONS:-$repo/../shared/sections}
program=${BENCH_LIBRARY:-build/release/bench/bench_library}
[ -x "$program" ] || { echo "library.sh: no program at $program (set BENCH_LIBRARY)" >&2; exit 2; }
copies=${COPIES:-11}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for ((c = 0; c < copies; c++)); do
  for f in "$sections"/*.dat; do
    cp "$f" "$work/c$c-$(basename "$f")"
  done
done
echo "library.sh: $(ls "$work" | wc -l) files, $(nproc) cores"
QT_QPA_PLATFORM=offscreen "$program" "$work" "${RUNS:-5}"
