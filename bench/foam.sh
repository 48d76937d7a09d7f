#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# A foam core's G-code against the sheet of the same file, side by side in one run, whole
# process: a tapered, swept core with washout and kerf (--gcode, the program and its preview)
# and one --pdf. Usage: bench/foam.sh [VANDRIX_EXPORT] (default: the release build).
set -euo pipefail
cd "$(dirname "$0")/.."
EXPORT=$(realpath "${1:-build/release/src/cli/vandrix-export}")
[ -x "$EXPORT" ] || { echo "no $EXPORT: build it first (cmake --build --preset release)" >&2; exit 1; }
command -v hyperfine >/dev/null || { echo "hyperfine missing: scripts/setup installs it" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
core=(--gcode --span 700 --towers 1000 --chord 250 --tip samples/naca0012.dat --tip-chord 150
      --sweep 60 --washout 2.5 --kerf 1.2 --tip-kerf 1.6 --te-thickness 0.8)
hyperfine -N --warmup 3 --runs "${RUNS:-30}" --export-markdown "$work/foam.md" \
  -n "foam core with kerf (--gcode)" "$EXPORT -o $work ${core[*]} samples/naca4415.dat" \
  -n "sheet (--pdf)" "$EXPORT -o $work --pdf samples/naca4415.dat"
cat "$work/foam.md"
