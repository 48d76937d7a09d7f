#!/usr/bin/env bash
# Whole-process start-up of the viewer against a bare Qt window program, side by side in one
# hyperfine run. Usage: bench/startup.sh [BUILD_DIR]   (default build/release)
set -euo pipefail
build=${1:-build/release}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
hyperfine --warmup 3 --runs "${RUNS:-30}" -N \
  --command-name "bare Qt window" "$OLDPWD/$build/bench/bench_startup_bare" \
  --command-name "vandrix start-up" "$OLDPWD/$build/bench/bench_startup_viewer"
