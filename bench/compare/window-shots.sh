#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Screenshots of the viewer with each data file open, taken on the display this runs on (started
# by compare-commits.sh under xvfb-run). The program directory is laid out afresh for every file,
# so that no run sees the Set.txt an earlier one wrote.
# Usage: window-shots.sh BIN_DIR LANGUAGE_TXT PROGRAM_DIR OUT_DIR LANGUAGE FILE...
#   BIN_DIR holds vandrix and vandrix-print.so; OUT_DIR gets NAME.png and NAME.set.txt (the
#   Set.txt the viewer left when SIGTERM closed it).
set -euo pipefail
bin=$1 language_txt=$2 program=$3 out=$4 language=$5
shift 5
mkdir -p "$out"

sigterm_caught() {  # sigterm_caught PID: the viewer's start-up is done once it catches SIGTERM
  local key mask comm
  # The shell that starts it catches SIGTERM too, until it has become the viewer.
  read -r comm 2>/dev/null <"/proc/$1/comm" || return 1
  [ "$comm" = vandrix ] || return 1
  while read -r key mask; do
    if [ "$key" = SigCgt: ]; then
      [ $((0x$mask & (1 << 14))) -ne 0 ]
      return
    fi
  done 2>/dev/null <"/proc/$1/status"
  return 1
}

for file in "$@"; do
  name=$(basename "$file" .dat)
  rm -rf "$program"
  mkdir -p "$program"
  cp "$bin/vandrix" "$bin/vandrix-print.so" "$program/"
  [ -f "$language_txt" ] && cp "$language_txt" "$program/Language.txt"
  # As scripts/run lays it out: the empty directory line lets the viewer find its own directory.
  printf '// Language\r\n %s \r\n// Init DIR\r\n\r\n// Scale\r\n 1000 \r\n// Printer Scale\r\n 150 \r\n// \r\n\r\n' \
    "$language" >"$program/Set.txt"
  (cd "$program" && exec ./vandrix "$file") >"$out/$name.log" 2>&1 &
  pid=$!
  ready=0
  for _ in $(seq 300); do
    if sigterm_caught "$pid"; then ready=1 && break; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.05
  done
  if [ "$ready" = 1 ]; then
    # The picture is painted after start-up; shoot until two shots in a row agree (at most
    # five), so that a slow first frame does not show up as a difference.
    sleep 0.5
    import -window root "$out/$name.png"
    for _ in 1 2 3 4; do
      sleep 0.3
      import -window root "$out/$name.next.png"
      if [ "$(compare -metric AE "$out/$name.png" "$out/$name.next.png" null: 2>&1)" = 0 ]; then
        break
      fi
      mv "$out/$name.next.png" "$out/$name.png"
    done
    rm -f "$out/$name.next.png"
    kill -TERM "$pid"
  else
    echo "window-shots.sh: $name: the viewer did not start" >&2
    kill -KILL "$pid" 2>/dev/null || true
  fi
  status=0
  wait "$pid" || status=$?
  echo "$status" >"$out/$name.status"
  cp "$program/Set.txt" "$out/$name.set.txt" 2>/dev/null || true
done
