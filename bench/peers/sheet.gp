# The A4 sheet with gnuplot, in millimetres from the page's top-left corner: the title (the third
# header line's value) 18 pt blue at (10, 10); the table of the other seven labels and values,
# 9 pt, rows 5 mm apart from y = 100 at x = 10 and 50; the grid and both curves at 150 mm per
# data unit with the data origin at (10, 75) mm (plot_sheet below).
set terminal pdfcairo size 21cm,29.7cm font "DejaVu Serif,9" background rgb "white"
set lmargin at screen 0
set rmargin at screen 1
set bmargin at screen 0
set tmargin at screen 1
unset border
unset tics
unset key
set xrange [0:210]
set yrange [297:0]
P = 150.0
X0 = 10.0
Y0 = 75.0
do for [a = 0:10] {
    set arrow from (a / 10.0) * P + X0, Y0 + 0.1 * P to (a / 10.0) * P + X0, Y0 - 0.3 * P \
        nohead lc rgb "blue" lw 1
}
do for [j = -1:3] {
    set arrow from X0, Y0 - (j / 10.0) * P to X0 + P, Y0 - (j / 10.0) * P nohead lc rgb "blue" lw 1
}
set datafile separator ","
# A header line "label 2:label 1:value" comes in whole as column 1 (it holds no comma).
after(s) = s[strstrt(s, ":") + 1:]
labeltext(s) = after(s)[1:strstrt(after(s), ":") - 1]
valuetext(s) = after(after(s))
# Header lines 1 to 9: points 0 to 8 of block 0 of data set 0 (blank lines start new blocks,
# two of them a new data set); the third is the title, the sixth is free text.
row(i) = i == 0 ? 100 : i == 1 ? 105 : i == 3 ? 110 : i == 4 ? 115 : \
         i == 6 ? 120 : i == 7 ? 125 : i == 8 ? 130 : NaN
plot_sheet = "plot in index 0 every ::2:0:2:0 using (X0):(10 + 3.2):(valuetext(strcol(1))) with labels left " . \
             "font ',18' tc rgb 'blue', " . \
             "'' index 0 every ::0:0:8:0 using (10):(row($0) + 1.6):(labeltext(strcol(1))) with labels left, " . \
             "'' index 0 every ::0:0:8:0 using (50):(row($0) + 1.6):(': ' . valuetext(strcol(1))) with labels left, " . \
             "coords(in) skip skipped every ::0::200 using (P * $1 + X0):(Y0 - P * $2) " . \
             "with lines lc rgb 'black' lw 2, " . \
             "'' skip skipped every ::201::401 using (P * $1 + X0):(Y0 - P * $2) " . \
             "with lines lc rgb 'black' lw 2"
