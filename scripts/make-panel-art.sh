#!/usr/bin/env bash
# Draws the panel's pictures into appfolder/ (they lie beside the program): the banner's
# design picture and its three frames (100 x 47), the web-site picture (120 x 29), the
# program's icon (32 x 32) and the made-in-Italy picture (60 x 47). Needs ImageMagick and the
# DejaVu fonts (scripts/setup-debian.sh installs both). Run it again after changing a picture.
set -euo pipefail

out="$(cd "$(dirname "$0")/.." && pwd)/appfolder"
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
plain=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
# No time stamps in the files, so that drawing them again changes nothing.
save=(-depth 8 -strip -define png:exclude-chunks=date,time)

banner() { # file, top colour, bottom colour, first line, second line, text colour
  convert -size 100x47 "gradient:$2-$3" \
    -fill none -stroke '#5a2a00' -strokewidth 1 -draw 'rectangle 0,0 99,46' -stroke none \
    -font "$bold" -fill "$6" -gravity center -pointsize 14 -annotate +0-8 "$4" \
    -font "$plain" -pointsize 10 -annotate +0+11 "$5" \
    "${save[@]}" "$out/$1"
}

banner banner.png  '#ffd27a' '#f08c00' 'Zafferon' 'giochi e utilità' '#5a2a00'
banner banner1.png '#ffe9a8' '#ff9f1a' 'Zafferon' 'la nuova suite' '#5a2a00'
banner banner2.png '#fff4d6' '#ffc04d' 'Giochi' 'e utilità per tutti' '#7a1f00'
banner banner3.png '#ff8a3d' '#c23b00' 'Acquista' 'clicca qui!' '#ffffff'

# The web-site picture: an address bar with a globe.
convert -size 120x29 'gradient:#e8f0ff-#9db8e8' \
  -fill none -stroke '#2a4a8a' -draw 'rectangle 0,0 119,28' \
  -fill '#2a6ad0' -stroke '#1a3a7a' -draw 'circle 14,14 14,5' \
  -stroke '#ffffff' -fill none -draw 'ellipse 14,14 4,9 0,360' -draw 'line 5,14 23,14' \
  -stroke none -font "$bold" -fill '#1a3a7a' -pointsize 10 -annotate +28+12 'Visita il sito' \
  -font "$plain" -pointsize 8 -annotate +28+24 'di Quirello' \
  "${save[@]}" "$out/sito.png"

# The icon: a framed photo of a hill under the sun.
convert -size 32x32 xc:none \
  -fill '#7a4a1a' -draw 'roundrectangle 1,3 30,28 3,3' \
  -fill '#8ec8ff' -draw 'rectangle 4,6 27,25' \
  -fill '#ffd200' -draw 'circle 21,11 21,8' \
  -fill '#3a9a3a' -draw 'ellipse 12,27 14,9 180,360' \
  -fill '#2a7a2a' -draw 'ellipse 24,28 9,6 180,360' \
  "${save[@]}" "$out/quirello.png"

# Made in Italy: the flag, with the word "bit" on its white band.
convert -size 60x47 xc:white \
  -fill '#009246' -draw 'rectangle 0,0 19,46' \
  -fill '#ce2b37' -draw 'rectangle 40,0 59,46' \
  -fill none -stroke '#606060' -draw 'rectangle 0,0 59,46' -stroke none \
  -font "$bold" -fill '#202020' -pointsize 9 -gravity center -annotate +0+0 'bit' \
  "${save[@]}" "$out/italia.png"

echo "pictures written to $out"
