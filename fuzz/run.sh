#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the fuzz targets with clang-14 (libFuzzer, ASan, UBSan) and runs each for SECONDS.
# New inputs go to build/fuzz/corpus/<target> (seeded from fuzz/corpus); crashes to
# build/fuzz/artifacts. Exits non-zero when a target finds a crash or a property violation.
# Usage: fuzz/run.sh [SECONDS] [TARGET...]; VANDRIX_FUZZ_RUNS=N also stops a target after N
# executions.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(numeric headerline datafile settings language sections)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --parallel "${VANDRIX_JOBS:-2}"

build=build/fuzz
mkdir -p "$build/artifacts"
status=0
printf '%-12s %14s %10s %8s %8s\n' target executions exec/s seconds result
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  log="$build/$target.log"
  started=$SECONDS
  if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -runs="${VANDRIX_FUZZ_RUNS:--1}" \
      -print_final_stats=1 -timeout=10 \
      -rss_limit_mb=2048 -artifact_prefix="$build/artifacts/$target-" \
      "$corpus" "fuzz/corpus/$target" > "$log" 2>&1; then
    result=ok
  else
    result=FAILED
    status=1
  fi
  took=$((SECONDS - started))
  runs=$(awk '/stat::number_of_executed_units/ {print $NF}' "$log")
  rate=$(awk '/stat::average_exec_per_sec/ {print $NF}' "$log")
  printf '%-12s %14s %10s %8s %8s\n' "$target" "${runs:-?}" "${rate:-?}" "$took" "$result"
  [ "$result" = ok ] || tail -n 30 "$log"
done
exit $status
