#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Whole-process start-up of the viewer to its first painted frame, against the text floor (a
# window painting one label of Japanese text) and an empty window, side by side in one hyperfine
# run; then start-up in a program directory of 100,000 files against an empty one. Peak memory
# of each from /usr/bin/time -v (median of several runs); with CALLGRIND=1 also the instructions
# each start-up executes (valgrind), a figure that does not move with the machine's load.
# Usage: bench/startup.sh [BUILD_DIR]   (default build/release; RUNS, MEMRUNS, FILES to change)
set -euo pipefail
build=$(cd "${1:-build/release}" && pwd)
src=$(cd "$(dirname "$0")/.." && pwd)
runs=${RUNS:-30}
memruns=${MEMRUNS:-7}
files=${FILES:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$work/runtime}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"

viewer=$build/bench/bench_startup_viewer
text=$build/bench/bench_startup_text
bare=$build/bench/bench_startup_bare

# A program directory as a user has it: settings and language file in place, so that start-up
# asks nothing. The shipped first Set.txt names no directory; one start in a directory that
# holds the program's file lets the viewer find it and write it into Set.txt.
home=$work/home
mkdir "$home"
cp "$src/samples/Language.txt" "$src/samples/Set.txt" "$home/"
: > "$home/$(basename "$viewer")"
(cd "$home" && "$viewer")

# Two program directories whose Set.txt has an empty directory line, so that start-up looks
# for the program's own file among the directory's names (and writes Set.txt, which each run
# puts back): one that holds nothing else, one that holds $files other files.
for d in empty big; do
  mkdir "$work/$d"
  cp "$src/samples/Language.txt" "$work/$d/"
  : > "$work/$d/$(basename "$viewer")"
  cp "$src/samples/Set.txt" "$work/$d/"
  cp "$work/$d/Set.txt" "$work/$d/Set.txt.orig"
done
(cd "$work/big" && seq -f 'section%06g.dat' 1 "$files" | xargs touch)

peak_kib() {  # peak_kib DIR PROGRAM: median peak resident set over $memruns runs, in KiB
  local dir=$1 prog=$2
  for _ in $(seq "$memruns"); do
    cp "$dir/Set.txt.orig" "$dir/Set.txt" 2>/dev/null || true
    (cd "$dir" && /usr/bin/time -v "$prog" 2>&1 >/dev/null | awk '/Maximum resident/ {print $6}')
  done | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'
}

json=$work/startup.json
json_dir=$work/directory.json
cd "$home"
hyperfine --warmup 3 --runs "$runs" -N --export-json "$json" \
  --command-name "empty window" "$bare" \
  --command-name "text floor" "$text" \
  --command-name "vandrix" "$viewer"

cd "$work"
hyperfine --warmup 3 --runs "$runs" -N --export-json "$json_dir" \
  --prepare "cp $work/empty/Set.txt.orig $work/empty/Set.txt" \
  --command-name "vandrix, empty directory" "sh -c 'cd $work/empty && exec $viewer'" \
  --prepare "cp $work/big/Set.txt.orig $work/big/Set.txt" \
  --command-name "vandrix, $files files" "sh -c 'cd $work/big && exec $viewer'"

mem_bare=$(peak_kib "$home" "$bare")
mem_text=$(peak_kib "$home" "$text")
mem_viewer=$(peak_kib "$home" "$viewer")
mem_empty=$(peak_kib "$work/empty" "$viewer")
mem_big=$(peak_kib "$work/big" "$viewer")

instructions() {  # instructions PROGRAM: instructions executed in $home, or "-"
  if [ "${CALLGRIND:-0}" = 1 ] && command -v valgrind >/dev/null; then
    (cd "$home" && valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>&1 >/dev/null |
      awk '/Collected/ {print $4}')
  else
    echo -
  fi
}
ir_bare=$(instructions "$bare")
ir_text=$(instructions "$text")
ir_viewer=$(instructions "$viewer")

python3 - "$json" "$json_dir" "$mem_bare" "$mem_text" "$mem_viewer" "$mem_empty" "$mem_big" "$files" \
  "$ir_bare" "$ir_text" "$ir_viewer" <<'PY'
import json, sys
def load(path):
    return {r["command"]: r for r in json.load(open(path))["results"]}
start, dirs = load(sys.argv[1]), load(sys.argv[2])
bare, text, viewer, empty, big = (int(v) / 1024 for v in sys.argv[3:8])
files = sys.argv[8]
ir = [None if v == "-" else int(v) for v in sys.argv[9:12]]
ms = lambda r: r["median"] * 1000
cpu = lambda r: (r["user"] + r["system"]) * 1000
mir = lambda v: "-" if v is None else f"{v / 1e6:.1f} M"
r_bare, r_text, r_viewer = start["empty window"], start["text floor"], start["vandrix"]
r_empty, r_big = dirs["vandrix, empty directory"], dirs[f"vandrix, {files} files"]
ratio_ir = "-" if None in ir else f"**{ir[2] / ir[1]:.2f}x**"
print()
print("| Start-up to the first painted frame | median time | CPU (user+sys, mean) "
      "| instructions | peak memory |")
print("|---|---|---|---|---|")
for name, r, i, m in (("empty window", r_bare, ir[0], bare), ("text floor", r_text, ir[1], text),
                      ("vandrix", r_viewer, ir[2], viewer)):
    print(f"| {name} | {ms(r):.1f} ms | {cpu(r):.1f} ms | {mir(i)} | {m:.1f} MiB |")
print(f"| **vandrix / text floor** (targets: time 1.15x, memory 1.05x) "
      f"| **{ms(r_viewer) / ms(r_text):.2f}x** | **{cpu(r_viewer) / cpu(r_text):.2f}x** "
      f"| {ratio_ir} | **{viewer / text:.2f}x** |")
print(f"| vandrix, empty directory line, empty directory | {ms(r_empty):.1f} ms "
      f"| {cpu(r_empty):.1f} ms | | {empty:.1f} MiB |")
print(f"| vandrix, empty directory line, {files} files | {ms(r_big):.1f} ms "
      f"| {cpu(r_big):.1f} ms | | {big:.1f} MiB |")
print(f"| **{files} files / empty** (target 1.2x) | **{ms(r_big) / ms(r_empty):.2f}x** "
      f"| **{cpu(r_big) / cpu(r_empty):.2f}x** | | **{big / empty:.2f}x** |")
PY
