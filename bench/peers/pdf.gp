# One data file to its A4 sheet as PDF.
# Usage: gnuplot -c bench/peers/pdf.gp IN.dat OUT.pdf
dirname(s) = strstrt(s, "/") ? s[1:strstrt(s, "/")] . dirname(s[strstrt(s, "/") + 1:]) : ""
load dirname(ARG0) . "read.gp"
load dirname(ARG0) . "sheet.gp"
in = ARG1
set output ARG2
@plot_sheet
unset output
