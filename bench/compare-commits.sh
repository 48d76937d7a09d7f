#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Shows that two commits behave alike: builds both (or takes existing builds), exports every
# sample and section file with each (PNG, PDF, SVG, converted data file, the table of measures,
# true-size templates as DXF, PDF and SVG, and a rib set; languages 1 and 2), screenshots the
# window with each sample open, and compares the results pixel by pixel and byte by byte. PDFs carry their creation time, so they are compared by their text
# (pdftotext -layout) and their pages as pictures (pdftoppm), SVGs as pictures (rsvg-convert).
# Converted data files carry the day's date and are compared as they are.
#
# Usage: bench/compare-commits.sh OLD NEW [OUTDIR]
#   OLD, NEW             commits (anything git rev-parse takes)
#   OUTDIR               where outputs, difference images and summary.txt go (default: a new
#                        directory under /tmp); its old/, new/ and diff/ are replaced
#   VANDRIX_OLD_BUILD    an existing release build dir of OLD (e.g. build/release): not rebuilt
#   VANDRIX_NEW_BUILD    the same for NEW
#   VANDRIX_SECTIONS     a folder of section files to export as well (default ../shared/sections
#                        beside the repository, when there)
#   VANDRIX_WINDOW_ALL=1 screenshot the window for the section folder's files too (slow)
#   VANDRIX_JOBS         parallel jobs for building and rasterising (default 2)
#   VANDRIX_KEEP_BUILDS=1  keep the worktrees this script builds in OUTDIR
# Exit status: 0 when everything is identical, 1 when anything differs, 2 when it could not run.
set -euo pipefail

