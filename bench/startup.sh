#!/usr/bin/env bash
# Whole-process start-up of the viewer against a bare Qt window program, side by side in one
# hyperfine run. Usage: bench/startup.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
build=${1:-build/release}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A program directory as a user has it: settings and language file in place, so that start-up
# asks nothing.
cp samples/Language.txt "$work/"
printf '// Language\r\n 1 \r\n// Init DIR\r\n%s\r\n// Scale\r\n 1000 \r\n// Printer Scale\r\n 150 \r\n// \r\n\r\n' "$work" > "$work/Set.txt"
cd "$work"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
hyperfine --warmup 3 --runs "${RUNS:-30}" -N \
  --command-name "bare Qt window" "$OLDPWD/$build/bench/bench_startup_bare" \
  --command-name "vandrix start-up" "$OLDPWD/$build/bench/bench_startup_viewer"
