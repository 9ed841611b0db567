#!/usr/bin/env bash
# Peak resident memory of the whole program during a show of twenty 24-megapixel photos, against
# the same show of twenty small pictures in the same run. Usage:
#   bench/picture/show_memory.sh [build folder] [display number]
# Needs the photos bench_picture makes (run `bench_picture 20` once) and Xvfb.
set -euo pipefail

build=${1:-build}
display=:${2:-47}
app="$build/Quirello/quirello"
photos=/tmp/quirello-bench-picture
big=/tmp/quirello-bench-show/big
small=/tmp/quirello-bench-show/small
seconds=1
ticks=24 # title, twenty photos, the end title, and two more

[ -x "$app" ] || { echo "no program at $app" >&2; exit 1; }
mkdir -p "$big" "$small"
for i in $(seq -w 1 20); do
  [ -f "$photos/photo$i.jpg" ] || { echo "run bench_picture 20 first" >&2; exit 1; }
  ln -f "$photos/photo$i.jpg" "$big/photo$i.jpg"
  [ -f "$small/photo$i.jpg" ] || convert "$photos/photo$i.jpg" -resize 640x427 "$small/photo$i.jpg"
done

Xvfb "$display" -screen 0 1920x1080x24 >/dev/null 2>&1 &
xvfb=$!
ini="$build/Quirello/PHOTO.INI"
saved=""
[ -f "$ini" ] && saved=$(mktemp) && cp "$ini" "$saved"
cleanup() {
  kill "$xvfb" 2>/dev/null || true
  if [ -n "$saved" ]; then mv "$saved" "$ini"; else rm -f "$ini"; fi
}
trap cleanup EXIT
sleep 1

# The show's peak resident memory in kB, its folder given by PATH: the program's own and that of
# its decoder helpers (where the pictures are decoded), added up.
peak() {
  printf 'PATH=%s\r\nTempoAttesa=%s\r\nMusicaFM= 0 \r\nSuonoWAV= 0 \r\nEffetti= 100 \r\nCornice3D= 1 \r\nAllargaFoto= 1 \r\nRGB_R= 0 \r\nRGB_G= 0 \r\nRGB_B= 0 \r\nRGB_RANDOM= 0 \r\nTipoEffetto= 1 \r\nPosLabel= 0 \r\n' \
    "$1" "$seconds" > "$ini"
  DISPLAY=$display QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy "$app" /RUN >/dev/null 2>&1 &
  local pid=$!
  sleep $((ticks * seconds + 3))
  local hwm
  hwm=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
  for helper in $(pgrep -P "$pid" || true); do
    hwm=$((hwm + $(awk '/VmHWM/ {print $2}' "/proc/$helper/status")))
  done
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$hwm"
}

small_kb=$(peak "$small")
big_kb=$(peak "$big")
echo "peak RSS, show of 20 pictures of 640 x 427:  $((small_kb / 1024)) MB (baseline)"
echo "peak RSS, show of 20 photos of 6000 x 4000:  $((big_kb / 1024)) MB"
awk -v b="$big_kb" -v s="$small_kb" 'BEGIN { printf "ratio: %.2f; the photos add %.1f MB\n", b / s, (b - s) / 1024 }'