usage() { sed -n '9,20p' "$0" | sed 's/^# \{0,1\}//' >&2; exit 2; }
[ $# -ge 2 ] && [ $# -le 3 ] || usage
repo=$(cd "$(dirname "$0")/.." && pwd)
jobs=${VANDRIX_JOBS:-2}
die() { echo "compare-commits.sh: $*" >&2; exit 2; }

declare -A commit
commit[old]=$(git -C "$repo" rev-parse --verify --quiet "$1^{commit}") || die "no commit $1"
commit[new]=$(git -C "$repo" rev-parse --verify --quiet "$2^{commit}") || die "no commit $2"
declare -A given=([old]=${VANDRIX_OLD_BUILD:-} [new]=${VANDRIX_NEW_BUILD:-})

out=${3:-$(mktemp -d /tmp/vandrix-compare.XXXXXX)}
mkdir -p "$out"
out=$(cd "$out" && pwd)
case "$out/" in "$repo"/*) die "OUTDIR must lie outside the repository" ;; esac
rm -rf "$out/old" "$out/new" "$out/diff" "$out/program" "$out"/results*.tsv
mkdir -p "$out/old" "$out/new" "$out/diff"
results=$out/results.tsv

"$repo/scripts/setup" librsvg2-bin >&2 # with xvfb, imagemagick and poppler-utils of the project

worktrees=()
cleanup() {
  [ "${VANDRIX_KEEP_BUILDS:-0}" = 1 ] && return
  for wt in "${worktrees[@]}"; do git -C "$repo" worktree remove --force "$wt" || true; done
}
trap cleanup EXIT

stage_start=$SECONDS
stage() { echo "== $* (at $((SECONDS - stage_start)) s)" >&2; }

# --- Builds --------------------------------------------------------------------------------------

find_program() {  # find_program DIR NAME: the least deep executable file of that name
  find "$1" -type f -name "$2" -perm -u+x -printf '%d %p\n' 2>/dev/null | sort -n | head -1 |
    cut -d' ' -f2-
}

prepare() {  # prepare old|new: the commit's programs and language file in $out/LABEL/bin
  local label=$1 build=${given[$1]} wt
  if [ -z "$build" ]; then
    wt=$out/worktree-$label
    [ -d "$wt" ] && git -C "$repo" worktree remove --force "$wt"
    git -C "$repo" worktree add --detach "$wt" "${commit[$label]}" >&2
    worktrees+=("$wt")
    stage "building $label (${commit[$label]:0:10}), log in $out/$label/build.log"
    if ! (cd "$wt" && cmake --preset release &&
      cmake --build --preset release --parallel "$jobs" --target vandrix vandrix-export) \
      >"$out/$label/build.log" 2>&1; then
      tail -20 "$out/$label/build.log" >&2
      die "the build of $label failed"
    fi
    build=$wt/build/release
  fi
  [ -d "$build" ] || die "no build directory $build"
  local viewer exporter module
  viewer=$(find_program "$build" vandrix)
  exporter=$(find_program "$build" vandrix-export)
  [ -n "$viewer" ] && [ -n "$exporter" ] || die "no vandrix or vandrix-export under $build"
  # The printing module lies beside the viewer; look further only if a layout moved it.
  module=$(dirname "$viewer")/vandrix-print.so
  [ -f "$module" ] || module=$(find "$build" -type f -name vandrix-print.so | head -1)
  [ -n "$module" ] || die "no vandrix-print.so under $build"
  mkdir -p "$out/$label/bin"
  cp "$viewer" "$exporter" "$module" "$out/$label/bin/"
  git -C "$repo" show "${commit[$label]}:samples/Language.txt" >"$out/$label/bin/Language.txt" ||
    cp "$repo/samples/Language.txt" "$out/$label/bin/Language.txt"
  echo "$label: ${commit[$label]} from $build" >&2
}
prepare old
prepare new

# --- Inputs --------------------------------------------------------------------------------------

inputs=("$repo"/samples/*.dat "$repo"/samples/sections/*.dat)
window_inputs=("${inputs[@]}")
sections=${VANDRIX_SECTIONS:-$repo/../shared/sections}
if [ -d "$sections" ]; then
  sections=$(cd "$sections" && pwd)
  mapfile -d '' section_files < <(find "$sections" -maxdepth 1 -type f -print0 | sort -z)
  inputs+=("${section_files[@]}")
  [ "${VANDRIX_WINDOW_ALL:-0}" = 1 ] && window_inputs+=("${section_files[@]}")
elif [ -n "${VANDRIX_SECTIONS:-}" ]; then
  die "no section folder $sections"
else
  echo "(no section folder at $sections: samples only)" >&2
fi

# --- Exports and their pictures ------------------------------------------------------------------

export_all() {  # export_all LABEL LANGUAGE: outputs in $out/LABEL/langN/files, pictures beside
  local dir=$out/$1/lang$2 status=0
  mkdir -p "$dir/files" "$dir/pdf-raster" "$dir/pdf-text" "$dir/svg-raster"
  # Run inside $dir with a relative output folder, so the messages read alike for both commits.
  (cd "$dir" && "$out/$1/bin/vandrix-export" --png --pdf --svg --dat --screen-scale 1000 \
    --printer-scale 150 --language "$2" -o files "${inputs[@]}") \
    >"$dir/messages.txt" 2>&1 || status=$?
  echo "exit status $status" >>"$dir/messages.txt"
  find "$dir/files" -name '*.pdf' -print0 | xargs -0 -r -P "$jobs" -n 16 bash -c '
    for f; do
      n=$(basename "$f" .pdf)
      pdftoppm -r 100 -png "$f" "$0/pdf-raster/$n"
      pdftotext -layout "$f" "$0/pdf-text/$n.txt"
    done' "$dir"
  find "$dir/files" -name '*.svg' -print0 | xargs -0 -r -P "$jobs" -n 16 bash -c '
    for f; do rsvg-convert -o "$0/svg-raster/$(basename "$f" .svg).png" "$f"; done' "$dir"
}

export_builds() {  # export_builds LABEL LANGUAGE: the table, templates and a rib set
  local dir=$out/$1/lang$2 exporter=$out/$1/bin/vandrix-export status
  mkdir -p "$dir/templates" "$dir/template-raster" "$dir/template-text" "$dir/template-svg-raster"
  status=0
  (cd "$dir" && "$exporter" --table table.csv --language "$2" "${inputs[@]}") \
    >"$dir/table-messages.txt" 2>&1 || status=$?
  echo "exit status $status" >>"$dir/table-messages.txt"
  status=0
  (cd "$dir" && "$exporter" --dxf --template --template-svg --chord 150 --te-thickness 0.5 \
    --inset 1 --spar 30:4:3 --language "$2" -o templates "${inputs[@]}") \
    >"$dir/template-messages.txt" 2>&1 || status=$?
  echo "exit status $status" >>"$dir/template-messages.txt"
  status=0
  (cd "$dir" && "$exporter" --ribs 4 --tip "$repo/samples/naca0012.dat" --chord 200 \
    --tip-chord 120 --dxf --template --template-svg --language "$2" -o templates \
    "$repo/samples/naca2412.dat") >>"$dir/template-messages.txt" 2>&1 || status=$?
  echo "exit status $status" >>"$dir/template-messages.txt"
  find "$dir/templates" -name '*.pdf' -print0 | xargs -0 -r -P "$jobs" -n 16 bash -c '
    for f; do
      n=$(basename "$f" .pdf)
      pdftoppm -r 100 -png "$f" "$0/template-raster/$n"
      pdftotext -layout "$f" "$0/template-text/$n.txt"
    done' "$dir"
  find "$dir/templates" -name '*.svg' -print0 | xargs -0 -r -P "$jobs" -n 16 bash -c '
    for f; do rsvg-convert -o "$0/template-svg-raster/$(basename "$f" .svg).png" "$f"; done' "$dir"
}

for label in old new; do
  for language in 1 2; do
    stage "exporting with $label, language $language"
    export_all "$label" "$language"
    export_builds "$label" "$language"
  done
done

# --- The window ----------------------------------------------------------------------------------

export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$out/runtime}
mkdir -p -m 700 "$XDG_RUNTIME_DIR"
for label in old new; do
  for language in 1 2; do
    stage "window screenshots with $label, language $language (${#window_inputs[@]} files)"
    # One program directory path for both commits: the viewer records it in Set.txt.
    xvfb-run -a -s "-screen 0 1100x720x24" "$repo/bench/compare/window-shots.sh" \
      "$out/$label/bin" "$out/$label/bin/Language.txt" "$out/program" \
      "$out/$label/window-lang$language" "$language" "${window_inputs[@]}"
  done
done

# --- Comparison ----------------------------------------------------------------------------------

record() { printf '%s\t%s\t%s\t%s\n' "$@" >>"$results"; }  # KIND NAME same|differs DETAIL

names() {  # names SUBDIR PATTERN: the files of that pattern in either commit's SUBDIR
  for label in old new; do
    (cd "$out/$label/$1" 2>/dev/null && find . -type f -name "$2" | sed 's|^\./||') || true
  done | sort -u
}

compare_images() {  # compare_images KIND SUBDIR PATTERN
  local kind=$1 sub=$2 name a b diff pixels status sizes
  while IFS= read -r name; do
    a=$out/old/$sub/$name b=$out/new/$sub/$name diff=$out/diff/$kind/${sub%%/*}/$name
    if [ ! -f "$a" ] || [ ! -f "$b" ]; then
      record "$kind" "$sub/$name" differs "only in $([ -f "$a" ] && echo old || echo new)"
      continue
    fi
    if cmp -s "$a" "$b"; then record "$kind" "$sub/$name" same "" && continue; fi
    # compare takes pictures of other sizes as alike: sizes first.
    read -r -a sizes < <(identify -format '%wx%h ' "$a" "$b") || true  # no line end
    if [ "${sizes[0]}" != "${sizes[1]}" ]; then
      record "$kind" "$sub/$name" differs "size ${sizes[0]} against ${sizes[1]}"
      continue
    fi
    mkdir -p "$(dirname "$diff")"
    status=0
    pixels=$(compare -precision 12 -metric AE "$a" "$b" "$diff" 2>&1) || status=$?
    if [ "$status" = 0 ] && [ "$pixels" = 0 ]; then
      rm -f "$diff"
      record "$kind" "$sub/$name" same ""
    elif [ "$status" = 1 ]; then
      record "$kind" "$sub/$name" differs "$pixels pixels, $diff"
    else
      record "$kind" "$sub/$name" differs "compare failed: $pixels"
    fi
  done < <(names "$sub" "$3")
}

compare_files() {  # compare_files KIND SUBDIR PATTERN: byte for byte, a diff -u where they differ
  local kind=$1 sub=$2 name a b diff
  while IFS= read -r name; do
    a=$out/old/$sub/$name b=$out/new/$sub/$name diff=$out/diff/$kind/${sub%%/*}/$name.diff
    if [ ! -f "$a" ] || [ ! -f "$b" ]; then
      record "$kind" "$sub/$name" differs "only in $([ -f "$a" ] && echo old || echo new)"
    elif cmp -s "$a" "$b"; then
      record "$kind" "$sub/$name" same ""
    else
      mkdir -p "$(dirname "$diff")"
      diff -u --label old --label new "$a" "$b" >"$diff" || true
      record "$kind" "$sub/$name" differs "$(cmp "$a" "$b" | sed 's/.*differ: //'), $diff"
    fi
  done < <(names "$sub" "$3")
}

compare_language() {  # compare_language N: everything of language N into its own results file
  local language=$1
  results=$out/results-lang$language.tsv
  : >"$results"
  compare_images png "lang$language/files" '*.png'
  compare_images svg-raster "lang$language/svg-raster" '*.png'
  compare_images pdf-raster "lang$language/pdf-raster" '*.png'
  compare_files pdf-text "lang$language/pdf-text" '*.txt'
  compare_files dat "lang$language/files" '*.dat'
  compare_files messages "lang$language" messages.txt
  compare_files table "lang$language" table.csv
  compare_files messages "lang$language" table-messages.txt
  compare_files messages "lang$language" template-messages.txt
  compare_files dxf "lang$language/templates" '*.dxf'
  compare_files template-svg "lang$language/templates" '*.svg'
  compare_images template-raster "lang$language/template-raster" '*.png'
  compare_files template-text "lang$language/template-text" '*.txt'
  compare_images window "window-lang$language" '*.png'
  compare_files window-set.txt "window-lang$language" '*.set.txt'
  compare_files window-exit "window-lang$language" '*.status'
}

stage "comparing"
# Both languages at once: comparing pictures that differ takes a while.
pids=()
for language in 1 2; do
  compare_language "$language" &
  pids+=($!)
done
for pid in "${pids[@]}"; do wait "$pid" || die "the comparison failed"; done
cat "$out/results-lang1.tsv" "$out/results-lang2.tsv" >"$results"

# --- Summary -------------------------------------------------------------------------------------

{
  echo "old ${commit[old]}"
  echo "new ${commit[new]}"
  echo "inputs: ${#inputs[@]} exported, ${#window_inputs[@]} in the window; languages 1 and 2;" \
    "$((SECONDS - stage_start)) s"
  awk -F'\t' '
    !($1 in seen) { seen[$1] = 1; kinds[++m] = $1 }
    { count[$1, $3]++ }
    $3 == "differs" { bad[++n] = "  " $1 "  " $2 "  " $4 }
    END {
      printf "%-16s %9s %9s\n", "kind", "identical", "differing"
      for (i = 1; i <= m; i++)
        printf "%-16s %9d %9d\n", kinds[i], count[kinds[i], "same"], count[kinds[i], "differs"]
      if (n) { print "differing:"; for (i = 1; i <= n; i++) print bad[i] }
      else print "everything identical"
    }' "$results"
} | tee "$out/summary.txt"
echo "outputs and difference images: $out"
! grep -q $'\tdiffers\t' "$results"
