# Time against size for W1, W2 and W4, one panel each, four systems.
# usage: gnuplot -e "datafile='plot.dat'; outfile='performance.png'" plot.gp
if (!exists("datafile")) datafile = 'plot.dat'
if (!exists("outfile")) outfile = 'performance.png'

set terminal pngcairo size 1500,480 font ",10" noenhanced
set output outfile
set datafile missing "NaN"
set logscale xy
set grid
set key top left
set xlabel "size"
set ylabel "seconds (median)"
set multiplot layout 1,3

panel(i) = i == 0 ? "W1: n-ary sum (one construction)" : \
           i == 1 ? "W2: incremental sum s = s + c_i x_i" : "W4: sparse linear elimination"
do for [i=0:2] {
  set title panel(i)
  plot datafile index i using 1:2 with linespoints lw 2 pt 7 title "ZELTav", \
       ''       index i using 1:3 with linespoints lw 2 pt 5 title "GiNaC", \
       ''       index i using 1:4 with linespoints lw 2 pt 9 title "SymPy", \
       ''       index i using 1:5 with linespoints lw 2 pt 11 title "Z3"
}
unset multiplot
