#!/usr/bin/env bash
# Makes the demo folders that lie beside the program, so that a first run shows, sounds and
# loops: appfolder/Esempi/ and appfolder/Viaggio/, every picture drawn here (gradients, plasma,
# text), one per picture format the program reads, an upright portrait stored turned with an
# EXIF orientation tag, a MIDI piece, an MP3 and a spoken WAVE comment.
# Needs ImageMagick, sox with MP3 support, lame, espeak-ng and python3 (scripts/setup-debian.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
esempi="$root/appfolder/Esempi"
viaggio="$root/appfolder/Viaggio"
rm -rf "$esempi" "$viaggio"
mkdir -p "$esempi" "$viaggio"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

W=1280
H=853
font=DejaVu-Sans-Bold
# Plasma is random: a fixed seed makes the same pictures at every run.
seed=(-seed 1961)

# A picture: a background made by ImageMagick ($2...) with a title written across it.
picture() { # out title background...
    local out=$1 title=$2
    shift 2
    convert "${seed[@]}" -size ${W}x${H} "$@" \
        -font "$font" -pointsize 72 -fill white -stroke black -strokewidth 2 \
        -gravity south -annotate +0+60 "$title" "$tmp/pic.png"
    convert "$tmp/pic.png" -strip -quality 80 "$out"
}

picture "$esempi/alba.jpg" "Alba" gradient:'#ff9a3c-#3c1a5b'
picture "$esempi/plasma.jpg" "Plasma" plasma:fractal -blur 0x2
picture "$esempi/tramonto.jpeg" "Tramonto" gradient:'#ffd166-#8b1e3f'
picture "$viaggio/montagna.jpg" "Montagna" gradient:'#dfe9f3-#3b6e8f'
picture "$viaggio/stelle.jpg" "Stelle" xc:'#0b1030' -fill white \
    -draw "point 100,100 point 400,200 point 900,150 point 1100,400 point 300,600"
picture "$viaggio/citta.jpe" "Città" plasma:'#4a4e69-#c9ada7'

# The portrait: drawn upright (853 x 1280), stored turned a quarter left, with orientation 6
# ("turn a quarter right to show"), as a camera held upright stores it.
convert -size ${H}x${W} gradient:'#a1c4fd-#c2e9fb' -font "$font" -pointsize 72 -fill '#223355' \
    -gravity north -annotate +0+120 "Ritratto" -gravity center -fill '#335577' \
    -draw "circle 426,640 426,400" "$tmp/upright.png"
convert "$tmp/upright.png" -rotate -90 -strip -quality 80 "$esempi/ritratto.jpg"
python3 "$root/scripts/exif-orientation.py" "$esempi/ritratto.jpg" 6

# One picture per other format, smaller so that the folders stay light.
small() { # out title background...
    local out=$1 title=$2
    shift 2
    convert "${seed[@]}" -size 640x427 "$@" -font "$font" -pointsize 48 -fill white \
        -stroke black -strokewidth 1 -gravity center -annotate +0+0 "$title" "$out"
}
small "$tmp/mare.png" "Mare (BMP)" gradient:'#00b4db-#0083b0'
convert "$tmp/mare.png" -type TrueColor "BMP3:$esempi/mare.bmp"
small "$tmp/nuvole.png" "Nuvole (GIF)" plasma:'#ffffff-#87ceeb'
convert "$tmp/nuvole.png" -colors 128 "$esempi/nuvole.gif"
small "$tmp/lago.png" "Lago (DIB)" gradient:'#2c7744-#5aa469'
convert "$tmp/lago.png" -colors 256 -type Palette "BMP3:$viaggio/lago.dib"
# Run-length coding pays on flat colours: wide bands.
convert -size 640x427 xc:'#8b5a2b' -fill '#2e8b57' -draw "rectangle 0,0 639,140" \
    -fill '#6b8e23' -draw "rectangle 0,141 639,280" -font "$font" -pointsize 48 \
    -fill white -gravity center -annotate +0+0 "Bosco (RLE)" -colors 16 -type Palette \
    -compress RLE "BMP3:$viaggio/bosco.rle"
convert -size 128x128 radial-gradient:'#ffe259-#ffa751' -font "$font" -pointsize 40 \
    -fill '#7a2e00' -gravity center -annotate +0+0 "ICO" "$esempi/icona.ico"
convert -size 32x32 xc:none -fill '#d00000' -draw "polygon 0,0 0,28 8,20 14,31 18,29 12,18 22,18" \
    "$viaggio/puntatore.cur"

# Music: a MIDI piece in one folder, an MP3 in the other.
python3 "$root/scripts/make-midi.py" "$esempi/musica.mid"
sox -n -r 44100 -c 2 "$tmp/tune.wav" synth 0.4 pluck C4 : synth 0.4 pluck E4 : \
    synth 0.4 pluck G4 : synth 0.8 pluck C5 : synth 0.4 pluck A4 : synth 0.4 pluck F4 : \
    synth 0.8 pluck D4 : synth 0.4 pluck G4 : synth 0.4 pluck B4 : synth 1.2 pluck C5 \
    repeat 3 vol 0.8 fade 0 0 0.5
lame --quiet -b 96 "$tmp/tune.wav" "$viaggio/musica.mp3"

# A spoken comment for the first picture: the picture's name with .wav.
espeak-ng -v it -s 150 -w "$tmp/alba.wav" \
    "Ecco l'alba: la prima foto della presentazione di Quirello."
sox "$tmp/alba.wav" -r 22050 -c 1 -b 16 "$esempi/alba.wav"

du -sh "$esempi" "$viaggio"
