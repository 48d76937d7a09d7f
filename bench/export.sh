#!/usr/bin/env bash
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
for tool in gnuplot matplotlib vandrix; do mkdir -p "$work/out-$tool"; done

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

# Command lines per case and tool.
declare -A cmd
cmd[png,gnuplot]="gnuplot -c $peers/png.gp $one $work/out-gnuplot/naca2412.png"
cmd[png,matplotlib]="$python $peers/plot.py --png -o $work/out-matplotlib $one"
cmd[png,vandrix]="$exporter --png -o $work/out-vandrix $one"
cmd[pdf,gnuplot]="gnuplot -c $peers/pdf.gp $one $work/out-gnuplot/naca2412.pdf"
cmd[pdf,matplotlib]="$python $peers/plot.py --pdf -o $work/out-matplotlib $one"
cmd[pdf,vandrix]="$exporter --pdf -o $work/out-vandrix $one"
cmd[batch,gnuplot]="gnuplot -e \"files='${inputs[*]}'\" -c $peers/batch-png.gp $work/out-gnuplot"
cmd[batch,matplotlib]="$python $peers/plot.py --png -o $work/out-matplotlib ${inputs[*]}"
cmd[batch,vandrix]="$exporter --png -o $work/out-vandrix ${inputs[*]}"
tools=(gnuplot matplotlib vandrix)
declare -A title=([png]="one file to PNG" [pdf]="one file to PDF" [batch]="$count files to PNG, one call")
declare -A label=([gnuplot]=gnuplot [matplotlib]=matplotlib [vandrix]=vandrix-export)

echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')"
echo "== gnuplot: $(gnuplot --version); matplotlib: $($python -c 'import matplotlib; print(matplotlib.__version__)');" \
  "vandrix-export: $("$exporter" --version 2>/dev/null | head -1)"

for case in png pdf batch; do
  n=$runs
  [ "$case" = batch ] && n=$batch_runs
  args=()
  for tool in "${tools[@]}"; do args+=(--command-name "${label[$tool]}" "${cmd[$case,$tool]}"); done
  echo "== ${title[$case]}"
  hyperfine -N --warmup 2 --runs "$n" --export-json "$work/json/$case.json" "${args[@]}"
done

# Peak memory: the largest of three runs of each command.
declare -A rss
for case in png pdf batch; do
  for tool in "${tools[@]}"; do
    peak=0
    for _ in 1 2 3; do
      kb=$(eval "/usr/bin/time -v ${cmd[$case,$tool]}" 2>&1 >/dev/null |
        sed -n 's/.*Maximum resident set size (kbytes): //p')
      [ "${kb:-0}" -gt "$peak" ] && peak=$kb
    done
    rss[$case,$tool]=$peak
  done
done

# Every tool wrote every picture.
for tool in "${tools[@]}"; do
  pngs=$(find "$work/out-$tool" -name 'section*.png' -size +1k | wc -l)
  [ "$pngs" -eq "$count" ] || { echo "export.sh: ${label[$tool]} wrote $pngs of $count PNGs" >&2; exit 1; }
  [ -s "$work/out-$tool/naca2412.pdf" ] && [ -s "$work/out-$tool/naca2412.png" ] ||
    { echo "export.sh: ${label[$tool]} wrote no naca2412.png/.pdf" >&2; exit 1; }
done

memory=$(for case in png pdf batch; do
  echo "$case ${rss[$case,gnuplot]} ${rss[$case,matplotlib]} ${rss[$case,vandrix]}"
done)
"$python" - "$work/json" "$count" <<EOF
import json, sys
folder, count = sys.argv[1], sys.argv[2]
memory = {l.split()[0]: [int(v) / 1024 for v in l.split()[1:]] for l in """$memory""".splitlines()}
names = ["gnuplot", "matplotlib", "vandrix-export"]
titles = {"png": "one file to PNG", "pdf": "one file to PDF", "batch": count + " files to PNG, one call"}
# Speed-up targets against gnuplot and matplotlib (None: none set).
targets = {"png": (2.0, 20.0), "pdf": (1.3, None), "batch": (5.0, 20.0)}
print()
print("| case | gnuplot | matplotlib | vandrix-export | speed-up vs gnuplot | vs matplotlib |")
print("|---|---:|---:|---:|---:|---:|")
for case in ("png", "pdf", "batch"):
    results = {r["command"]: r for r in json.load(open(f"{folder}/{case}.json"))["results"]}
    median = [results[n]["median"] for n in names]
    cells = [f"{m * 1000:.1f} ms" if m < 1 else f"{m:.2f} s" for m in median]
    ratios = []
    for peer, target in zip(median[:2], targets[case]):
        ratio = peer / median[2]
        mark = "" if target is None else (f" (target {target:g}x: " + ("met" if ratio >= target else "missed") + ")")
        ratios.append(f"{ratio:.2f}x{mark}")
    print(f"| {titles[case]} | " + " | ".join(cells + ratios) + " |")
print()
print("| peak memory (MiB) | gnuplot | matplotlib | vandrix-export | vs gnuplot | vs matplotlib |")
print("|---|---:|---:|---:|---:|---:|")
for case in ("png", "pdf", "batch"):
    g, m, v = memory[case]
    print(f"| {titles[case]} | {g:.1f} | {m:.1f} | {v:.1f} | {v / g:.2f}x | {v / m:.2f}x |")
g, m, v = memory["batch"]
print()
print(f"batch memory targets: below matplotlib's: {'met' if v < m else 'missed'}; "
      f"within 1.5x of gnuplot's: {'met' if v <= 1.5 * g else 'missed'}")
EOF
