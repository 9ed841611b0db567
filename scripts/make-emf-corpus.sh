#!/usr/bin/env bash
# Makes the EMF corpus of tests/data/metafiles/emf/ again: enhanced metafiles written by
# gnuplot, fig2dev, pstoedit and Inkscape from drawings Debian ships (or from the short gnuplot
# scripts below), each with a reference render of the same drawing by the same program, made
# small by ImageMagick. Needs: gnuplot-nox fig2dev xfig-libs pstoedit ghostscript inkscape
# imagemagick. The files are kept in the repository; this says how they were made.
#
# Usage: scripts/make-emf-corpus.sh [FOLDER]        (default: tests/data/metafiles/emf)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/tests/data/metafiles/emf}")
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
examples=/usr/share/xfig/Libraries/Examples
svgs=/usr/share/inkscape/examples

# The reference, at most 256 pixels on its longer side, over white.
small() { convert "$1" -background white -flatten -resize '256x256>' -strip "PNG24:$2"; }

# gnuplot: the same script to its emf terminal and to its cairo PNG terminal, at one size.
plots=(
    "lines|plot [-10:10] sin(x), atan(x), cos(atan(x))"
    "surface|set isosamples 24; set hidden3d; splot [-6:6][-6:6] sin(sqrt(x**2+y**2))/sqrt(x**2+y**2)"
    "filled|set style fill solid 0.6 border -1; plot [0:10] sin(x)+2 with filledcurves y1=0 title 'area', cos(x) with boxes title 'boxes'"
    "labels|set title 'Titolo del grafico'; set xtics rotate by 45; set label 'etichetta' at 2,0.5 rotate by 30; set key left box; plot [0:8] besj0(x) with linespoints, besj1(x) dt 2 lw 2"
    "polar|set polar; set grid polar; set size square; unset border; plot [0:2*pi] 1+cos(t) lw 3, 0.5+sin(3*t)"
)
for p in "${plots[@]}"; do
    name=${p%%|*} script=${p#*|}
    gnuplot -e "set terminal emf color size 640,480; set output '$out/gnuplot-$name.emf'; $script"
    gnuplot -e "set terminal pngcairo size 640,480; set output '$scratch/$name.png'; $script"
    small "$scratch/$name.png" "$out/gnuplot-$name.png"
done

# fig2dev: xfig's example figures.
for f in flowchart logic aircraft recycle houseA; do
    fig2dev -L emf "$examples/$f.fig" "$out/fig2dev-$f.emf"
    fig2dev -L png -m 2 "$examples/$f.fig" "$scratch/$f.png"
    small "$scratch/$f.png" "$out/fig2dev-$f.png"
done

# pstoedit: PostScript that fig2dev and gnuplot write; ghostscript renders the same PostScript.
fig2dev -L eps "$examples/house.fig" "$scratch/house.ps"
gnuplot -e "set terminal postscript eps color solid size 5,3.5; set output '$scratch/plot.ps';
            set style fill solid 0.4; set key box; set title 'Funzioni';
            plot [0:10] sin(x) with filledcurves y1=0, cos(x) lw 3, x/10 dt 2 lw 2"
for f in house plot; do
    pstoedit -f emf "$scratch/$f.ps" "$out/pstoedit-$f.emf"
    gs -q -dSAFER -dBATCH -dNOPAUSE -dEPSCrop -sDEVICE=png16m -r150 -dTextAlphaBits=4 \
        -dGraphicsAlphaBits=4 -sOutputFile="$scratch/$f.png" "$scratch/$f.ps"
    small "$scratch/$f.png" "$out/pstoedit-$f.png"
done

# Inkscape: SVG examples it ships.
for f in live-path-effects-gears.svg tiger.svgz; do
    name=${f%.svg*}
    inkscape "$svgs/$f" --export-type=emf --export-filename="$out/inkscape-$name.emf"
    inkscape "$svgs/$f" --export-type=png --export-filename="$scratch/$name.png"
    small "$scratch/$name.png" "$out/inkscape-$name.png"
done
ls -l "$out"
