#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# True-size templates against the sheet and the plot, side by side in one run: 1,000 files to
# --dxf --template --template-svg and the same files to --pdf --svg; then a 1,000-rib set in all
# three formats. Usage: bench/templates.sh [VANDRIX_EXPORT] (default: the release build).
set -euo pipefail
cd "$(dirname "$0")/.."
EXPORT=$(realpath "${1:-build/release/src/cli/vandrix-export}")
[ -x "$EXPORT" ] || { echo "no $EXPORT: build it first (cmake --build --preset release)" >&2; exit 1; }
command -v hyperfine >/dev/null || { echo "hyperfine missing: scripts/setup installs it" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/templates" "$work/sheets" "$work/ribs"
# Data files and Selig/Lednicer files alike, under 1,000 names.
inputs=(samples/*.dat samples/sections/*.dat)
for i in $(seq 1 1000); do
  cp "${inputs[$((i % ${#inputs[@]}))]}" "$work/in/s$i.dat"
done

export QT_QPA_PLATFORM=offscreen
hyperfine --warmup 1 --runs 5 --export-markdown "$work/files.md" \
  -n "templates (--dxf --template --template-svg)" \
  "$EXPORT -o $work/templates --dxf --template --template-svg $work/in/*.dat" \
  -n "sheet and plot (--pdf --svg)" \
  "$EXPORT -o $work/sheets --pdf --svg $work/in/*.dat"
hyperfine --warmup 1 --runs 5 --export-markdown "$work/ribs.md" \
  -n "1,000-rib set (DXF, PDF, SVG)" \
  "$EXPORT -o $work/ribs --ribs 1000 --tip samples/naca0012.dat --chord 250 --tip-chord 120 --dxf --template --template-svg samples/naca2412.dat"
cat "$work/files.md" "$work/ribs.md"
