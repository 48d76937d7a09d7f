# Many data files to their screen pictures as PNG, in one gnuplot process.
# Usage: gnuplot -e "files='A.dat B.dat ...'" -c bench/peers/batch-png.gp OUTDIR
# (names without blanks; each A.dat gives OUTDIR/A.png)
dirname(s) = strstrt(s, "/") ? s[1:strstrt(s, "/")] . dirname(s[strstrt(s, "/") + 1:]) : ""
load dirname(ARG0) . "read.gp"
load dirname(ARG0) . "screen.gp"
do for [in in files] {
    set output ARG1 . "/" . stem(basename(in)) . ".png"
    @plot_screen
}
unset output
