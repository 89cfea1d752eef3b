# The degree distribution of the AS graph: the share of ASes whose degree is
# at least d, against d, on log-log axes, where the heavy tail shows.
#
# Input: the output of `asdegree -n 0` (every AS, "ASN: degree", highest
# degree first). The AS on line i has the i-th highest degree, so i / N is
# the share of ASes of at least its degree.
#
# Usage: gnuplot -e "in='degrees.txt'; out='ccdf.png'" plot/degree-ccdf.gp
if (!exists("in")) in = '/dev/stdin'
if (!exists("out")) out = 'degree-ccdf.png'
if (!exists("title")) title = 'AS degree distribution'

set terminal pngcairo size 800,560 noenhanced font ',11'
set output out
set datafile separator ':'
stats in using 2 nooutput
total = STATS_records
set logscale xy
set format x '10^{%L}'
set format y '10^{%L}'
set terminal pngcairo enhanced
set xlabel 'degree d (distinct neighbours)'
set ylabel 'share of ASes with degree >= d'
set title sprintf('%s: %d ASes, largest degree %d', title, total, STATS_max)
set grid
set xrange [0.8:*]
unset key
plot in using 2:(($0 + 1) / total) with steps lw 2 lc rgb '#1f4e9a'
