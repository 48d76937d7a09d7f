# Many data files to their A4 sheets as PDF, in one gnuplot process.
# Usage: gnuplot -e "files='A.dat B.dat ...'" -c bench/peers/batch-pdf.gp OUTDIR
# (names without blanks; each A.dat gives OUTDIR/A.pdf)
dirname(s) = strstrt(s, "/") ? s[1:strstrt(s, "/")] . dirname(s[strstrt(s, "/") + 1:]) : ""
load dirname(ARG0) . "read.gp"
load dirname(ARG0) . "sheet.gp"
do for [in in files] {
    set output ARG1 . "/" . stem(basename(in)) . ".pdf"
    @plot_sheet
}
unset output
