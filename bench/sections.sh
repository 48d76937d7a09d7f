#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The section import on a folder of real section files: 11 copies of each file under their own
# names in a temporary directory, converted by vandrix-export --dat --table in one call, timed
# with hyperfine beside an earlier build's --dat (the same inputs, one run after the other).
# Then the counts of converted and refused files and each refusal's reason from the table, and
# the comparison with the independent reference in bench/sections_reference.py (Python, scipy)
# on one copy.
#
# Usage: bench/sections.sh   (from anywhere; the repository is found from this script)
#   SECTIONS         folder of section files (default: ../shared/sections beside the repository)
#   VANDRIX_EXPORT   the program to measure (default build/release/src/cli/vandrix-export)
#   BEFORE_EXPORT    an earlier build to time beside it (optional)
#   COPIES           copies of each file (default 11)
#   RUNS             hyperfine runs (default 5)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
"$repo/scripts/setup" hyperfine python3-scipy python3-numpy

sections=${SECTIONS:-$repo/../shared/sections}
exporter=${VANDRIX_EXPORT:-build/release/src/cli/vandrix-export}
[ -x "$exporter" ] || { echo "sections.sh: no program at $exporter (set VANDRIX_EXPORT)" >&2; exit 2; }
exporter=$(cd "$(dirname "$exporter")" && pwd)/$(basename "$exporter")
copies=${COPIES:-11}
runs=${RUNS:-5}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/out" "$work/before" "$work/one"
for ((c = 0; c < copies; c++)); do
  for f in "$sections"/*.dat; do
    cp "$f" "$work/in/c$c-$(basename "$f")"
  done
done
count=$(ls "$work/in" | wc -l)
echo "sections.sh: $count inputs ($copies copies of $(ls "$sections"/*.dat | wc -l) files), $(nproc) cores"

commands=(-n "now: dat + table" "$exporter --dat --table $work/table.csv -o $work/out $work/in/*.dat 2>/dev/null || true")
if [ -n "${BEFORE_EXPORT:-}" ]; then
  commands+=(-n "before: dat" "$BEFORE_EXPORT --dat -o $work/before $work/in/*.dat 2>/dev/null || true")
fi
hyperfine --warmup 1 --runs "$runs" --shell=bash "${commands[@]}"

# Counts and reasons, from one copy of each file.
"$exporter" --dat --table "$work/one.csv" -o "$work/one" "$sections"/*.dat 2>"$work/one.err" || true
/usr/bin/python3 - "$work/one.csv" <<'EOF'
import csv, sys
rows = list(csv.DictReader(open(sys.argv[1], encoding="utf-8", newline="")))
refused = [r for r in rows if r["refused"]]
warned = [r for r in rows if r["warnings"] and not r["refused"]]
print("converted %d of %d, refused %d, converted with a warning %d" %
      (len(rows) - len(refused), len(rows), len(refused), len(warned)))
for r in refused:
    print("  refused %s: %s" % (r["file"], r["refused"]))
for r in warned:
    print("  warning %s: %s" % (r["file"], r["warnings"]))
EOF
/usr/bin/python3 "$repo/bench/sections_reference.py" "$sections" "$work/one"
