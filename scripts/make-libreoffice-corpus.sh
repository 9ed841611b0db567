#!/usr/bin/env bash
# Makes the LibreOffice corpus of tests/data/metafiles/libreoffice/ again: public-domain clip art
# of Debian's openclipart-svg exported by LibreOffice Draw as WMF and as EMF, each drawing with
# LibreOffice's own import of it as the reference render. Needs: libreoffice-draw
# openclipart-svg imagemagick python3. The files are kept in the repository; this says how they
# were made (the README beside them says why the references are made as they are).
#
# Usage: scripts/make-libreoffice-corpus.sh [FOLDER] [NAME...]
#        (default: tests/data/metafiles/libreoffice, every drawing below)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(realpath -m "${1:-$root/tests/data/metafiles/libreoffice}")
shift || true
mkdir -p "$out"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
clipart=/usr/share/openclipart/svg

# The drawings, in openclipart-svg; each keeps its name. "@F" scales a drawing by F before it
# is exported: LibreOffice writes see-through parts as bitmaps of the drawing's size, which
# would make these files several megabytes.
drawings=(
    office/envelope_01.svg
    electronics/battery/battery_01.svg
    electronics/battery/battery_jean-victor_bali_01.svg
    science/chemistry_flask_matthew__01.svg@0.25
    geography/astronomy/moon-half.svg@0.15
    computer/icons/lemon-theme/devices/hdd_mac_mount.svg
    computer/icons/lemon-theme/mimetypes/unknown.svg
    computer/server_mimooh_01.svg
    computer/smartcard_alberto_piccin_01.svg
    computer/icons/lemon-theme/apps/colors.svg
    signs_and_symbols/radioactive_sign_01.svg
    unsorted/alerta_for_manuals_01.svg
    education/books/newspaper_aubanel_monnie_01.svg
    signs_and_symbols/kanji_luck_peterm_01.svg
    computer/icons/flat-theme/applications/kodo.svg
    signs_and_symbols/clocks/clock_michael_breuer_02.svg
    signs_and_symbols/flags/oceania/micronesia/guam.svg
    office/note_with_pin_nicu_bucul_02.svg
    people/smilies/smiley109.svg
    plants/trees/tree_01.svg
    computer/icons/flat-theme/action/mail_replyall.svg
    computer/icons/flat-theme/action/color_fill.svg
    signs_and_symbols/weather/w_cloud.svg
    food/fruit/rondelle_d_orange_01.svg
)
if [ $# -gt 0 ]; then
    wanted=" $* "
    chosen=()
    for d in "${drawings[@]}"; do
        name=$(basename "${d%@*}" .svg)
        [[ $wanted == *" $name "* ]] && chosen+=("$d")
    done
    drawings=("${chosen[@]}")
fi

mkdir -p "$scratch/svg"
for d in "${drawings[@]}"; do
    path=${d%@*} scale=1
    [[ $d == *@* ]] && scale=${d#*@}
    [ -f "$clipart/$path" ] || { echo "missing from openclipart-svg: $path" >&2; exit 1; }
    # The root element's width and height scaled, its view box kept (or made from them).
    python3 - "$clipart/$path" "$scratch/svg/$(basename "$path")" "$scale" <<'PY'
import re, sys
text = open(sys.argv[1], encoding='utf-8').read()
scale = float(sys.argv[3])
root = re.search(r'<svg\b[^>]*>', text).group(0)
size = {k: re.search(r'\s%s="([0-9.]+)' % k, root) for k in ('width', 'height')}
scaled = root
if scale != 1:
    if 'viewBox' not in root:
        scaled = scaled.replace('<svg', '<svg viewBox="0 0 %s %s"' % (
            size['width'].group(1), size['height'].group(1)), 1)
    for k, m in size.items():
        scaled = re.sub(r'(\s%s=")[0-9.]+' % k, lambda n: n.group(1) + '%g' % (
            float(m.group(1)) * scale), scaled, 1)
open(sys.argv[2], 'w', encoding='utf-8').write(text.replace(root, scaled, 1))
PY
done

# LibreOffice with a profile of its own, so that it neither meets a running office nor
# changes the user's settings.
office() {
    soffice -env:UserInstallation="file://$scratch/profile" --headless "$@" >/dev/null 2>&1
}
office --convert-to wmf --outdir "$scratch/export" "$scratch"/svg/*.svg
office --convert-to emf --outdir "$scratch/export" "$scratch"/svg/*.svg

# LibreOffice's import draws a WMF that carries its EMF from that EMF: the renders of the two
# are the same pixels (checked below), and one reference serves both. Two slips of LibreOffice
# 7.4 are taken out of the copy it renders for the reference (README.md says more):
#  - it sizes the picture by the reference device's whole millimetres, so that a drawing of
#    14.82 mm on 56 pixels comes out 6 % small: the copy gives the device a hundred times over,
#    where the rounding does not show;
#  - its writer places the EMF+ polygons of see-through fills on its page, not in the drawing
#    where its ordinary records place the same fills: the copy moves them there.
python3 - "$scratch/export" "$scratch/reference" <<'PY'
import os, statistics, struct, sys
src, dst = sys.argv[1], sys.argv[2]
os.makedirs(dst, exist_ok=True)

def records(d):
    at = 0
    while at + 8 <= len(d):
        t, s = struct.unpack_from('<II', d, at)
        yield at, t, s
        if t == 14 or s < 8:
            return
        at += s

for name in sorted(f[:-4] for f in os.listdir(src) if f.endswith('.emf')):
    d = bytearray(open(os.path.join(src, name + '.emf'), 'rb').read())
    dev = struct.unpack_from('<ii', d, 72)
    um = struct.unpack_from('<ii', d, 100)
    struct.pack_into('<ii', d, 72, dev[0] * 100, dev[1] * 100)
    struct.pack_into('<ii', d, 80, round(um[0] / 10), round(um[1] / 10))
    struct.pack_into('<ii', d, 100, um[0] * 100, um[1] * 100)
    # Each EMF+ filled polygon, and the ordinary fill after it, in device pixels.
    window, viewport = (1, 1), (1, 1)
    fills, pending, deltas = [], None, []
    for at, t, s in records(d):
        if t == 9:
            window = struct.unpack_from('<ii', d, at + 8)
        elif t == 11:
            viewport = struct.unpack_from('<ii', d, at + 8)
        elif t == 70 and d[at + 12:at + 16] == b'EMF+':
            p = at + 16
            while p + 12 <= at + s:
                et, ef, es = struct.unpack_from('<HHI', d, p)
                if et == 0x400C and ef & 0x8000 and not ef & 0x0800:
                    count = struct.unpack_from('<I', d, p + 16)[0]
                    small = bool(ef & 0x4000)
                    fmt = '<%d%s' % (2 * count, 'h' if small else 'f')
                    pts = struct.unpack_from(fmt, d, p + 20)
                    pending = (p + 20, fmt, pts)
                    fills.append(pending)
                if es < 12:
                    break
                p += es
        elif t in (3, 8, 62, 86, 91) and pending:
            left, top = struct.unpack_from('<ii', d, at + 8)
            pts = pending[2]
            deltas.append((left * viewport[0] / window[0] - min(pts[0::2]),
                           top * viewport[1] / window[1] - min(pts[1::2])))
            pending = None
    if deltas:
        dx = statistics.median(x for x, _ in deltas)
        dy = statistics.median(y for _, y in deltas)
        for offset, fmt, pts in fills:
            moved = [v + (dx if i % 2 == 0 else dy) for i, v in enumerate(pts)]
            if fmt.endswith('h'):
                moved = [round(v) for v in moved]
            struct.pack_into(fmt, d, offset, *moved)
        print('%-14s EMF+ fills moved by %.0f, %.0f pixels' % (name, dx, dy))
    open(os.path.join(dst, name + '.emf'), 'wb').write(d)
PY

page='png:draw_png_Export:{"PixelWidth":{"type":"long","value":"1588"},"PixelHeight":{"type":"long","value":"2246"}}'
office --convert-to "$page" --outdir "$scratch/page" "$scratch"/reference/*.emf
mkdir -p "$scratch/as-written"
for f in "$scratch"/export/*.wmf; do cp "$f" "$scratch/as-written/$(basename "$f" .wmf)-wmf.wmf"; done
for f in "$scratch"/export/*.emf; do cp "$f" "$scratch/as-written/$(basename "$f" .emf)-emf.emf"; done
office --convert-to "$page" --outdir "$scratch/page-as-written" "$scratch"/as-written/*

for d in "${drawings[@]}"; do
    name=$(basename "${d%@*}" .svg)
    written="$scratch/page-as-written"
    if [ "$(compare -metric AE "$written/$name-wmf.png" "$written/$name-emf.png" null: 2>&1)" != 0 ]
    then
        echo "$name: LibreOffice draws the WMF otherwise than the EMF" >&2
        exit 1
    fi
    # The page is A4 at 192 dots per inch, the drawing at its natural size in the middle.
    read -r w h < <(python3 -c '
import struct, sys
d = open(sys.argv[1], "rb").read(40)
l, t, r, b = struct.unpack_from("<iiii", d, 24)
print(round((r - l) * 192 / 2540), round((b - t) * 192 / 2540))' "$scratch/export/$name.emf")
    x=$(((1588 - w) / 2)) y=$(((2246 - h) / 2))
    if [ "$w" -gt 1588 ] || [ "$h" -gt 2246 ]; then
        echo "$name: larger than the page LibreOffice puts it on" >&2
        exit 1
    fi
    # What LibreOffice draws outside the frame (a drawing may spill over it) is not shown.
    if [ "$(convert "$scratch/page/$name.png" -background white -flatten -fill white \
        -draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))" -format '%[fx:minima]' info:-)" != 1 ]; then
        echo "$name: spills over its frame"
    fi
    cp "$scratch/export/$name.wmf" "$scratch/export/$name.emf" "$out/"
    convert "$scratch/page/$name.png" -crop "${w}x${h}+$x+$y" +repage -background white -flatten \
        -resize '256x256>' -strip "PNG24:$out/$name.png"
done
ls -l "$out"
