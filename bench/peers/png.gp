# One data file to its screen picture as PNG.
# Usage: gnuplot -c bench/peers/png.gp IN.dat OUT.png
dirname(s) = strstrt(s, "/") ? s[1:strstrt(s, "/")] . dirname(s[strstrt(s, "/") + 1:]) : ""
load dirname(ARG0) . "read.gp"
load dirname(ARG0) . "screen.gp"
in = ARG1
set output ARG2
@plot_screen
unset output
