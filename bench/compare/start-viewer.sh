#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# One whole start of the viewer, for timing: starts it in PROGRAM_DIR with FILE open, waits until
# its start-up is done (it catches SIGTERM), closes it with SIGTERM and waits for it to end, as
# a logout would. Exit status 1 when it never got ready.
# Usage: start-viewer.sh PROGRAM_DIR FILE
set -euo pipefail
cd "$1"
./vandrix "$2" &
pid=$!
# Builtins only while polling, so that the loop itself costs little next to what it times.
for _ in $(seq 10000); do
  # The shell that starts it catches SIGTERM too, until it has become the viewer.
  comm=
  read -r comm 2>/dev/null <"/proc/$pid/comm" || true
  while [ "$comm" = vandrix ] && read -r key mask; do
    if [ "$key" = SigCgt: ]; then
      if [ $((0x$mask & (1 << 14))) -ne 0 ]; then
        kill -TERM "$pid"
        wait "$pid"
        exit
      fi
      break
    fi
  done 2>/dev/null <"/proc/$pid/status" || true
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.002
done
kill -KILL "$pid" 2>/dev/null || true
echo "start-viewer.sh: the viewer did not get ready" >&2
exit 1
