#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# vandrix-export against gnuplot and matplotlib, whole process, in one run:
#   (a) one data file to PNG, (b) one data file to PDF, (c) 200 data files to PNG in one call;
# times with hyperfine (medians), peak memory with GNU time, then a table of medians and of
# vandrix-export's speed-up against each peer. The peers are bench/peers/ (per-file forms for a
# and b, one-process batch forms for c).
#
# Usage: bench/export.sh   (from anywhere; the repository is found from this script)
#   VANDRIX_EXPORT  the program to measure (default build/release/src/cli/vandrix-export)
#   RUNS            hyperfine runs of the one-file cases (default 20)
#   BATCH_RUNS      hyperfine runs of the 200-file cases (default 5)
#   FILES           number of data files of case c (default 200)
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
cd "$repo"
"$repo/scripts/setup" gnuplot-nox python3-matplotlib hyperfine time

exporter=${VANDRIX_EXPORT:-build/release/src/cli/vandrix-export}
[ -x "$exporter" ] || { echo "export.sh: no program at $exporter (set VANDRIX_EXPORT)" >&2; exit 2; }
exporter=$(cd "$(dirname "$exporter")" && pwd)/$(basename "$exporter")
python=/usr/bin/python3 # Debian's, which carries python3-matplotlib
peers=$repo/bench/peers
runs=${RUNS:-20}
batch_runs=${BATCH_RUNS:-5}
count=${FILES:-200}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/in" "$work/json"
for tool in gnuplot gnuplotgd matplotlib matplotlibreuse vandrix; do mkdir -p "$work/out-$tool"; done

# The data files of case c: the four sections of samples/ in turn, each copy with its own number
# in the title and its y values stretched a little, so that no two pictures are alike. CRLF and
# the UTF-8 header stay as they are; one x,y pair per line, the layout gnuplot reads directly.
awk -v count="$count" -v dir="$work/in" '
  FNR == 1 { n++ }
  { line[n, FNR] = $0; lines[n] = FNR }
  END {
    for (i = 0; i < count; i++) {
      s = i % n + 1
      out = sprintf("%s/section%03d.dat", dir, i)
      stretch = 1 + (i % 50) / 100
      for (k = 1; k <= lines[s]; k++) {
        l = line[s, k]
        if (k == 3) {
          sub(/\r$/, "", l); l = l " #" i "\r"
        } else if (k > 15 && split(l, xy, ",") == 2) {
          l = sprintf("%.6f,%.6f\r", xy[1], xy[2] * stretch)
        }
        print l > out
      }
      close(out)
    }
  }' samples/naca0012.dat samples/naca2412.dat samples/naca4415.dat samples/naca6409.dat
one=$repo/samples/naca2412.dat
inputs=("$work"/in/*.dat)

# Command lines per case and tool. gnuplot draws its PNGs with pngcairo, its usual terminal (the
# issue's anchors were taken with it); gnuplot-gd is its libgd terminal, faster and without
# anti-aliasing like the picture area. There is no libgd PDF.
declare -A cmd
cmd[png,gnuplot]="gnuplot -c $peers/png.gp $one $work/out-gnuplot/naca2412.png"
cmd[png,gnuplotgd]="gnuplot -e gd=1 -c $peers/png.gp $one $work/out-gnuplotgd/naca2412.png"
cmd[png,matplotlib]="$python $peers/plot.py --png -o $work/out-matplotlib $one"
cmd[png,vandrix]="$exporter --png -o $work/out-vandrix $one"
cmd[pdf,gnuplot]="gnuplot -c $peers/pdf.gp $one $work/out-gnuplot/naca2412.pdf"
cmd[pdf,matplotlib]="$python $peers/plot.py --pdf -o $work/out-matplotlib $one"
cmd[pdf,vandrix]="$exporter --pdf -o $work/out-vandrix $one"
cmd[batch,gnuplot]="gnuplot -e \"files='${inputs[*]}'\" -c $peers/batch-png.gp $work/out-gnuplot"
cmd[batch,gnuplotgd]="gnuplot -e \"gd=1; files='${inputs[*]}'\" -c $peers/batch-png.gp $work/out-gnuplotgd"
# matplotlib's batch: the plain loop, a new figure for each file (the issue's 9.4 s anchor is of
# that form, and the targets are read against it); matplotlib-reuse draws one figure again for
# every file, the faster loop a user who tunes matplotlib writes, shown beside it.
cmd[batch,matplotlib]="$python $peers/plot.py --png --figure-per-file -o $work/out-matplotlib ${inputs[*]}"
cmd[batch,matplotlibreuse]="$python $peers/plot.py --png -o $work/out-matplotlibreuse ${inputs[*]}"
cmd[batch,vandrix]="$exporter --png -o $work/out-vandrix ${inputs[*]}"
tools=(gnuplot gnuplotgd matplotlib matplotlibreuse vandrix)
declare -A title=([png]="one file to PNG" [pdf]="one file to PDF" [batch]="$count files to PNG, one call")
declare -A label=([gnuplot]=gnuplot [gnuplotgd]=gnuplot-gd [matplotlib]=matplotlib
  [matplotlibreuse]=matplotlib-reuse [vandrix]=vandrix-export)

echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "== gnuplot: $(gnuplot --version); matplotlib: $($python -c 'import matplotlib; print(matplotlib.__version__)');" \
  "vandrix-export: $("$exporter" --version 2>/dev/null | head -1)"

for case in png pdf batch; do
  n=$runs
  [ "$case" = batch ] && n=$batch_runs
  args=()
  for tool in "${tools[@]}"; do
    [ -n "${cmd[$case,$tool]:-}" ] && args+=(--command-name "${label[$tool]}" "${cmd[$case,$tool]}")
  done
  echo "== ${title[$case]}"
  hyperfine -N --warmup 2 --runs "$n" --export-json "$work/json/$case.json" "${args[@]}"
done

# Peak memory: the largest of three runs of each command.
for case in png pdf batch; do
  for tool in "${tools[@]}"; do
    [ -n "${cmd[$case,$tool]:-}" ] || continue
    peak=0
    for _ in 1 2 3; do
      kib=$(eval "/usr/bin/time -v ${cmd[$case,$tool]}" 2>&1 >/dev/null |
        sed -n 's/.*Maximum resident set size (kbytes): //p')
      [ "${kib:-0}" -gt "$peak" ] && peak=$kib
    done
    echo "$case ${label[$tool]} $peak" >> "$work/json/memory.txt"
  done
done

# Every tool wrote every picture.
for tool in "${tools[@]}"; do
  pngs=$(find "$work/out-$tool" -name 'section*.png' -size +1k | wc -l)
  [ "$pngs" -eq "$count" ] || { echo "export.sh: ${label[$tool]} wrote $pngs of $count PNGs" >&2; exit 1; }
  [ "$tool" = matplotlibreuse ] && continue  # batch only
  [ -s "$work/out-$tool/naca2412.png" ] ||
    { echo "export.sh: ${label[$tool]} wrote no naca2412.png" >&2; exit 1; }
  [ "$tool" = gnuplotgd ] || [ -s "$work/out-$tool/naca2412.pdf" ] ||
    { echo "export.sh: ${label[$tool]} wrote no naca2412.pdf" >&2; exit 1; }
done

"$python" "$repo/bench/export_table.py" "$work/json" "$count"
