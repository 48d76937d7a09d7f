#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Speed of two builds side by side, each case one hyperfine run holding both, so that both meet
# the same machine load: one data file to PNG, one to PDF, 200 section files to PNG in one call,
# and the viewer's whole start (started with a sample open, ready when it catches SIGTERM, then
# closed by SIGTERM) on a virtual display. When both builds hold bench/bench_startup_viewer,
# start-up to the first painted frame (as bench/startup.sh times it) is a further case. Prints
# the medians and the ratio NEW / OLD of each case.
#
# Usage: bench/compare-speed.sh OLD_BUILD NEW_BUILD   (release build dirs, e.g. build/release)
#   VANDRIX_SECTIONS  the 200 section files of the batch case (default ../shared/sections beside
#                     the repository; without it, the samples copied under 200 names)
#   RUNS              hyperfine runs of the one-file and start-up cases (default 20)
#   BATCH_RUNS        hyperfine runs of the 200-file case (default 5)
set -euo pipefail
[ $# -eq 2 ] || { sed -n '10,14p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
repo=$(cd "$(dirname "$0")/.." && pwd)
command -v hyperfine >/dev/null || "$repo/scripts/setup" hyperfine
runs=${RUNS:-20}
batch_runs=${BATCH_RUNS:-5}
die() { echo "compare-speed.sh: $*" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work/runtime}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

find_program() {  # find_program DIR NAME: the least deep executable file of that name
  find "$1" -type f -name "$2" -perm -u+x -printf '%d %p\n' 2>/dev/null | sort -n | head -1 |
    cut -d' ' -f2-
}

# Each build's programs, and a program directory laid out as scripts/run does.
declare -A exporter program firstpaint
for label in old new; do
  build=$1
  shift
  [ -d "$build" ] || die "no build directory $build"
  exporter[$label]=$(find_program "$build" vandrix-export)
  viewer=$(find_program "$build" vandrix)
  [ -n "${exporter[$label]}" ] && [ -n "$viewer" ] || die "no vandrix or vandrix-export in $build"
  firstpaint[$label]=$(find_program "$build" bench_startup_viewer)
  program[$label]=$work/program-$label
  mkdir -p "${program[$label]}" "$work/out-$label"
  cp "$viewer" "$(dirname "$viewer")/vandrix-print.so" "$repo/samples/Language.txt" "${program[$label]}/"
  printf '// Language\r\n 1 \r\n// Init DIR\r\n\r\n// Scale\r\n 1000 \r\n// Printer Scale\r\n 150 \r\n// \r\n\r\n' \
    >"${program[$label]}/Set.txt"
done

# The batch: the section folder's data files, or the samples under 200 names.
sections=${VANDRIX_SECTIONS:-$repo/../shared/sections}
if [ -d "$sections" ]; then
  mapfile -t batch < <(find "$(cd "$sections" && pwd)" -maxdepth 1 -type f -name '*.dat' | sort)
else
  mkdir "$work/batch"
  samples=("$repo"/samples/*.dat)
  for i in $(seq 0 199); do
    cp "${samples[i % ${#samples[@]}]}" "$work/batch/sample$(printf %03d "$i").dat"
  done
  batch=("$work"/batch/*.dat)
fi
one=$repo/samples/naca2412.dat

both() {  # both CASE HYPERFINE_ARGS... -- OLD_COMMAND NEW_COMMAND
  local case=$1 args=()
  shift
  while [ "$1" != -- ]; do args+=("$1") && shift; done
  echo "== $case"
  hyperfine "${args[@]}" --export-json "$work/$case.json" \
    --command-name old "$2" --command-name new "$3"
}

export_cmd() {  # export_cmd LABEL FORMAT FILE...: one vandrix-export command line
  local label=$1 format=$2
  shift 2
  printf '%q ' "${exporter[$label]}" "--$format" -o "$work/out-$label" "$@"
}

both one-png -N --warmup 3 --runs "$runs" -- \
  "$(export_cmd old png "$one")" "$(export_cmd new png "$one")"
both one-pdf -N --warmup 3 --runs "$runs" -- \
  "$(export_cmd old pdf "$one")" "$(export_cmd new pdf "$one")"
# Some real section files cannot be read (both builds say so and exit 1): failures are expected.
both batch-png -N -i --warmup 1 --runs "$batch_runs" -- \
  "$(export_cmd old png "${batch[@]}")" "$(export_cmd new png "${batch[@]}")"

# Start-up on a virtual display: hyperfine runs inside xvfb-run, so the display's own start is
# not timed.
start=$repo/bench/compare/start-viewer.sh
echo "== start-up"
xvfb-run -a -s "-screen 0 1100x720x24" hyperfine -N --warmup 3 --runs "$runs" \
  --export-json "$work/start-up.json" \
  --command-name old "$start ${program[old]} $one" --command-name new "$start ${program[new]} $one"
cases=(one-png one-pdf batch-png start-up)

if [ -n "${firstpaint[old]}" ] && [ -n "${firstpaint[new]}" ]; then
  (cd "${program[old]}" && QT_QPA_PLATFORM=offscreen \
    both first-paint -N --warmup 3 --runs "$runs" -- "${firstpaint[old]}" "${firstpaint[new]}")
  cases+=(first-paint)
fi

python3 - "$work" "${cases[@]}" <<'PY'
import json, sys
work, cases = sys.argv[1], sys.argv[2:]
print()
print(f"{'case':<12} {'old median':>11} {'new median':>11} {'new/old':>8}")
for case in cases:
    results = {r["command"]: r for r in json.load(open(f"{work}/{case}.json"))["results"]}
    old, new = results["old"]["median"], results["new"]["median"]
    print(f"{case:<12} {old * 1000:>8.1f} ms {new * 1000:>8.1f} ms {new / old:>8.3f}")
PY
