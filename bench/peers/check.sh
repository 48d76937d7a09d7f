#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Self-check of the peers: every form (gnuplot per file and batch, matplotlib per file and batch)
# draws every sample as a 996 x 396 PNG and an A4 PDF holding the file's title (gnuplot's libgd
# terminal: the PNG), and the three
# layouts of naca2412 give the same picture. Usage: bench/peers/check.sh   (from the repository)
set -euo pipefail
peers=$(cd "$(dirname "$0")" && pwd)
samples=$(cd "$peers/../../samples" && pwd)
python=${PYTHON:-/usr/bin/python3}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

files=("$samples"/*.dat)
mkdir -p "$work/gp1" "$work/gpN" "$work/gpgd" "$work/mpl1" "$work/mplN"
for f in "${files[@]}"; do
  stem=$(basename "$f" .dat)
  gnuplot -e "anylayout=1" -c "$peers/png.gp" "$f" "$work/gp1/$stem.png"
  gnuplot -e "anylayout=1" -c "$peers/pdf.gp" "$f" "$work/gp1/$stem.pdf"
  "$python" "$peers/plot.py" --png -o "$work/mpl1" "$f"
  "$python" "$peers/plot.py" --pdf -o "$work/mpl1" "$f"
done
gnuplot -e "anylayout=1; files='${files[*]}'" -c "$peers/batch-png.gp" "$work/gpN"
gnuplot -e "anylayout=1; files='${files[*]}'" -c "$peers/batch-pdf.gp" "$work/gpN"
gnuplot -e "anylayout=1; gd=1; files='${files[*]}'" -c "$peers/batch-png.gp" "$work/gpgd"
"$python" "$peers/plot.py" --png -o "$work/mplN" "${files[@]}"
"$python" "$peers/plot.py" --pdf -o "$work/mplN" "${files[@]}"

for dir in gp1 gpN gpgd mpl1 mplN; do
  for f in "${files[@]}"; do
    stem=$(basename "$f" .dat)
    png=$work/$dir/$stem.png
    pdf=$work/$dir/$stem.pdf
    title=$(sed -n 3p "$f" | cut -d: -f3- | tr -d '\r')
    file "$png" | grep -q 'PNG image data, 996 x 396' || fail "$dir/$stem.png: not a 996 x 396 PNG"
    [ "$dir" = gpgd ] && continue
    pdfinfo "$pdf" 2>/dev/null | grep -q 'A4' || fail "$dir/$stem.pdf: not an A4 PDF"
    pdftotext "$pdf" - 2>/dev/null | grep -qF "$title" || fail "$dir/$stem.pdf: no title '$title'"
  done
  # The same section in three layouts reads alike.
  for layout in one-line one-per-line; do
    cmp -s "$work/$dir/naca2412.png" "$work/$dir/naca2412-$layout.png" ||
      fail "$dir: naca2412-$layout.png differs from naca2412.png"
  done
  # Different sections give different pictures (the curves are really drawn).
  cmp -s "$work/$dir/naca2412.png" "$work/$dir/naca4415.png" &&
    fail "$dir: naca2412.png and naca4415.png are the same"
done
[ "$failures" -eq 0 ] && echo "peers: all forms draw every sample" || exit 1
