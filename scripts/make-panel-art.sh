#!/usr/bin/env bash
# Draws the panel's pictures into appfolder/ (they lie beside the program): the banner's
# design picture and its three frames (100 x 47), the web-site picture (120 x 29), the
# program's icon (32 x 32) and the made-in-Italy picture (60 x 47), each also at twice the size
# as NAME@2x.png for screens of two device pixels to a logical one. Needs ImageMagick and the
# DejaVu fonts (scripts/setup-debian.sh installs both). Run it again after changing a picture.
set -euo pipefail

out="$(cd "$(dirname "$0")/.." && pwd)/appfolder"
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
plain=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
# No time stamps in the files, so that drawing them again changes nothing.
save=(-depth 8 -strip -define png:exclude-chunks=date,time)

# Every drawing is given in 1x pixels; k is the scale it is drawn at.
k=1
s() { echo $(($1 * k)); }           # a length, or where a span starts
e() { echo $((($1 + 1) * k - 1)); } # the last pixel of a span that ends at pixel $1
file() { if [ "$k" = 1 ]; then echo "$out/$1.png"; else echo "$out/$1@${k}x.png"; fi; }

banner() { # name, top colour, bottom colour, first line, second line, text colour
  convert -size "$(s 100)x$(s 47)" "gradient:$2-$3" \
    -fill none -stroke '#5a2a00' -strokewidth "$k" \
    -draw "rectangle $(s 0),$(s 0) $(e 99),$(e 46)" -stroke none \
    -font "$bold" -fill "$6" -gravity center -pointsize "$(s 14)" -annotate "+0-$(s 8)" "$4" \
    -font "$plain" -pointsize "$(s 10)" -annotate "+0+$(s 11)" "$5" \
    "${save[@]}" "$(file "$1")"
}

draw_all() {
  banner banner  '#ffd27a' '#f08c00' 'Zafferon' 'giochi e utilità' '#5a2a00'
  banner banner1 '#ffe9a8' '#ff9f1a' 'Zafferon' 'la nuova suite' '#5a2a00'
  banner banner2 '#fff4d6' '#ffc04d' 'Giochi' 'e utilità per tutti' '#7a1f00'
  banner banner3 '#ff8a3d' '#c23b00' 'Acquista' 'clicca qui!' '#ffffff'

  # The web-site picture: an address bar with a globe.
  convert -size "$(s 120)x$(s 29)" 'gradient:#e8f0ff-#9db8e8' -strokewidth "$k" \
    -fill none -stroke '#2a4a8a' -draw "rectangle 0,0 $(e 119),$(e 28)" \
    -fill '#2a6ad0' -stroke '#1a3a7a' -draw "circle $(s 14),$(s 14) $(s 14),$(s 5)" \
    -stroke '#ffffff' -fill none -draw "ellipse $(s 14),$(s 14) $(s 4),$(s 9) 0,360" \
    -draw "line $(s 5),$(s 14) $(s 23),$(s 14)" \
    -stroke none -font "$bold" -fill '#1a3a7a' -pointsize "$(s 10)" \
    -annotate "+$(s 28)+$(s 12)" 'Visita il sito' \
    -font "$plain" -pointsize "$(s 8)" -annotate "+$(s 28)+$(s 24)" 'di Quirello' \
    "${save[@]}" "$(file sito)"

  # The icon: a framed photo of a hill under the sun.
  convert -size "$(s 32)x$(s 32)" xc:none \
    -fill '#7a4a1a' -draw "roundrectangle $(s 1),$(s 3) $(e 30),$(e 28) $(s 3),$(s 3)" \
    -fill '#8ec8ff' -draw "rectangle $(s 4),$(s 6) $(e 27),$(e 25)" \
    -fill '#ffd200' -draw "circle $(s 21),$(s 11) $(s 21),$(s 8)" \
    -fill '#3a9a3a' -draw "ellipse $(s 12),$(s 27) $(s 14),$(s 9) 180,360" \
    -fill '#2a7a2a' -draw "ellipse $(s 24),$(s 28) $(s 9),$(s 6) 180,360" \
    "${save[@]}" "$(file quirello)"

  # Made in Italy: the flag, with the word "bit" on its white band.
  convert -size "$(s 60)x$(s 47)" xc:white \
    -fill '#009246' -draw "rectangle 0,0 $(e 19),$(e 46)" \
    -fill '#ce2b37' -draw "rectangle $(s 40),0 $(e 59),$(e 46)" \
    -fill none -stroke '#606060' -strokewidth "$k" -draw "rectangle 0,0 $(e 59),$(e 46)" \
    -stroke none -font "$bold" -fill '#202020' -pointsize "$(s 9)" -gravity center \
    -annotate +0+0 'bit' \
    "${save[@]}" "$(file italia)"
}

for k in 1 2; do
  draw_all
done
echo "pictures written to $out"
