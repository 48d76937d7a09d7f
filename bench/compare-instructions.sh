#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Instruction counts (valgrind --tool=callgrind) of two builds of vandrix-export for one PNG, one
# PDF, one section import and one template: repeatable whatever else the machine is doing.
#
# Usage: bench/compare-instructions.sh OLD_BUILD NEW_BUILD   (release build directories)
# Prints each case's count for both builds and the ratio NEW / OLD.
set -euo pipefail
[ $# -eq 2 ] || { sed -n '3,7p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
repo=$(cd "$(dirname "$0")/.." && pwd)
command -v valgrind >/dev/null || "$repo/scripts/setup" valgrind
work=$(mktemp -d /tmp/vandrix-instructions.XXXXXX)
trap 'rm -rf "$work"' EXIT

exporter() { find "$1" -type f -name vandrix-export -perm -u+x | head -1; }
old=$(exporter "$1")
new=$(exporter "$2")
[ -n "$old" ] && [ -n "$new" ] || { echo "no vandrix-export in $1 or $2" >&2; exit 2; }

samples=$repo/samples
cases=(
  "one PNG|--png $samples/naca2412.dat"
  "one PDF|--pdf $samples/naca2412.dat"
  "one section import|--dat $samples/sections/naca4415-lednicer.dat"
  "one template|--template --chord 300 $samples/naca2412.dat"
)

count() {  # count EXPORTER ARGS...: the instructions the whole process ran
  local out=$work/out-$RANDOM
  mkdir -p "$out"
  valgrind --tool=callgrind --callgrind-out-file="$work/callgrind.out" "$1" -o "$out" "${@:2}" \
    2>&1 >/dev/null | sed -n 's/.*Collected : \([0-9]*\).*/\1/p'
}

printf '%-20s %15s %15s %8s\n' case old new ratio
for entry in "${cases[@]}"; do
  name=${entry%%|*}
  read -r -a args <<<"${entry#*|}"
  a=$(QT_QPA_PLATFORM=offscreen count "$old" "${args[@]}")
  b=$(QT_QPA_PLATFORM=offscreen count "$new" "${args[@]}")
  printf '%-20s %15s %15s %8s\n' "$name" "$a" "$b" "$(echo "scale=4; $b / $a" | bc)"
done
