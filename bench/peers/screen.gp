# The screen picture with gnuplot: the viewer's picture area at 1000 units per data unit, that is
# x -0.05..1.45 and y -0.2..0.4 over 996 x 396 pixels, white; the grid x 0..1 and y -0.1..0.3 in
# steps of 0.1 in blue, pen 1; both curves black, pen 2 (plot_screen below).
# pngcairo, gnuplot's usual PNG terminal, draws anti-aliased; gd=1 (gnuplot -e "gd=1" -c ...)
# takes the libgd terminal instead, which draws without anti-aliasing as the picture area does
# and is the faster of the two.
if (exists("gd") && gd) {
    set terminal png size 996,396 background rgb "white"
} else {
    set terminal pngcairo size 996,396 background rgb "white"
}
set lmargin at screen 0
set rmargin at screen 1
set bmargin at screen 0
set tmargin at screen 1
unset border
unset tics
unset key
set xrange [-0.05:1.45]
set yrange [-0.2:0.4]
do for [a = 0:10] {
    set arrow from a / 10.0, -0.1 to a / 10.0, 0.3 nohead lc rgb "blue" lw 1
}
do for [i = -1:3] {
    set arrow from 0, i / 10.0 to 1, i / 10.0 nohead lc rgb "blue" lw 1
}
set datafile separator ","
plot_screen = "plot coords(in) skip skipped every ::0::200 using 1:2 with lines lc rgb 'black' lw 2, " . \
              "'' skip skipped every ::201::401 using 1:2 with lines lc rgb 'black' lw 2"
