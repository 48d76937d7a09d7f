# Reading a data file with gnuplot, shared by the gnuplot peers.
#
# A data file: 15 header lines (labels and values, UTF-8, CRLF), then 804 numbers separated by
# commas or line ends: curve 0 as 201 x,y pairs, then curve 1. gnuplot reads the common
# one-pair-per-line layout directly (a CR before the line end is taken as blank). With
# anylayout=1 (gnuplot -e "anylayout=1" -c ...) the numbers go through a small pipe first,
# which turns the one-number-per-line and all-on-one-line layouts into pairs as well.
if (!exists("anylayout")) anylayout = 0
coords(f) = anylayout ? \
    sprintf("< tail -n +16 '%s' | tr -s ',\\r\\n' '\\n\\n\\n' | paste -d, - -", f) : f
skipped = anylayout ? 0 : 15

# An output's name: the input's without its directory and its .dat ending.
basename(s) = strstrt(s, "/") ? basename(s[strstrt(s, "/") + 1:]) : s
stem(s) = (strlen(s) > 4 && s[strlen(s) - 3:] eq ".dat") ? s[1:strlen(s) - 4] : s
